#include "ui/jump_dialog.h"

#include <cstdio>
#include <cstdlib>

#include "resource.h"

CJumpDialog::CJumpDialog() : fw::Dialog(IDD_JUMP_PERCENT) {}

BOOL CJumpDialog::OnInitDialog() {
    char text[64];
    std::snprintf(text, sizeof text, "%g", percent);
    SetDlgItemTextA(hwnd_, IDC_JUMP_PERCENT, text);
    ok_.AttachWithProgramSkin(Item(IDOK));
    cancel_.AttachWithProgramSkin(Item(IDCANCEL));
    return TRUE;
}

void CJumpDialog::OnOK() {
    double value = 0;
    if (!ParseDialogNumber(fw::GetWindowTextString(Item(IDC_JUMP_PERCENT)), value)) {
        MessageBoxA(hwnd_, "请键入一个数。", "Pelinreader", MB_OK | MB_ICONEXCLAMATION);
        HWND edit = Item(IDC_JUMP_PERCENT);
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        return;
    }
    percent = value;
    EndDialog(IDOK);
}

bool ParseDialogNumber(const std::string& text, double& value) {
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t') ++begin;
    if (!*begin) return false;
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end) return false;
    value = v;
    return true;
}

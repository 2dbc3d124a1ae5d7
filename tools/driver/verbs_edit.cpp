// Verbs for edit mode, find and replace and the library list:
//   select ID START END      selects characters START..END of an edit control (the page: 1018)
//   selection ID             prints "START END" of its selection
//   enabled ID               prints "enabled" or "disabled" (with --box: a control of the dialog)
//   toolbar-pressed ID       prints "pressed" or "raised" for the tool-bar button of command ID
//   double-click ID          the double-click notification of a list box (the library: 1000) to its owner
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>

#include <cwchar>
#include <string>

#include "utf8_out.h"
#include "verbs.h"

namespace {

bool Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
    return SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

HWND FindToolbar(HWND root) {
    HWND found = nullptr;
    EnumChildWindows(
        root,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            if (ClassOf(hwnd) != L"ToolbarWindow32") return TRUE;
            *reinterpret_cast<HWND*>(lp) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

int VerbSelect(Invocation& in) {
    long id = 0, start = 0, end = 0;
    if (!in.IntArg(0, id) || !in.IntArg(1, start) || !in.IntArg(2, end)) return 2;
    HWND control = ControlOrReport(in, static_cast<int>(id));
    if (!control) return 1;
    DWORD_PTR ignored = 0;
    return Send(control, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end), ignored) ? 0 : 1;
}

int VerbSelection(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    HWND control = ControlOrReport(in, static_cast<int>(id));
    if (!control) return 1;
    DWORD_PTR packed = 0;
    if (!Send(control, EM_GETSEL, 0, 0, packed)) return 1;
    PrintLine(std::to_wstring(LOWORD(packed)) + L" " + std::to_wstring(HIWORD(packed)));
    return 0;
}

int VerbEnabled(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    HWND control = ControlOrReport(in, static_cast<int>(id));
    if (!control) return 1;
    PrintLine(IsWindowEnabled(control) ? L"enabled" : L"disabled");
    return 0;
}

int VerbToolbarPressed(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    HWND toolbar = FindToolbar(in.target.frame);
    if (!toolbar) {
        PrintError(L"no tool bar");
        return 1;
    }
    DWORD_PTR checked = 0;
    if (!Send(toolbar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0, checked)) return 1;
    PrintLine(checked ? L"pressed" : L"raised");
    return 0;
}

int VerbDoubleClick(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    HWND list = ControlOrReport(in, static_cast<int>(id));
    if (!list) return 1;
    return PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), LBN_DBLCLK),
                        reinterpret_cast<LPARAM>(list))
               ? 0
               : 1;
}

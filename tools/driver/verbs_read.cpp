#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>

#include <cwchar>
#include <cwctype>

#include "remote_buffer.h"
#include "utf8_out.h"
#include "verbs.h"

namespace {
constexpr int kStatusBarId = 59393;
constexpr int kPageControlId = 1018;

// One display line of a rich edit, with the line end it carries (if any): the control's text up to the end
// of that line, cut at the start of the line. EM_GETLINE is not used from another process: under Wine the
// receiving side loses the buffer size that leads the buffer, so the control copies, and the reply sends
// back, as many characters as the stray word it finds there says (the reply can run past the end of the
// reader's memory, and Wine then ends the reader).
bool EditLine(const Target& target, HWND edit, size_t line, std::wstring& out) {
    DWORD_PTR lines = 0, start = 0, next = 0;
    if (!SendPatiently(edit, EM_GETLINECOUNT, 0, 0, &lines) || line >= lines ||
        !SendPatiently(edit, EM_LINEINDEX, line, 0, &start) || static_cast<LONG_PTR>(start) < 0)
        return false;
    size_t end = 0;
    if (line + 1 < lines && SendPatiently(edit, EM_LINEINDEX, line + 1, 0, &next) &&
        static_cast<LONG_PTR>(next) >= static_cast<LONG_PTR>(start)) {
        end = next;
    } else if (!EditTextLength(edit, end)) {
        return false;
    }
    // The last line reads to the text's end (with room for a line end the length does not count).
    std::wstring head;
    if (!RichTextHead(target, edit, line + 1 < lines ? end : end + 2, head)) return false;
    out = start < head.size() ? head.substr(start) : std::wstring();
    return true;
}

// The whole text, as the lines give it.
std::wstring EditText(const Target& target, HWND edit) {
    size_t length = 0;
    std::wstring text;
    if (!EditTextLength(edit, length) || !RichTextHead(target, edit, length * 2 + 63, text)) return {};
    return text;
}

bool IsRichEdit(HWND hwnd) {
    std::wstring name = ClassOf(hwnd);
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
    return name.find(L"RICHEDIT") != std::wstring::npos;
}

}  // namespace

int VerbTitle(Invocation& in) {
    PrintLine(TextOf(in.target.frame));
    return 0;
}

int VerbText(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    HWND control = ControlOrReport(in, static_cast<int>(id));
    if (!control) return 1;
    PrintLine(IsRichEdit(control) ? EditText(in.target, control) : TextOf(control));
    return 0;
}

// Status-bar texts live in the reader's process: the buffer for SB_GETTEXT has to be there too.
int VerbStatus(Invocation& in) {
    long pane = 0;
    if (!in.IntArg(0, pane)) return 2;
    HWND bar = FindControl(in.target.frame, kStatusBarId);
    if (!bar) {
        PrintError(L"no status bar");
        return 1;
    }
    DWORD_PTR info = 0;
    if (!SendPatiently(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(pane), 0, &info)) {
        PrintError(L"status bar does not answer");
        return 1;
    }
    size_t length = LOWORD(info);
    RemoteBuffer buffer(in.target.pid, (length + 1) * sizeof(wchar_t));
    if (!buffer.ok()) {
        PrintError(L"cannot reach the reader's memory");
        return 1;
    }
    DWORD_PTR ignored = 0;
    SendPatiently(bar, SB_GETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(buffer.address()),
                  &ignored);
    std::vector<char> bytes = buffer.Read(length * sizeof(wchar_t));
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), text.size()));
    PrintLine(text);
    return 0;
}

// Prints "N<TAB>text": the number of the first visible line of the page control and that line's text.
int VerbFirstLine(Invocation& in) {
    HWND edit = ControlOrReport(in, kPageControlId);
    if (!edit) return 1;
    DWORD_PTR first = 0;
    std::wstring line;
    if (!SendPatiently(edit, EM_GETFIRSTVISIBLELINE, 0, 0, &first) ||
        !EditLine(in.target, edit, first, line)) {
        PrintError(L"page control does not answer");
        return 1;
    }
    while (!line.empty() && (line.back() == L'\r' || line.back() == L'\n')) line.pop_back();
    PrintLine(std::to_wstring(first) + L"\t" + line);
    return 0;
}

// Prints the caption on the first line and the message on the next. A message box shown over a dialog (or
// beside a modeless one) is preferred to the dialog.
int VerbMsgBox(Invocation& in) {
    HWND box = WaitForPlainMessageBox(in.target.pid, in.timeoutMs);
    if (!box) {
        PrintError(L"no message box");
        return 1;
    }
    // A box can be shown a moment before its text is set: give the text a second to come.
    std::wstring text = MessageBoxText(box);
    for (int i = 0; i < 20 && text.empty() && IsWindow(box); ++i) {
        Sleep(50);
        text = MessageBoxText(box);
    }
    PrintLine(TextOf(box));
    PrintLine(text);
    return 0;
}

// Prints "checked|unchecked enabled|grayed". Wine does not let one process read another's menus, so under
// Wine this verb reports "no such menu item"; it answers on Windows.
int VerbMenuState(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    HMENU menu = GetMenu(in.target.frame);
    UINT state = menu ? GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) : static_cast<UINT>(-1);
    if (state == static_cast<UINT>(-1)) {
        PrintError(L"no such menu item");
        return 1;
    }
    std::wstring out = (state & MF_CHECKED) ? L"checked" : L"unchecked";
    out += (state & (MF_GRAYED | MF_DISABLED)) ? L" grayed" : L" enabled";
    PrintLine(out);
    return 0;
}

namespace {
BOOL CALLBACK PrintChild(HWND hwnd, LPARAM) {
    std::wstring text = TextOf(hwnd);
    if (text.size() > 60) text = text.substr(0, 60) + L"...";
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n' || c == L'\t') c = L' ';
    wchar_t head[128];
    swprintf(head, 128, L"%6d %-24ls %ls ", GetDlgCtrlID(hwnd), ClassOf(hwnd).c_str(),
             IsWindowVisible(hwnd) ? L"visible" : L"hidden ");
    PrintLine(head + text);
    return TRUE;
}
}  // namespace

// Lists every window below the frame: id, class, visibility, text. For writing and debugging scenarios.
int VerbControls(Invocation& in) {
    EnumChildWindows(in.target.frame, PrintChild, 0);
    return 0;
}

int VerbPid(Invocation& in) {
    PrintLine(std::to_wstring(in.target.pid));
    return 0;
}

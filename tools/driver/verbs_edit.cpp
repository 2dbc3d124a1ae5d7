// Verbs for edit mode, find and replace and the page's context menu:
//   select ID START END      selects characters START..END of an edit control (the page: 1018)
//   selection ID             prints "START END" of its selection
//   enabled ID               prints "enabled" or "disabled" (with --box: a control of the dialog)
//   toolbar-pressed ID       prints "pressed" or "raised" for the tool-bar button of command ID
//   context-menu             right-clicks the page and waits for the pop-up menu; prints its items, one a
//                            line ("-" for a separator, a grey item with " (grey)" after it) when the
//                            menu can be read from here, else "open"
//   menu-key KEY             a key to the open pop-up menu: a letter chooses its item, or down, up,
//                            return, escape
//   double-click ID          the double-click notification of a list box (the library: 1000) to its owner
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>

#include <cwchar>
#include <string>

#include "utf8_out.h"
#include "verbs.h"

namespace {

constexpr int kPageControlId = 1018;

bool Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
    return SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

struct MenuSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK MatchMenu(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<MenuSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && IsWindowVisible(hwnd) && ClassOf(hwnd) == L"#32768") {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The pop-up menu window the reader shows, or null.
HWND WaitForPopupMenu(DWORD pid, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MenuSearch search{pid, nullptr};
        EnumWindows(MatchMenu, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(50);
    }
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

int VerbContextMenu(Invocation& in) {
    HWND page = ControlOrReport(in, kPageControlId);
    if (!page) return 1;
    RECT r{};
    GetClientRect(page, &r);
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    // The control reports the mouse event to the view, which shows the menu at the cursor.
    if (!PostMessageW(page, WM_RBUTTONDOWN, MK_RBUTTON, at) || !PostMessageW(page, WM_RBUTTONUP, 0, at))
        return 1;
    HWND menuWindow = WaitForPopupMenu(in.target.pid, in.timeoutMs);
    if (!menuWindow) {
        PrintError(L"no pop-up menu");
        return 1;
    }
    DWORD_PTR handle = 0;
    HMENU menu = Send(menuWindow, MN_GETHMENU, 0, 0, handle) ? reinterpret_cast<HMENU>(handle) : nullptr;
    const int count = menu ? GetMenuItemCount(menu) : -1;
    if (count < 0) {
        PrintLine(L"open");
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        wchar_t label[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = label;
        info.cch = 255;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) return 1;
        if (info.fType & MFT_SEPARATOR) {
            PrintLine(L"-");
            continue;
        }
        PrintLine(std::wstring(label) + ((info.fState & MFS_GRAYED) ? L" (grey)" : L""));
    }
    return 0;
}

int VerbMenuKey(Invocation& in) {
    if (in.args.empty()) return 2;
    HWND menuWindow = WaitForPopupMenu(in.target.pid, in.timeoutMs);
    if (!menuWindow) {
        PrintError(L"no pop-up menu");
        return 1;
    }
    const std::wstring& key = in.args[0];
    WORD vk = 0;
    if (_wcsicmp(key.c_str(), L"down") == 0) vk = VK_DOWN;
    if (_wcsicmp(key.c_str(), L"up") == 0) vk = VK_UP;
    if (_wcsicmp(key.c_str(), L"return") == 0) vk = VK_RETURN;
    if (_wcsicmp(key.c_str(), L"escape") == 0) vk = VK_ESCAPE;
    // The menu's own loop reads the reader's message queue: posted keys reach it as typed ones would. A
    // letter goes as its character only: the loop would make another one from a key-down.
    if (vk != 0) return PostMessageW(menuWindow, WM_KEYDOWN, vk, 1) ? 0 : 1;
    if (key.size() != 1) return 2;
    return PostMessageW(menuWindow, WM_CHAR, key[0], 1) ? 0 : 1;
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

// Verbs about windows rather than their text: placement, focus, visibility, list rows, and the dialogs
// the reader shows on its own.
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>

#include <cwchar>

#include "remote_buffer.h"
#include "utf8_out.h"
#include "verbs.h"

namespace {

std::wstring RectText(const RECT& r) {
    return std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
           std::to_wstring(r.right - r.left) + L" " + std::to_wstring(r.bottom - r.top);
}

// One cell of a report-style list view. LVM_GETITEMTEXT carries pointers that the system does not carry
// across processes, so the item record and its text buffer live in the reader.
bool ListViewCell(HWND list, DWORD pid, int row, int column, std::wstring& out) {
    constexpr size_t kChars = 1024;
    RemoteBuffer block(pid, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    if (!block.ok()) return false;
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kChars;
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(block.address()) + sizeof(LVITEMW));
    if (!block.Write(&item, sizeof item)) return false;
    DWORD_PTR length = 0;
    if (!SendPatiently(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                       reinterpret_cast<LPARAM>(block.address()), &length))
        return false;
    if (length > kChars - 1) length = kChars - 1;
    std::vector<char> bytes = block.Read(length * sizeof(wchar_t), sizeof(LVITEMW));
    out.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    return true;
}

int PrintListViewRows(HWND list, DWORD pid) {
    DWORD_PTR rows = 0, header = 0, columns = 0;
    if (!SendPatiently(list, LVM_GETITEMCOUNT, 0, 0, &rows)) return 1;
    if (SendPatiently(list, LVM_GETHEADER, 0, 0, &header) && header)
        SendPatiently(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, &columns);
    if (columns == 0) columns = 1;
    for (size_t row = 0; row < rows; ++row) {
        std::wstring line, cell;
        for (size_t column = 0; column < columns; ++column) {
            if (!ListViewCell(list, pid, static_cast<int>(row), static_cast<int>(column), cell)) return 1;
            line += (column ? L"\t" : L"") + cell;
        }
        PrintLine(line);
    }
    return 0;
}

// List boxes are standard controls: the system carries LB_GETTEXT across processes.
int PrintListBoxRows(HWND list) {
    DWORD_PTR rows = 0;
    if (!SendPatiently(list, LB_GETCOUNT, 0, 0, &rows)) return 1;
    for (size_t row = 0; row < rows; ++row) {
        DWORD_PTR length = 0;
        if (!SendPatiently(list, LB_GETTEXTLEN, row, 0, &length) || length == static_cast<DWORD_PTR>(LB_ERR))
            return 1;
        std::vector<wchar_t> buf(length + 2, L'\0');
        DWORD_PTR copied = 0;
        SendPatiently(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(buf.data()), &copied);
        PrintLine(std::wstring(buf.data(), wcsnlen(buf.data(), buf.size())));
    }
    return 0;
}

}  // namespace

// rect: the frame's rectangle on the screen as "X Y WIDTH HEIGHT"; rect ID: the same for a control.
int VerbRect(Invocation& in) {
    HWND window = in.target.frame;
    long id = 0;
    if (!in.args.empty()) {
        if (!in.IntArg(0, id)) return 2;
        in.toId = static_cast<int>(id);
        window = ControlOrReport(in, 0);
        if (!window) return 1;
    }
    RECT r{};
    if (!GetWindowRect(window, &r)) return 1;
    PrintLine(RectText(r));
    return 0;
}

// screen: "WIDTH HEIGHT" of the primary screen (under Wine, of the virtual desktop).
int VerbScreen(Invocation&) {
    PrintLine(std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" " +
              std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
    return 0;
}

// move X Y WIDTH HEIGHT: moves and sizes the frame, as a reader dragging its border would, and waits until
// the frame stays there. Under Wine a late report of an earlier position can put the frame back right after
// a move, so the move is asked again until the rectangle has held for half a second.
int VerbMove(Invocation& in) {
    long x = 0, y = 0, w = 0, h = 0;
    if (!in.IntArg(0, x) || !in.IntArg(1, y) || !in.IntArg(2, w) || !in.IntArg(3, h)) return 2;
    constexpr DWORD kHoldMs = 500;
    DWORD start = GetTickCount();
    DWORD heldSince = 0;
    bool held = false;
    while (GetTickCount() - start < in.timeoutMs) {
        RECT r{};
        GetWindowRect(in.target.frame, &r);
        if (r.left == x && r.top == y && r.right - r.left == w && r.bottom - r.top == h) {
            if (!held) heldSince = GetTickCount();
            held = true;
            if (GetTickCount() - heldSince >= kHoldMs) return 0;
        } else {
            held = false;
            SetWindowPos(in.target.frame, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        Sleep(30);
    }
    PrintError(L"the frame did not stay at the place asked for");
    return 1;
}

// focus ID: brings the reader forward with the keyboard focus on the control (the reader filters keys by
// the control that has the focus). Fails when the focus did not arrive.
int VerbFocus(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    in.toId = static_cast<int>(id);
    HWND control = ControlOrReport(in, 0);
    if (!control) return 1;
    DWORD start = GetTickCount();
    for (;;) {
        FocusControl(in.target, control);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(in.target.thread, &info) && info.hwndFocus == control) return 0;
        if (GetTickCount() - start >= in.timeoutMs) break;
    }
    PrintError(L"the focus did not reach control " + std::to_wstring(id));
    return 1;
}

// focused: the id of the control that has the keyboard focus in the reader, or "none".
int VerbFocused(Invocation& in) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(in.target.thread, &info) || !info.hwndFocus) {
        PrintLine(L"none");
        return 0;
    }
    PrintLine(std::to_wstring(GetDlgCtrlID(info.hwndFocus)));
    return 0;
}

// visible ID: "visible" or "hidden" (a control inside a hidden parent counts as hidden).
int VerbVisible(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    in.toId = static_cast<int>(id);
    HWND control = ControlOrReport(in, 0);
    if (!control) return 1;
    PrintLine(IsWindowVisible(control) ? L"visible" : L"hidden");
    return 0;
}

// rows ID: the rows of a list view (cells separated by tabs) or of a list box, one a line.
int VerbRows(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    in.toId = static_cast<int>(id);
    HWND list = ControlOrReport(in, 0);
    if (!list) return 1;
    std::wstring cls = ClassOf(list);
    if (_wcsicmp(cls.c_str(), WC_LISTVIEWW) == 0) return PrintListViewRows(list, in.target.pid);
    if (_wcsicmp(cls.c_str(), L"ListBox") == 0) return PrintListBoxRows(list);
    PrintError(L"control " + std::to_wstring(id) + L" is a " + cls + L", not a list");
    return 2;
}

// select-row ID ROW: selects a row of a list view (selected and focused, as a click leaves it) or of a list
// box. The list-view item record lives in the reader, since LVM_SETITEMSTATE carries a pointer.
int VerbSelectRow(Invocation& in) {
    long id = 0, row = 0;
    if (!in.IntArg(0, id) || !in.IntArg(1, row) || row < 0) return 2;
    in.toId = static_cast<int>(id);
    HWND list = ControlOrReport(in, 0);
    if (!list) return 1;
    std::wstring cls = ClassOf(list);
    DWORD_PTR result = 0;
    if (_wcsicmp(cls.c_str(), L"ListBox") == 0) {
        return SendMessageTimeoutW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0, SMTO_ABORTIFHUNG,
                                   kSendTimeoutMs, &result) &&
                       result == static_cast<DWORD_PTR>(row)
                   ? 0
                   : 1;
    }
    if (_wcsicmp(cls.c_str(), WC_LISTVIEWW) != 0) {
        PrintError(L"control " + std::to_wstring(id) + L" is a " + cls + L", not a list");
        return 2;
    }
    DWORD_PTR rows = 0;
    if (!SendPatiently(list, LVM_GETITEMCOUNT, 0, 0, &rows) || static_cast<DWORD_PTR>(row) >= rows) {
        PrintError(L"the list has no row " + std::to_wstring(row));
        return 1;
    }
    RemoteBuffer block(in.target.pid, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (!block.ok() || !block.Write(&item, sizeof item)) {
        PrintError(L"cannot reach the reader's memory");
        return 1;
    }
    return SendMessageTimeoutW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                               reinterpret_cast<LPARAM>(block.address()), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               &result) &&
                   result
               ? 0
               : 1;
}

// wait-gone-msgbox: waits until the reader shows no message box or dialog (boxes that close themselves);
// prints how many milliseconds that took.
int VerbWaitGoneMsgBox(Invocation& in) {
    DWORD start = GetTickCount();
    while (FindMessageBox(in.target.pid)) {
        if (GetTickCount() - start >= in.timeoutMs) {
            PrintError(L"a message box is still shown");
            return 1;
        }
        Sleep(20);
    }
    PrintLine(std::to_wstring(GetTickCount() - start));
    return 0;
}

// dismiss: closes the reader's message box or dialog as its close button would (WM_CLOSE), for dialogs
// without a Cancel button.
int VerbDismiss(Invocation& in) {
    HWND box = WaitForMessageBox(in.target.pid, in.timeoutMs);
    if (!box) {
        PrintError(L"no message box");
        return 1;
    }
    PostMessageW(box, WM_CLOSE, 0, 0);
    return WaitMessageBoxGone(box, in.timeoutMs) ? 0 : 1;
}

// Verbs around the tray icon and the pop-up menus of the reader: the tips of the notification area's icons,
// an icon added or taken away in the reader's name (a taskbar that forgot it, another program holding its
// place), an item of an open pop-up menu chosen as the keyboard chooses it (this platform does not let
// another process read the items), and the frame's show state.
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "remote_buffer.h"
#include "utf8_out.h"
#include "verbs.h"

namespace {

constexpr UINT kReaderTrayId = 128;
constexpr int kStatusBarId = 59393;

// The texts of the tools shown by a tooltip window of another process.
std::vector<std::wstring> ToolTexts(HWND tip, DWORD pid) {
    std::vector<std::wstring> texts;
    constexpr size_t kTextChars = 1024;
    RemoteBuffer remote(pid, sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t));
    if (!remote.ok()) return texts;
    auto* remoteText = static_cast<wchar_t*>(remote.address()) + sizeof(TTTOOLINFOW) / sizeof(wchar_t);
    DWORD_PTR count = 0;
    if (!SendPatiently(tip, TTM_GETTOOLCOUNT, 0, 0, &count)) return texts;
    for (DWORD_PTR i = 0; i < count; ++i) {
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.lpszText = remoteText;
        const wchar_t none = L'\0';
        remote.Write(&none, sizeof none, sizeof(TTTOOLINFOW));
        remote.Write(&info, sizeof info);
        DWORD_PTR ok = 0;
        if (!SendPatiently(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote.address()), &ok) || !ok)
            continue;
        std::vector<char> back = remote.Read(sizeof info);
        if (back.size() == sizeof info) std::memcpy(&info, back.data(), sizeof info);
        std::vector<char> raw = remote.Read((kTextChars - 1) * sizeof(wchar_t), sizeof(TTTOOLINFOW));
        std::wstring text(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / sizeof(wchar_t));
        text.resize(std::wcslen(text.c_str()));
        // The area keeps the tools of icons gone, with an empty rectangle.
        if (!IsRectEmpty(&info.rect)) texts.push_back(text);
    }
    return texts;
}

HWND VisiblePopup(DWORD pid) {
    for (HWND popup : TopLevelOfClass(pid, L"#32768"))
        if (IsWindowVisible(popup)) return popup;
    return nullptr;
}

HWND WaitPopup(const Invocation& in) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND popup = VisiblePopup(in.target.pid)) return popup;
        if (GetTickCount() - start >= in.timeoutMs) return nullptr;
        Sleep(50);
    }
}

}  // namespace

// tray-tips: the tip of each icon shown in the notification area, one a line (a carriage return and a line
// feed inside a tip shown as "\r" and "\n", see Escaped); nothing when the area shows no icon.
int VerbTrayTips(Invocation&) {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray) {
        PrintError(L"no notification area");
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(tray, &pid);
    for (HWND tip : TopLevelOfClass(pid, TOOLTIPS_CLASSW)) {
        for (const std::wstring& text : ToolTexts(tip, pid)) PrintLine(Escaped(text));
    }
    return 0;
}

// tray-icon add|delete: the reader's icon (its frame, id 128) added or deleted from outside, as another
// program taking its place or a restarted taskbar that has forgotten it would leave the area.
int VerbTrayIcon(Invocation& in) {
    if (in.args.empty()) return 2;
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = in.target.frame;
    nid.uID = kReaderTrayId;
    if (in.args[0] == L"add") {
        nid.uFlags = NIF_ICON | NIF_TIP;
        nid.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
        wcscpy_s(nid.szTip, L"stand-in");
        return Shell_NotifyIconW(NIM_ADD, &nid) ? 0 : 1;
    }
    if (in.args[0] == L"delete") return Shell_NotifyIconW(NIM_DELETE, &nid) ? 0 : 1;
    return 2;
}

// popup-choose N: chooses item N (from 0) of the reader's open pop-up menu with the arrow keys and Enter.
int VerbPopupChoose(Invocation& in) {
    long n = 0;
    if (!in.IntArg(0, n) || n < 0) return 2;
    HWND popup = WaitPopup(in);
    if (!popup) {
        PrintError(L"no pop-up menu");
        return 1;
    }
    // The menu loop of the reader's thread reads the keys of its queue, whichever of its windows they name.
    for (long i = 0; i <= n; ++i) {
        PostMessageW(in.target.frame, WM_KEYDOWN, VK_DOWN, 0x00500001);
        Sleep(80);
    }
    PostMessageW(in.target.frame, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    const DWORD start = GetTickCount();
    while (VisiblePopup(in.target.pid)) {
        if (GetTickCount() - start >= in.timeoutMs) {
            PrintError(L"the menu stays open");
            return 1;
        }
        Sleep(50);
    }
    return 0;
}

// frame-state: "hidden", "minimised", "maximised" or "normal".
int VerbFrameState(Invocation& in) {
    HWND frame = in.target.frame;
    PrintLine(!IsWindowVisible(frame) ? L"hidden"
              : IsIconic(frame)       ? L"minimised"
              : IsZoomed(frame)       ? L"maximised"
                                      : L"normal");
    return 0;
}

// checked ID: "checked" or "unchecked", the state of a check box or radio button.
int VerbChecked(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    HWND button = ControlOrReport(in, static_cast<int>(id));
    if (!button) return 1;
    DWORD_PTR state = 0;
    if (!SendPatiently(button, BM_GETCHECK, 0, 0, &state)) return 1;
    PrintLine(state == BST_CHECKED ? L"checked" : L"unchecked");
    return 0;
}

// combo ID: the selected item's index of a combo box (-1 for none), a tab, and the text of its field.
int VerbCombo(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    HWND combo = ControlOrReport(in, static_cast<int>(id));
    if (!combo) return 1;
    DWORD_PTR index = 0;
    if (!SendPatiently(combo, CB_GETCURSEL, 0, 0, &index)) return 1;
    PrintLine(std::to_wstring(static_cast<int>(index)) + L"\t" + TextOf(combo));
    return 0;
}

// combo-pick-index ID N: item N chosen in a combo box's list, with the notification a choice with the mouse
// sends.
int VerbComboPickIndex(Invocation& in) {
    long id = 0, n = 0;
    if (!in.IntArg(0, id) || !in.IntArg(1, n)) return 2;
    HWND combo = ControlOrReport(in, static_cast<int>(id));
    if (!combo) return 1;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(combo, CB_SETCURSEL, static_cast<WPARAM>(n), 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result))
        return 1;
    return PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(combo))
               ? 0
               : 1;
}

// combo-type ID TEXT: TEXT typed over the whole text of a combo box's field (plain ASCII: this platform
// turns other characters posted to an ANSI field into "?").
int VerbComboType(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id) || in.args.size() < 2) return 2;
    HWND combo = ControlOrReport(in, static_cast<int>(id));
    if (!combo) return 1;
    HWND field = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    if (!field) {
        PrintError(L"the combo box has no field");
        return 1;
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(field, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    for (wchar_t c : in.args[1])
        if (!PostMessageW(field, WM_CHAR, c, 1)) return 1;
    // Sent after the characters, so it returns once they have been handled.
    SendMessageTimeoutW(field, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return 0;
}

// press ID: a click on a button as the mouse gives it (a check box or radio button changes its state).
int VerbPress(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    HWND button = ControlOrReport(in, static_cast<int>(id));
    if (!button) return 1;
    if ((GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) != BS_AUTOCHECKBOX)
        return PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 1;
    // A check box: the click is seen through, since a click posted while the dialog is taking the focus
    // back (after a file dialog, under load) can be lost; a check box that did not turn in three seconds
    // is clicked once more.
    DWORD_PTR before = 0;
    if (!SendPatiently(button, BM_GETCHECK, 0, 0, &before)) return 1;
    for (int click = 0; click < 2; ++click) {
        if (!PostMessageW(button, BM_CLICK, 0, 0)) return 1;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 3000) {
            DWORD_PTR now = before;
            if (SendPatiently(button, BM_GETCHECK, 0, 0, &now) && now != before) return 0;
            if (!IsWindowEnabled(button)) return 0;
            Sleep(50);
        }
    }
    return 0;
}

// dialog-state ID...: one line for each control: its id, "enabled" or "disabled", and its value (a check box
// or radio button "checked" or "unchecked", a combo box as the combo verb prints it, a hot-key field its
// virtual key and modifier flags, anything else its text).
int VerbDialogState(Invocation& in) {
    for (size_t i = 0; i < in.args.size(); ++i) {
        long id = 0;
        if (!in.IntArg(i, id)) return 2;
        HWND control = ControlOrReport(in, static_cast<int>(id));
        if (!control) return 1;
        std::wstring value;
        const std::wstring cls = ClassOf(control);
        const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
        DWORD_PTR result = 0;
        if (_wcsicmp(cls.c_str(), L"Button") == 0 && (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ||
                                                      type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON)) {
            SendPatiently(control, BM_GETCHECK, 0, 0, &result);
            value = result == BST_CHECKED ? L"checked" : L"unchecked";
        } else if (_wcsicmp(cls.c_str(), HOTKEY_CLASSW) == 0) {
            SendPatiently(control, HKM_GETHOTKEY, 0, 0, &result);
            value = std::to_wstring(LOBYTE(LOWORD(result))) + L" " + std::to_wstring(HIBYTE(LOWORD(result)));
        } else if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) {
            SendPatiently(control, CB_GETCURSEL, 0, 0, &result);
            value = std::to_wstring(static_cast<int>(result)) + L"\t" + TextOf(control);
        } else {
            value = TextOf(control);
        }
        PrintLine(std::to_wstring(id) + (IsWindowEnabled(control) ? L" enabled " : L" disabled ") + value);
    }
    return 0;
}

namespace {
HWND ChildOfClass(HWND root, const wchar_t* className) {
    struct Search {
        const wchar_t* cls;
        HWND found;
    } search{className, nullptr};
    EnumChildWindows(
        root,
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (_wcsicmp(ClassOf(hwnd).c_str(), s->cls) != 0) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <typename T>
bool RemoteQuery(DWORD pid, HWND to, UINT message, WPARAM wp, T& inOut) {
    RemoteBuffer remote(pid, sizeof(T));
    if (!remote.ok() || !remote.Write(&inOut, sizeof(T))) return false;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(to, message, wp, reinterpret_cast<LPARAM>(remote.address()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &result))
        return false;
    std::vector<char> back = remote.Read(sizeof(T));
    if (back.size() != sizeof(T)) return false;
    std::memcpy(&inOut, back.data(), sizeof(T));
    return result != 0;
}
}  // namespace

// toolbar-layout: "button W H" (the tool bar's button size), "first W H" (its first button's rectangle),
// "band WIDTH IDEAL MINCHILD" (the rebar band that holds it), then "centre I X Y" (screen point) for each
// button.
int VerbToolbarLayout(Invocation& in) {
    HWND toolbar = ChildOfClass(in.target.frame, TOOLBARCLASSNAMEW);
    HWND rebar = ChildOfClass(in.target.frame, REBARCLASSNAMEW);
    if (!toolbar || !rebar) {
        PrintError(L"no tool bar in a rebar");
        return 1;
    }
    DWORD_PTR size = 0, count = 0;
    SendPatiently(toolbar, TB_GETBUTTONSIZE, 0, 0, &size);
    SendPatiently(toolbar, TB_BUTTONCOUNT, 0, 0, &count);
    PrintLine(L"button " + std::to_wstring(LOWORD(size)) + L" " + std::to_wstring(HIWORD(size)));
    RECT first{};
    if (!RemoteQuery(in.target.pid, toolbar, TB_GETITEMRECT, 0, first)) return 1;
    PrintLine(L"first " + std::to_wstring(first.right - first.left) + L" " +
              std::to_wstring(first.bottom - first.top));
    REBARBANDINFOW band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_SIZE | RBBIM_IDEALSIZE | RBBIM_CHILDSIZE;
    if (!RemoteQuery(in.target.pid, rebar, RB_GETBANDINFOW, 0, band)) return 1;
    PrintLine(L"band " + std::to_wstring(band.cx) + L" " + std::to_wstring(band.cxIdeal) + L" " +
              std::to_wstring(band.cxMinChild));
    for (DWORD_PTR i = 0; i < count; ++i) {
        RECT rc{};
        if (!RemoteQuery(in.target.pid, toolbar, TB_GETITEMRECT, i, rc)) continue;
        MapWindowPoints(toolbar, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
        PrintLine(L"centre " + std::to_wstring(i) + L" " + std::to_wstring((rc.left + rc.right) / 2) + L" " +
                  std::to_wstring((rc.top + rc.bottom) / 2));
    }
    return 0;
}

// status-parts TEXT: the right edges of the status bar's panes, then "client WIDTH GRIP" (the bar's client
// width and the size grip's), then "sample WIDTH": TEXT measured in the frame's client device context.
int VerbStatusParts(Invocation& in) {
    if (in.args.empty()) return 2;
    HWND bar = FindControl(in.target.frame, kStatusBarId);
    if (!bar) {
        PrintError(L"no status bar");
        return 1;
    }
    struct Parts {
        int right[8];
    } parts{};
    if (!RemoteQuery(in.target.pid, bar, SB_GETPARTS, 8, parts)) return 1;
    DWORD_PTR n = 0;
    SendPatiently(bar, SB_GETPARTS, 0, 0, &n);
    std::wstring line;
    for (DWORD_PTR i = 0; i < n && i < 8; ++i) line += (i ? L" " : L"") + std::to_wstring(parts.right[i]);
    PrintLine(line);
    RECT rc{};
    GetClientRect(bar, &rc);
    PrintLine(L"client " + std::to_wstring(rc.right) + L" " +
              std::to_wstring(GetSystemMetrics(SM_CXVSCROLL)));
    HDC dc = GetDC(in.target.frame);
    // The reader measures a code-page 936 text; the wide form has the same glyphs.
    SIZE sz{};
    GetTextExtentPoint32W(dc, in.args[0].c_str(), static_cast<int>(in.args[0].size()), &sz);
    ReleaseDC(in.target.frame, dc);
    PrintLine(L"sample " + std::to_wstring(sz.cx));
    return 0;
}

// box-icon: the colours of the icon of the reader's message box as the screen shows it: "yellow N blue N
// red N", the counts of its pixels of each kind (an exclamation mark is drawn on yellow, the information and
// question marks on blue, a stop sign on red). "none" when the box has no icon.
int VerbBoxIcon(Invocation& in) {
    HWND box = WaitForMessageBox(in.target.pid, in.timeoutMs);
    if (!box) {
        PrintError(L"no message box");
        return 1;
    }
    HWND icon = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child && !icon; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child))
            icon = child;
    if (!icon) {
        PrintLine(L"none");
        return 0;
    }
    // Drawn by now: the box paints its icon when it is shown.
    Sleep(150);
    RECT rc{};
    GetWindowRect(icon, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) return 1;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    int yellow = 0, blue = 0, red = 0;
    for (int i = 0; i < w * h; ++i) {
        const DWORD v = static_cast<const DWORD*>(bits)[i];
        const int r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
        if (r > 180 && g > 150 && b < 100) ++yellow;
        if (b > 150 && r < 100) ++blue;
        if (r > 150 && g < 80 && b < 80) ++red;
    }
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    PrintLine(L"yellow " + std::to_wstring(yellow) + L" blue " + std::to_wstring(blue) + L" red " +
              std::to_wstring(red));
    return 0;
}

// set-hotkey ID VK: the key of a hot-key field, without modifiers.
int VerbSetHotKey(Invocation& in) {
    long id = 0, vk = 0;
    if (!in.IntArg(0, id) || !in.IntArg(1, vk)) return 2;
    HWND field = ControlOrReport(in, static_cast<int>(id));
    if (!field) return 1;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(field, HKM_SETHOTKEY, static_cast<WPARAM>(vk & 0xFF), 0, SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &result)
               ? 0
               : 1;
}

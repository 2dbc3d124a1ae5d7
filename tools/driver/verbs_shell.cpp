// Verbs around the shell side of the reader: the hyperlink labels of its About box (their tooltips, the
// pointer over them, a real click), its menu bar opened as the keyboard opens it, the version resource
// of a program file, and registry keys that refuse the reader's writes.
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>
#include <winver.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "remote_buffer.h"
#include "utf8_out.h"
#include "verbs.h"

namespace {

struct ProcessWindows {
    DWORD pid;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOfClass(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ProcessWindows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && ClassOf(hwnd) == search->className) search->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelOfClass(DWORD pid, const wchar_t* className) {
    ProcessWindows search{pid, className, {}};
    EnumWindows(CollectOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

bool SendPointerTo(int x, int y, int w, int h) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65535 + (w - 1) / 2) / (w - 1));
    input.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65535 + (h - 1) / 2) / (h - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return SendInput(1, &input, sizeof input) == 1;
}

bool ControlCentre(const Invocation& in, POINT& centre) {
    long id = 0;
    if (!in.IntArg(0, id)) return false;
    HWND control = FindControl(in.target.frame, static_cast<int>(id));
    if (!control) {
        PrintError(L"no control " + std::to_wstring(id));
        return false;
    }
    RECT rc{};
    GetWindowRect(control, &rc);
    centre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    return true;
}

void PrintRect(const RECT& rc) {
    PrintLine(std::to_wstring(rc.left) + L" " + std::to_wstring(rc.top) + L" " +
              std::to_wstring(rc.right - rc.left) + L" " + std::to_wstring(rc.bottom - rc.top));
}

HWND VisibleMenuPopup(DWORD pid) {
    for (HWND popup : TopLevelOfClass(pid, L"#32768"))
        if (IsWindowVisible(popup)) return popup;
    return nullptr;
}

}  // namespace

// Moves the pointer to a screen point as a real mouse would, so that the window below it gets its moves.
// Under Wine the window below sees a move only when the next one comes, so the pointer goes on by one
// pixel after a pause and comes back: the moves to the point itself are seen at once.
bool MovePointer(int x, int y) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    if (w < 2 || h < 2) return false;
    const int nudged = x + 1 < w ? x + 1 : x - 1;
    if (!SendPointerTo(x, y, w, h)) return false;
    Sleep(40);
    if (!SendPointerTo(nudged, y, w, h)) return false;
    Sleep(40);
    return SendPointerTo(x, y, w, h);
}

// tooltip ID: the text of the tooltip tool that covers control ID (with --box: of the reader's dialog).
int VerbTooltip(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    HWND control = FindControl(in.target.frame, static_cast<int>(id));
    if (!control) {
        PrintError(L"no control " + std::to_wstring(id));
        return 1;
    }
    constexpr size_t kTextChars = 2048;
    RemoteBuffer remote(in.target.pid, sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t));
    if (!remote.ok()) {
        PrintError(L"cannot reach the reader's memory");
        return 1;
    }
    auto* remoteText = static_cast<wchar_t*>(remote.address()) + sizeof(TTTOOLINFOW) / sizeof(wchar_t);
    for (HWND tip : TopLevelOfClass(in.target.pid, TOOLTIPS_CLASSW)) {
        DWORD_PTR count = 0;
        if (!SendPatiently(tip, TTM_GETTOOLCOUNT, 0, 0, &count)) continue;
        for (DWORD_PTR i = 0; i < count; ++i) {
            TTTOOLINFOW info{};
            info.cbSize = TTTOOLINFOW_V2_SIZE;
            info.lpszText = remoteText;
            const wchar_t none = L'\0';
            remote.Write(&none, sizeof none, sizeof(TTTOOLINFOW));
            remote.Write(&info, sizeof info);
            DWORD_PTR ok = 0;
            if (!SendPatiently(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote.address()), &ok) ||
                !ok)
                continue;
            std::vector<char> back = remote.Read(sizeof info);
            if (back.size() != sizeof info) continue;
            std::memcpy(&info, back.data(), sizeof info);
            HWND tool = (info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) : info.hwnd;
            if (tool != control) continue;
            std::vector<char> raw = remote.Read((kTextChars - 1) * sizeof(wchar_t), sizeof(TTTOOLINFOW));
            std::wstring text(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / sizeof(wchar_t));
            text.resize(std::wcslen(text.c_str()));
            PrintLine(text);
            return 0;
        }
    }
    PrintError(L"no tooltip covers control " + std::to_wstring(id));
    return 1;
}

// hover ID: the pointer onto the centre of control ID. hover-at X Y: onto a screen point.
int VerbHover(Invocation& in) {
    POINT centre{};
    if (!ControlCentre(in, centre)) return 1;
    return MovePointer(centre.x, centre.y) ? 0 : 1;
}

int VerbHoverAt(Invocation& in) {
    long x = 0, y = 0;
    if (!in.IntArg(0, x) || !in.IntArg(1, y)) return 2;
    return MovePointer(static_cast<int>(x), static_cast<int>(y)) ? 0 : 1;
}

// mouse-click ID: a left click with the real mouse on the centre of control ID; returns at once.
int VerbMouseClick(Invocation& in) {
    POINT centre{};
    if (!ControlCentre(in, centre)) return 1;
    if (!MovePointer(centre.x, centre.y)) return 1;
    Sleep(50);
    INPUT clicks[2]{};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, clicks, sizeof(INPUT)) == 2 ? 0 : 1;
}

// syscolor N: the system colour N of this prefix as "R,G,B".
int VerbSysColor(Invocation& in) {
    long index = 0;
    if (!in.IntArg(0, index)) return 2;
    COLORREF c = GetSysColor(static_cast<int>(index));
    PrintLine(std::to_wstring(GetRValue(c)) + L"," + std::to_wstring(GetGValue(c)) + L"," +
              std::to_wstring(GetBValue(c)));
    return 0;
}

// open-menu LETTER: opens the frame's menu bar item of that access key as Alt+LETTER does and prints the
// rectangle of the pop-up ("X Y WIDTH HEIGHT") once it is shown. close-menu: closes it again.
int VerbOpenMenu(Invocation& in) {
    if (in.args.empty() || in.args[0].size() != 1) return 2;
    if (VisibleMenuPopup(in.target.pid)) {
        PrintError(L"a menu is open already");
        return 1;
    }
    SetForegroundWindow(in.target.frame);
    PostMessageW(in.target.frame, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(in.args[0][0]));
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND popup = VisibleMenuPopup(in.target.pid)) {
            // The pop-up is drawn right after it is shown.
            Sleep(300);
            RECT rc{};
            GetWindowRect(popup, &rc);
            PrintRect(rc);
            return 0;
        }
        if (GetTickCount() - start >= in.timeoutMs) break;
        Sleep(50);
    }
    PrintError(L"no menu opened");
    return 1;
}

int VerbCloseMenu(Invocation& in) {
    // The menu loop of the reader's thread takes the keys of any of its windows: one Escape closes the
    // pop-up, the next leaves the menu bar. No Escape is sent once the thread has left the menu, so that
    // none reaches the reader's own key handling.
    DWORD start = GetTickCount();
    for (;;) {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        bool inMenu = GetGUIThreadInfo(in.target.thread, &gui) &&
                      (gui.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE));
        if (!inMenu && !VisibleMenuPopup(in.target.pid)) return 0;
        if (GetTickCount() - start >= in.timeoutMs) {
            PrintError(L"the menu stays open");
            return 1;
        }
        PostMessageW(in.target.frame, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        Sleep(200);
    }
}

// file-version PATH: the version resource of a program file: "FILEVERSION PRODUCTVERSION" of the fixed
// part, then the strings FileVersion, ProductVersion and FileDescription, one a line.
int VerbFileVersion(Invocation& in) {
    if (in.args.empty()) return 2;
    const std::wstring& path = in.args[0];
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    std::vector<char> block(size);
    if (!size || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        PrintError(L"no version resource in " + path);
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &len) || !fixed) return 1;
    auto dotted = [](DWORD ms, DWORD ls) {
        return std::to_wstring(HIWORD(ms)) + L"." + std::to_wstring(LOWORD(ms)) + L"." +
               std::to_wstring(HIWORD(ls)) + L"." + std::to_wstring(LOWORD(ls));
    };
    PrintLine(dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS) + L" " +
              dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"FileDescription"}) {
        wchar_t* value = nullptr;
        std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
        if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &len) || !value)
            PrintLine(L"<missing>");
        else
            PrintLine(value);
    }
    return 0;
}

// reg-volatile KEY: creates KEY (under HKEY_CLASSES_ROOT) as a volatile key, below which the registry
// refuses to create lasting keys (the way to make a key refuse a program's writes in a Wine prefix, whose
// registry does not enforce access lists). Fails when KEY exists already as a lasting key.
int VerbRegVolatile(Invocation& in) {
    if (in.args.empty()) return 2;
    HKEY key = nullptr;
    DWORD disposition = 0;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, in.args[0].c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition);
    if (rc != ERROR_SUCCESS) {
        PrintError(L"cannot create the key: error " + std::to_wstring(rc));
        return 1;
    }
    RegCloseKey(key);
    if (disposition != REG_CREATED_NEW_KEY) {
        PrintError(L"the key exists already");
        return 1;
    }
    return 0;
}

#include "window_search.h"

#include <vector>

namespace {

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (GetDlgCtrlID(hwnd) == search->id) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct BoxSearch {
    DWORD pid;
    bool plainOnly;
    HWND found;
};

BOOL CALLBACK MatchInputControl(HWND hwnd, LPARAM param) {
    std::wstring cls = ClassOf(hwnd);
    if (cls != L"Button" && cls != L"Static") {
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
    }
    return TRUE;
}

bool IsPlainMessageBox(HWND hwnd) {
    bool input = false;
    EnumChildWindows(hwnd, MatchInputControl, reinterpret_cast<LPARAM>(&input));
    return !input;
}

BOOL CALLBACK MatchBox(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && IsWindowVisible(hwnd) && ClassOf(hwnd) == L"#32770" &&
        (!search->plainOnly || IsPlainMessageBox(hwnd))) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

}  // namespace

bool WaitForFrame(const std::wstring& className, DWORD timeoutMs, bool visible, Target& out) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND frame = FindWindowW(className.c_str(), nullptr);
        if (frame && (!visible || IsWindowVisible(frame))) {
            out.frame = frame;
            out.thread = GetWindowThreadProcessId(frame, &out.pid);
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(50);
    }
}

HWND FindControl(HWND root, int id) {
    ControlSearch search{id, nullptr};
    EnumChildWindows(root, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMessageBox(DWORD pid, bool plainOnly) {
    BoxSearch search{pid, plainOnly, nullptr};
    EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND box = FindMessageBox(pid)) return box;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(50);
    }
}

HWND WaitForPlainMessageBox(DWORD pid, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND box = FindMessageBox(pid, true)) return box;
        if (GetTickCount() - start >= timeoutMs) return FindMessageBox(pid);
        Sleep(50);
    }
}

std::wstring MessageBoxText(HWND box) {
    // Windows gives the message static the id 0xFFFF, Wine gives it 100; otherwise take the longest static
    // text.
    for (int id : {0xFFFF, 100}) {
        HWND text = GetDlgItem(box, id);
        if (text && ClassOf(text) == L"Static") {
            std::wstring s = TextOf(text);
            if (!s.empty()) return s;
        }
    }
    std::vector<HWND> children;
    EnumChildWindows(box, CollectChildren, reinterpret_cast<LPARAM>(&children));
    std::wstring best;
    for (HWND child : children) {
        if (ClassOf(child) != L"Static") continue;
        std::wstring s = TextOf(child);
        if (s.size() > best.size()) best = s;
    }
    return best;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    int n = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
}

bool SendPatiently(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    const DWORD start = GetTickCount();
    for (int attempt = 0;; ++attempt) {
        if (attempt) Sleep(100);
        if (SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, result))
            return true;
        if (!IsWindow(hwnd) || (attempt >= 2 && GetTickCount() - start >= 3000)) return false;
    }
}

std::wstring TextOf(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendPatiently(hwnd, WM_GETTEXTLENGTH, 0, 0, &length)) return {};
    // The length may be given in bytes of the window's code page: room for that many wide characters
    // suffices.
    std::vector<wchar_t> buf(length + 2, L'\0');
    DWORD_PTR copied = 0;
    if (!SendPatiently(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), &copied))
        return {};
    if (copied > buf.size() - 1) copied = buf.size() - 1;
    return std::wstring(buf.data(), copied);
}

bool ProcessAlive(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return false;
    bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

bool WaitProcessEnd(DWORD pid, DWORD timeoutMs) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return true;
    bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

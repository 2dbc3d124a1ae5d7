#include <windows.h>
// The headers below need windows.h first.
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <cwctype>

#include "remote_buffer.h"
#include "utf8_out.h"
#include "verbs.h"

namespace {

constexpr int kPageControlId = 1018;
constexpr UINT kExitCommand = 57665;

struct KeyName {
    const wchar_t* name;
    WORD vk;
};

constexpr KeyName kKeyNames[] = {
    {L"left", VK_LEFT},   {L"right", VK_RIGHT},   {L"up", VK_UP},         {L"down", VK_DOWN},
    {L"prior", VK_PRIOR}, {L"pageup", VK_PRIOR},  {L"next", VK_NEXT},     {L"pagedown", VK_NEXT},
    {L"home", VK_HOME},   {L"end", VK_END},       {L"return", VK_RETURN}, {L"enter", VK_RETURN},
    {L"space", VK_SPACE}, {L"escape", VK_ESCAPE}, {L"esc", VK_ESCAPE},    {L"tab", VK_TAB},
    {L"back", VK_BACK},   {L"delete", VK_DELETE}, {L"insert", VK_INSERT},
};

// A key given as a name (left, next, f5, a, 7) or as a number.
bool ParseKey(const std::wstring& word, WORD& vk) {
    std::wstring lower;
    for (wchar_t c : word) lower += static_cast<wchar_t>(std::towlower(c));
    for (const KeyName& k : kKeyNames)
        if (lower == k.name) {
            vk = k.vk;
            return true;
        }
    if (lower.size() >= 2 && lower.size() <= 3 && lower[0] == L'f' && std::iswdigit(lower[1])) {
        int n = std::wcstol(lower.c_str() + 1, nullptr, 10);
        if (n >= 1 && n <= 24) {
            vk = static_cast<WORD>(VK_F1 + n - 1);
            return true;
        }
    }
    if (lower.size() == 1 && (std::iswalnum(lower[0]))) {
        vk = static_cast<WORD>(std::towupper(lower[0]));
        return true;
    }
    wchar_t* end = nullptr;
    long n = std::wcstol(word.c_str(), &end, 0);
    if (end && *end == L'\0' && n > 0 && n < 256) {
        vk = static_cast<WORD>(n);
        return true;
    }
    return false;
}

LPARAM KeyLParam(WORD vk, bool up) {
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM lp = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
    if (up) lp |= (1L << 30) | (1L << 31);
    return lp;
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

struct AcceptSearch {
    HWND found;
};

BOOL CALLBACK MatchAcceptFiles(HWND hwnd, LPARAM param) {
    if (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) {
        reinterpret_cast<AcceptSearch*>(param)->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The window that takes dropped files: --to ID, the frame when it accepts them, else the first descendant
// that does.
HWND DropTarget(const Invocation& in) {
    if (in.toId) return FindControl(in.target.frame, in.toId);
    if (GetWindowLongPtrW(in.target.frame, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) return in.target.frame;
    AcceptSearch search{nullptr};
    EnumChildWindows(in.target.frame, MatchAcceptFiles, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

// Brings the reader forward with the focus on `control`, so that synthesized input reaches it.
void FocusControl(const Target& target, HWND control) {
    SetForegroundWindow(target.frame);
    DWORD self = GetCurrentThreadId();
    if (AttachThreadInput(self, target.thread, TRUE)) {
        SetFocus(control);
        AttachThreadInput(self, target.thread, FALSE);
    }
    Sleep(100);
}

bool WaitMessageBoxGone(HWND box, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (IsWindow(box) && IsWindowVisible(box)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(50);
    }
    return true;
}

HWND ControlOrReport(const Invocation& in, int defaultId) {
    int id = in.toId ? in.toId : defaultId;
    HWND control = FindControl(in.target.frame, id);
    // Looked for again for a moment: under load one listing of the frame's children can come back short.
    for (DWORD start = GetTickCount();
         !control && IsWindow(in.target.frame) && GetTickCount() - start < 2000;) {
        Sleep(100);
        control = FindControl(in.target.frame, id);
    }
    if (!control) PrintError(L"no control " + std::to_wstring(id));
    return control;
}

int VerbCommand(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    return PostMessageW(in.target.frame, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0) ? 0 : 1;
}

// Plain keys are posted to the control, where the reader's message loop sees them before the control does.
// Keys with modifiers are synthesized as input, since the loop reads the modifier state from the keyboard.
int VerbKey(Invocation& in) {
    WORD vk = 0;
    if (in.args.empty() || !ParseKey(in.args[0], vk)) {
        PrintError(L"unknown key");
        return 2;
    }
    std::vector<WORD> modifiers;
    if (in.Has(L"ctrl")) modifiers.push_back(VK_CONTROL);
    if (in.Has(L"shift")) modifiers.push_back(VK_SHIFT);
    if (in.Has(L"alt")) modifiers.push_back(VK_MENU);
    HWND control = ControlOrReport(in, kPageControlId);
    if (!control) return 1;

    if (modifiers.empty() && !in.Has(L"--input")) {
        bool ok = PostMessageW(control, WM_KEYDOWN, vk, KeyLParam(vk, false)) &&
                  PostMessageW(control, WM_KEYUP, vk, KeyLParam(vk, true));
        return ok ? 0 : 1;
    }
    FocusControl(in.target, control);
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(KeyInput(m, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) inputs.push_back(KeyInput(*it, true));
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(100);
    return sent == inputs.size() ? 0 : 1;
}

// Types the text into the control as character messages, as if typed on the keyboard.
int VerbType(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id) || in.args.size() < 2) return 2;
    HWND control = ControlOrReport(in, static_cast<int>(id));
    if (!control) return 1;
    // Under Wine an ANSI edit control turns posted non-ASCII characters into "?": use set-text for those.
    for (wchar_t c : in.args[1])
        if (!PostMessageW(control, WM_CHAR, c, 1)) return 1;
    return 0;
}

int VerbSetText(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id) || in.args.size() < 2) return 2;
    HWND control = ControlOrReport(in, static_cast<int>(id));
    if (!control) return 1;
    DWORD_PTR result = 0;
    return SendPatiently(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(in.args[1].c_str()), &result) ? 0
                                                                                                        : 1;
}

// Presses a button of the reader's message box (or dialog): ok, cancel, yes, no, abort, retry, ignore, or a
// number.
int VerbAnswer(Invocation& in) {
    if (in.args.empty()) return 2;
    static const std::pair<const wchar_t*, int> kButtons[] = {
        {L"ok", IDOK},         {L"cancel", IDCANCEL}, {L"abort", IDABORT}, {L"retry", IDRETRY},
        {L"ignore", IDIGNORE}, {L"yes", IDYES},       {L"no", IDNO}};
    int id = 0;
    for (const auto& [name, value] : kButtons)
        if (_wcsicmp(in.args[0].c_str(), name) == 0) id = value;
    long number = 0;
    if (!id && in.IntArg(0, number)) id = static_cast<int>(number);
    if (!id) return 2;
    // A message box before the dialog it may be shown over; a dialog's own buttons are answered too.
    HWND box = FindMessageBox(in.target.pid, true);
    if (!box) box = WaitForMessageBox(in.target.pid, in.timeoutMs);
    if (!box) {
        PrintError(L"no message box");
        return 1;
    }
    HWND button = GetDlgItem(box, id);
    if (!button) {
        PrintError(L"the message box has no such button");
        return 1;
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return WaitMessageBoxGone(box, in.timeoutMs) ? 0 : 1;
}

// click ID: presses a button of the frame, or with --box of the reader's dialog, as a mouse click would
// (BN_CLICKED to its parent), and returns at once: the dialog may stay open or show a box of its own.
int VerbClick(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    in.toId = static_cast<int>(id);
    // A dialog's own buttons (OK is 1) are its children; the frame's may lie deeper.
    HWND button = GetDlgItem(in.target.frame, static_cast<int>(id));
    if (!button) button = ControlOrReport(in, 0);
    if (!button) return 1;
    return PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                        reinterpret_cast<LPARAM>(button))
               ? 0
               : 1;
}

// A file drop: a DROPFILES block written into the reader's process and posted as the WM_DROPFILES handle.
// The receiver's DragQueryFile takes a fixed-memory handle as the block's address, which holds across
// processes; the block stays behind in the reader (its DragFinish cannot free it, and that is harmless).
int VerbDrop(Invocation& in) {
    if (in.args.empty()) return 2;
    HWND target = DropTarget(in);
    if (!target) {
        PrintError(L"no window accepts dropped files");
        return 1;
    }
    std::wstring path = in.args[0];
    std::vector<char> bytes = DropBlockFor(path);
    RemoteBuffer block(in.target.pid, bytes.size());
    if (!block.ok() || !block.Write(bytes.data(), bytes.size())) {
        PrintError(L"cannot reach the reader's memory");
        return 1;
    }
    if (!PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block.address()), 0)) return 1;
    block.Release();
    return 0;
}

std::vector<char> DropBlockFor(const std::wstring& path) {
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    // The header, the wide path and two closing zeros (the end of the name and of the list).
    std::vector<char> bytes(sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t), 0);
    std::memcpy(bytes.data(), &header, sizeof header);
    std::memcpy(bytes.data() + sizeof header, path.c_str(), path.size() * sizeof(wchar_t));
    return bytes;
}

// Closes the reader (WM_CLOSE, or the Exit command with --exit) and waits for its process to end.
int VerbClose(Invocation& in) {
    if (in.Has(L"--exit"))
        PostMessageW(in.target.frame, WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0);
    else
        PostMessageW(in.target.frame, WM_CLOSE, 0, 0);
    if (WaitProcessEnd(in.target.pid, in.timeoutMs)) return 0;
    PrintError(L"the reader is still running");
    return 1;
}

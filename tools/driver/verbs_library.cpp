// Verbs around the library sidebar and the recent folders: the pointer onto the reading form itself, away
// from its controls, and the items of a pop-up of the reader's menu bar.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "remote_buffer.h"
#include "utf8_out.h"
#include "verbs.h"

namespace {
constexpr int kLibraryListId = 1000;

// A point of `form` (screen coordinates) where no shown control and no other window lies over the form.
bool BarePointOf(HWND form, POINT& out) {
    RECT client{};
    if (!GetClientRect(form, &client)) return false;
    for (LONG y = client.top + 2; y < client.bottom - 2; y += 3) {
        for (LONG x = client.left + 2; x < client.right - 2; x += 3) {
            POINT inside{x, y};
            if (ChildWindowFromPointEx(form, inside, CWP_SKIPINVISIBLE) != form) continue;
            POINT screen = inside;
            ClientToScreen(form, &screen);
            if (WindowFromPoint(screen) != form) continue;
            out = screen;
            return true;
        }
    }
    return false;
}
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (h_) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

std::wstring FolderOfThisProgram() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir = path;
    const size_t slash = dir.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash + 1);
}

std::string ReadWholeFile(const std::wstring& path, bool& ok) {
    ok = false;
    Handle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) return {};
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h.get(), buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    ok = true;
    return out;
}

// The reader's menu bar as pel_menu_probe.dll, loaded into the reader on a thread of its own, writes it.
bool ProbeMenus(const Invocation& in, std::string& dump) {
    const std::wstring probe = FolderOfThisProgram() + L"pel_menu_probe.dll";
    wchar_t temp[MAX_PATH] = L"";
    if (!GetTempPathW(MAX_PATH, temp)) return false;
    // A fresh copy each time: a library loaded already would not run again.
    wchar_t name[96];
    swprintf(name, 96, L"pel_menu_probe_%lu_%lu_%llx.dll", GetCurrentProcessId(), GetTickCount(),
             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(in.target.frame)));
    const std::wstring copy = std::wstring(temp) + name;
    const std::wstring result = copy + L".txt";
    if (!CopyFileW(probe.c_str(), copy.c_str(), FALSE)) {
        PrintError(L"cannot copy " + probe);
        return false;
    }
    bool ok = false;
    {
        Handle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                       PROCESS_VM_WRITE | PROCESS_VM_READ,
                                   FALSE, in.target.pid));
        RemoteBuffer remote(in.target.pid, (copy.size() + 1) * sizeof(wchar_t));
        auto* load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
        if (process.get() && remote.ok() && load &&
            remote.Write(copy.c_str(), (copy.size() + 1) * sizeof(wchar_t))) {
            Handle thread(CreateRemoteThread(process.get(), nullptr, 0, load, remote.address(), 0, nullptr));
            if (thread.get() && WaitForSingleObject(thread.get(), in.timeoutMs) == WAIT_OBJECT_0)
                dump = ReadWholeFile(result, ok);
        }
    }
    DeleteFileW(result.c_str());
    DeleteFileW(copy.c_str());
    if (!ok) PrintError(L"the menu probe gave nothing");
    return ok;
}

}  // namespace

// menu-items POPUP: the items of the pop-up of the reader's menu bar at POPUP ("文件(&F)/最近文件夹"), one
// a line: the item's id (0 for a separator or a pop-up), a blank, its text.
int VerbMenuItems(Invocation& in) {
    if (in.args.empty()) return 2;
    std::string dump;
    if (!ProbeMenus(in, dump)) return 1;
    const std::string want = ToUtf8(in.args[0]) + "\t";
    bool found = false;
    std::string out;
    size_t pos = 0;
    while (pos < dump.size()) {
        size_t end = dump.find('\n', pos);
        if (end == std::string::npos) end = dump.size();
        const std::string line = dump.substr(pos, end - pos);
        pos = end + 1;
        // A line of an item of the pop-up itself; a line that names the pop-up as its item shows it exists.
        if (line.compare(0, want.size(), want) == 0) {
            std::string rest = line.substr(want.size());
            const size_t tab = rest.find('\t');
            if (tab != std::string::npos) rest[tab] = ' ';
            out += rest + "\n";
            found = true;
        } else {
            const size_t slash = want.rfind('/');
            const std::string parent = slash == std::string::npos ? std::string() : want.substr(0, slash);
            const std::string leaf =
                want.substr(slash == std::string::npos ? 0 : slash + 1, want.size() - 1 - (slash + 1));
            if (line == parent + "\t0\t" + leaf) found = true;
        }
    }
    if (!found) {
        PrintError(L"no pop-up " + in.args[0]);
        return 1;
    }
    PrintUtf8(out);
    return 0;
}

// hover-form: the pointer onto a bare spot of the form that holds the library list (not onto a control).
int VerbHoverForm(Invocation& in) {
    HWND list = FindControl(in.target.frame, kLibraryListId);
    HWND form = list ? GetParent(list) : nullptr;
    if (!form) {
        PrintError(L"no library list");
        return 1;
    }
    POINT spot{};
    if (!BarePointOf(form, spot)) {
        PrintError(L"no bare spot on the form");
        return 1;
    }
    return MovePointer(static_cast<int>(spot.x), static_cast<int>(spot.y)) ? 0 : 1;
}

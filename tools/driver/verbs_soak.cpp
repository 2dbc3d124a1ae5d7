// Long-session verbs: the reader's object counts and private bytes, and batches of page turns, book
// openings and commands run from one driver process, so that thousands of actions take seconds.
//
//   resources            GDI USER PRIVATE_BYTES of the reader's process
//   soak-turns COUNT     COUNT page turns with Right and Left, back and forth over the book
//   open-books DIR COUNT [FIRST]  drops COUNT *.txt files of DIR (sorted, from FIRST) one after another
//   commands COUNT ID... sends the menu commands in turn, COUNT in all, each handled before the next
#include <windows.h>
// The headers below need windows.h first.
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winternl.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "remote_buffer.h"
#include "utf8_out.h"
#include "verbs.h"

namespace {

constexpr int kPageControlId = 1018;
constexpr int kCurrentPageId = 1015;
constexpr int kPageCountId = 1014;

struct ProcessHandle {
    HANDLE h;
    explicit ProcessHandle(DWORD pid)
        : h(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid)) {}
    ~ProcessHandle() {
        if (h) CloseHandle(h);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
};

// One entry of the process's GDI handle table (the layout the system keeps in its process block).
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiMaxHandles = 0x10000;
constexpr size_t kPebGdiTableOffset = 0xF8;  // 64-bit process block

// Live GDI objects of the process: GetGuiResources where the system counts them, else the used entries
// of the handle table in the process block. -1 when neither can be read.
long GdiObjects(HANDLE process) {
    SetLastError(0);
    DWORD n = GetGuiResources(process, GR_GDIOBJECTS);
    if (n != 0) return static_cast<long>(n);
    using QueryFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    if (!query) return -1;
    PROCESS_BASIC_INFORMATION info{};
    if (query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return -1;
    UINT64 table = 0;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process,
                           static_cast<char*>(static_cast<void*>(info.PebBaseAddress)) + kPebGdiTableOffset,
                           &table, sizeof table, &got) ||
        !table)
        return -1;
    std::vector<GdiHandleEntry> entries(kGdiMaxHandles);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), &got))
        return -1;
    size_t count = got / sizeof(GdiHandleEntry);
    return static_cast<long>(std::count_if(entries.begin(), entries.begin() + static_cast<long>(count),
                                           [](const GdiHandleEntry& e) { return e.type != 0; }));
}

struct WindowCount {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM param) {
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != c->pid) return TRUE;
    ++c->count;
    EnumChildWindows(hwnd, CountChild, param);
    return TRUE;
}

// USER objects of the process: GetGuiResources where the system counts them, else its windows.
long UserObjects(HANDLE process, DWORD pid) {
    DWORD n = GetGuiResources(process, GR_USEROBJECTS);
    if (n != 0) return static_cast<long>(n);
    WindowCount c{pid, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&c));
    return c.count;
}

long long PrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        return -1;
    // Wine leaves the private usage at 0; the committed bytes stand for it there.
    if (counters.PrivateUsage) return static_cast<long long>(counters.PrivateUsage);
    return static_cast<long long>(counters.PagefileUsage);
}

long PageNumber(HWND control) {
    std::wstring text = TextOf(control);
    return std::wcstol(text.c_str(), nullptr, 10);
}

bool WaitPage(HWND control, long page, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (PageNumber(control) != page) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(1);
    }
    return true;
}

bool WaitTitle(HWND frame, const std::wstring& title, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (TextOf(frame) != title) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(2);
    }
    return true;
}

}  // namespace

int VerbResources(Invocation& in) {
    ProcessHandle process(in.target.pid);
    if (!process.h) {
        PrintError(L"cannot open the reader's process");
        return 1;
    }
    long gdi = GdiObjects(process.h);
    long user = UserObjects(process.h, in.target.pid);
    long long bytes = PrivateBytes(process.h);
    PrintLine(std::to_wstring(gdi) + L" " + std::to_wstring(user) + L" " + std::to_wstring(bytes));
    return gdi < 0 || bytes < 0 ? 1 : 0;
}

int VerbSoakTurns(Invocation& in) {
    long count = 0;
    if (!in.IntArg(0, count) || count < 0) return 2;
    HWND page = ControlOrReport(in, kPageControlId);
    HWND current = FindControl(in.target.frame, kCurrentPageId);
    HWND total = FindControl(in.target.frame, kPageCountId);
    if (!page || !current || !total) return 1;
    long pages = PageNumber(total);
    if (pages < 2) {
        PrintError(L"the book has fewer than two pages");
        return 1;
    }
    long at = PageNumber(current);
    int step = at >= pages ? -1 : 1;
    for (long i = 0; i < count; ++i) {
        if (at + step < 1 || at + step > pages) step = -step;
        WORD vk = step > 0 ? VK_RIGHT : VK_LEFT;
        PostMessageW(page, WM_KEYDOWN, vk, 1);
        PostMessageW(page, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
        at += step;
        if (!WaitPage(current, at, in.timeoutMs)) {
            PrintError(L"turn " + std::to_wstring(i + 1) + L" did not reach page " + std::to_wstring(at) +
                       L" (shown: " + TextOf(current) + L")");
            return 1;
        }
    }
    PrintLine(std::to_wstring(count) + L" " + TextOf(current));
    return 0;
}

int VerbOpenBooks(Invocation& in) {
    long count = 0;
    long first = 0;
    if (in.args.empty() || !in.IntArg(1, count) || count < 0) return 2;
    if (in.args.size() > 2 && (!in.IntArg(2, first) || first < 0)) return 2;
    std::wstring dir = in.args[0];
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((dir + L"*.txt").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do names.push_back(found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    if (names.size() < static_cast<size_t>(first + count)) {
        PrintError(L"the folder holds only " + std::to_wstring(names.size()) + L" books");
        return 1;
    }
    HWND view = GetParent(FindControl(in.target.frame, kPageControlId));
    if (!view) return 1;
    names.erase(names.begin(), names.begin() + first);
    for (long i = 0; i < count; ++i) {
        std::wstring path = dir + names[static_cast<size_t>(i)];
        std::vector<char> bytes = DropBlockFor(path);
        RemoteBuffer block(in.target.pid, bytes.size());
        if (!block.ok() || !block.Write(bytes.data(), bytes.size())) return 1;
        // The drop is handled once the title names the book; the block is then freed here, so that the
        // openings themselves leave nothing behind in the reader.
        PostMessageW(view, WM_DROPFILES, reinterpret_cast<WPARAM>(block.address()), 0);
        if (!WaitTitle(in.target.frame, names[static_cast<size_t>(i)], in.timeoutMs)) {
            block.Release();
            PrintError(L"opening " + std::to_wstring(i + 1) + L" did not show " +
                       names[static_cast<size_t>(i)] + L" (title: " + TextOf(in.target.frame) + L")");
            return 1;
        }
        if (HWND box = FindMessageBox(in.target.pid, true)) {
            block.Release();
            PrintError(L"opening " + std::to_wstring(i + 1) + L" brought up a message box: " +
                       MessageBoxText(box));
            return 1;
        }
    }
    PrintLine(std::to_wstring(count));
    return 0;
}

int VerbCommands(Invocation& in) {
    long count = 0;
    if (!in.IntArg(0, count) || count < 0 || in.args.size() < 2) return 2;
    std::vector<WORD> ids;
    for (size_t i = 1; i < in.args.size(); ++i) {
        long id = 0;
        if (!in.IntArg(i, id)) return 2;
        ids.push_back(static_cast<WORD>(id));
    }
    for (long i = 0; i < count; ++i) {
        DWORD_PTR result = 0;
        WORD id = ids[static_cast<size_t>(i) % ids.size()];
        if (!SendMessageTimeoutW(in.target.frame, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_ABORTIFHUNG,
                                 in.timeoutMs, &result)) {
            PrintError(L"command " + std::to_wstring(id) + L" (" + std::to_wstring(i + 1) +
                       L") was not handled in time");
            return 1;
        }
        if (HWND box = FindMessageBox(in.target.pid, true)) {
            PrintError(L"command " + std::to_wstring(id) + L" brought up a message box: " +
                       MessageBoxText(box));
            return 1;
        }
    }
    PrintLine(std::to_wstring(count));
    return 0;
}

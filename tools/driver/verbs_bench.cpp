// Verbs for timing the whole program from outside: the moment the first page is shown after a start, and
// the time of each press of a page button.
#include <windows.h>
// The headers below need windows.h first.
#include <richedit.h>

#include <cstdio>
#include <string>

#include "utf8_out.h"
#include "verbs.h"

namespace {
constexpr int kPageControlId = 1018;
constexpr int kTotalBoxId = 1014;
constexpr int kCurrentBoxId = 1015;

// Milliseconds since 1970 on the system clock, which Wine shares with the host.
long long EpochMs() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    return static_cast<long long>((t.QuadPart - 116444736000000000ULL) / 10000ULL);
}

// A page box holds a number; the total must not be 0, the current page may be (a chapter book's preface).
bool BoxFilled(HWND frame, int id, bool zeroCounts) {
    HWND box = FindControl(frame, id);
    if (!box) return false;
    const std::wstring text = TextOf(box);
    return !text.empty() && (zeroCounts || text != L"0");
}

// The page control holds some text: the start of its last line plus that line's length is not zero.
bool PageHoldsText(HWND frame) {
    HWND edit = FindControl(frame, kPageControlId);
    if (!edit) return false;
    size_t length = 0;
    return EditTextLength(edit, length) && length > 0;
}

void PrintLine(const char* format, double value) {
    char line[48];
    std::snprintf(line, sizeof line, format, value);
    PrintUtf8(line);
}
}  // namespace

// wait-page [--no-book]: waits for the reader's frame to be visible and, unless --no-book, for a page shown
// (boxes 1014 and 1015 filled, the page control holding text); prints that moment as milliseconds since
// 1970, to be set against the moment the caller started the reader.
int VerbWaitPage(const std::wstring& className, Invocation& in) {
    const DWORD start = GetTickCount();
    if (!WaitForFrame(className, in.timeoutMs, true, in.target)) {
        PrintError(L"no window of class " + className);
        return 1;
    }
    // Not one of the driver's known flags, so it comes as the first argument.
    const bool noBook = !in.args.empty() && in.args[0] == L"--no-book";
    while (!noBook && !(BoxFilled(in.target.frame, kTotalBoxId, false) &&
                        BoxFilled(in.target.frame, kCurrentBoxId, true) && PageHoldsText(in.target.frame))) {
        if (GetTickCount() - start >= in.timeoutMs) {
            PrintError(L"no page shown");
            return 1;
        }
        Sleep(5);
    }
    PrintLine("%.0f\n", static_cast<double>(EpochMs()));
    return 0;
}

// time-turns ID N: presses page button ID (1012 next, 1013 previous) N times, each press sent so that it
// returns once the reader has handled it; prints the milliseconds of each press, one a line.
int VerbTimeTurns(Invocation& in) {
    long id = 0, count = 0;
    if (!in.IntArg(0, id) || !in.IntArg(1, count) || count < 1) return 2;
    HWND button = FindControl(in.target.frame, static_cast<int>(id));
    if (!button) {
        PrintError(L"no such button");
        return 1;
    }
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    for (long i = 0; i < count; ++i) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(button), SMTO_ABORTIFHUNG, in.timeoutMs,
                                 &ignored)) {
            PrintError(L"the button does not answer");
            return 1;
        }
        QueryPerformanceCounter(&t1);
        PrintLine("%.2f\n", 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                                static_cast<double>(freq.QuadPart));
    }
    return 0;
}

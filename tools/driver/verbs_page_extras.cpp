// Verbs that watch what goes on around the page over time: the page control moving by itself (auto-scroll)
// with the page it shows and the boxes that come up, and a control's text as it changes (the quote line).
// Each samples the reader every 20 ms from one driver process, so the times it prints are not blurred by
// the start of a driver per sample.
#include <windows.h>

#include <algorithm>
#include <string>

#include "utf8_out.h"
#include "verbs.h"

namespace {
constexpr int kPageControlId = 1018;
constexpr int kCurrentPageBoxId = 1015;
constexpr DWORD kSampleMs = 20;

bool FirstVisibleLine(HWND edit, long& line) {
    DWORD_PTR first = 0;
    if (!SendPatiently(edit, EM_GETFIRSTVISIBLELINE, 0, 0, &first)) return false;
    line = static_cast<long>(first);
    return true;
}
}  // namespace

// watch-scroll MS [answer]: for MS milliseconds prints "T<TAB>PAGE<TAB>LINE" whenever the page box 1015 or
// the page control's first visible line changes (T in ms since the verb began; the first sample at 0), and
// "T<TAB>box<TAB>CAPTION|TEXT" when a message box of the reader comes up. With "answer" each box is
// answered OK as soon as it has been printed, and the watch goes on; with THEN_MS after "answer", the watch
// ends THEN_MS after the first box came (or at MS).
namespace {
int WatchScroll(Invocation& in, HWND edit, long duration, bool answer, long afterBox) {
    HWND pageBox = FindControl(in.target.frame, kCurrentPageBoxId);
    const DWORD start = GetTickCount();
    std::wstring lastPage = L"?";
    long lastLine = -1;
    HWND lastBox = nullptr;
    DWORD end = static_cast<DWORD>(duration);
    bool boxSeen = false;
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        const std::wstring t = std::to_wstring(elapsed);
        HWND box = FindMessageBox(in.target.pid, true);
        if (box && box != lastBox) {
            PrintLine(t + L"\tbox\t" + Escaped(TextOf(box) + L"|" + MessageBoxText(box)));
            if (afterBox >= 0 && !boxSeen) end = std::min(end, elapsed + static_cast<DWORD>(afterBox));
            boxSeen = true;
            if (answer) {
                if (HWND ok = GetDlgItem(box, IDOK))
                    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
            }
        }
        lastBox = box;
        long line = 0;
        if (!box && FirstVisibleLine(edit, line)) {
            const std::wstring page = pageBox ? TextOf(pageBox) : L"";
            if (line != lastLine || page != lastPage) {
                PrintLine(t + L"\t" + page + L"\t" + std::to_wstring(line));
                lastLine = line;
                lastPage = page;
            }
        }
        if (!ProcessAlive(in.target.pid)) {
            PrintError(L"the reader has ended");
            return 1;
        }
        if (elapsed >= end) return 0;
        Sleep(kSampleMs);
    }
}
}  // namespace

int VerbWatchScroll(Invocation& in) {
    long duration = 0;
    long afterBox = -1;
    if (!in.IntArg(0, duration) || duration <= 0) return 2;
    const bool answer = in.args.size() > 1 && in.args[1] == L"answer";
    if (in.args.size() > 2 && (!in.IntArg(2, afterBox) || afterBox < 0)) return 2;
    HWND edit = ControlOrReport(in, kPageControlId);
    if (!edit) return 1;
    return WatchScroll(in, edit, duration, answer, afterBox);
}

// scroll-back N MS: scrolls the page control N lines up, as a click on its scroll bar's arrow does, then
// watches it as watch-scroll MS answer does; the first two lines printed ("-<TAB><TAB>LINE") are the
// places before and right after the scrolling.
int VerbScrollBack(Invocation& in) {
    long lines = 0;
    long duration = 0;
    if (!in.IntArg(0, lines) || lines <= 0 || !in.IntArg(1, duration) || duration <= 0) return 2;
    HWND edit = ControlOrReport(in, kPageControlId);
    if (!edit) return 1;
    long before = 0;
    if (!FirstVisibleLine(edit, before)) return 1;
    PrintLine(L"-\t\t" + std::to_wstring(before));
    for (long i = 0; i < lines; ++i) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(edit, WM_VSCROLL, SB_LINEUP, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    }
    // Read at once: in line mode the page is on its way back within a few ticks.
    long after = 0;
    if (FirstVisibleLine(edit, after)) PrintLine(L"-\t\t" + std::to_wstring(after));
    return WatchScroll(in, edit, duration, true, -1);
}

// watch-text ID MS: for MS milliseconds prints "T<TAB>TEXT" with the control's text (escaped, one line)
// each time it changes, the first sample at T 0; a text is taken once two samples 20 ms apart agree.
int VerbWatchText(Invocation& in) {
    long id = 0;
    long duration = 0;
    if (!in.IntArg(0, id) || !in.IntArg(1, duration) || duration <= 0) return 2;
    HWND control = ControlOrReport(in, static_cast<int>(id));
    if (!control) return 1;
    const DWORD start = GetTickCount();
    bool first = true;
    std::wstring last;
    // A text read while the reader is still setting it can come back cut short: a new text counts once
    // two samples in a row agree, at the time of the first.
    std::wstring candidate;
    DWORD candidateAt = 0;
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        const std::wstring text = TextOf(control);
        if (first || text == last) {
            candidate.clear();
            candidateAt = 0;
        }
        if (!first && text != last) {
            if (candidateAt != 0 && text == candidate) {
                PrintLine(std::to_wstring(candidateAt - start) + L"\t" + Escaped(text));
                last = text;
                candidateAt = 0;
            } else {
                candidate = text;
                candidateAt = GetTickCount();
            }
        }
        if (first) {
            PrintLine(L"0\t" + Escaped(text));
            last = text;
            first = false;
        }
        if (!ProcessAlive(in.target.pid)) {
            PrintError(L"the reader has ended");
            return 1;
        }
        if (elapsed >= static_cast<DWORD>(duration)) return 0;
        Sleep(kSampleMs);
    }
}

namespace {
BOOL CALLBACK FindIconStatic(HWND hwnd, LPARAM found) {
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    if (ClassOf(hwnd) == L"Static" && (style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

// box-icon-rect: the screen rectangle "X Y W H" of the icon of the reader's message box, for a picture of it;
// fails when the box shows no icon.
int VerbBoxIconRect(Invocation& in) {
    HWND box = WaitForPlainMessageBox(in.target.pid, in.timeoutMs);
    if (!box) {
        PrintError(L"no message box");
        return 1;
    }
    HWND icon = nullptr;
    EnumChildWindows(box, FindIconStatic, reinterpret_cast<LPARAM>(&icon));
    RECT rc{};
    if (!icon || !GetWindowRect(icon, &rc)) {
        PrintError(L"the message box shows no icon");
        return 1;
    }
    PrintLine(std::to_wstring(rc.left) + L" " + std::to_wstring(rc.top) + L" " +
              std::to_wstring(rc.right - rc.left) + L" " + std::to_wstring(rc.bottom - rc.top));
    return 0;
}

// Verbs that read pages whole: the page control's text as Unicode, many pages in one driver start, and page
// turns timed from the driver's side.
#include <windows.h>
// The headers below need windows.h first.
#include <richedit.h>

#include <cstdio>
#include <string>

#include "remote_buffer.h"
#include "utf8_out.h"
#include "verbs.h"

namespace {
constexpr int kPageControlId = 1018;
constexpr int kNextPageButtonId = 1012;  // "下一页"
constexpr int kCurrentBoxId = 1015;

// The whole text of the page control (see RichTextHead).
bool PageText(const Target& target, HWND edit, std::wstring& out) {
    size_t length = 0;
    if (!EditTextLength(edit, length)) return false;
    return RichTextHead(target, edit, length * 2 + 63, out);
}

// Presses the next-page button and returns once the reader has handled it (the press is sent, not posted).
bool PressNextPage(const Target& target, DWORD timeoutMs) {
    HWND button = FindControl(target.frame, kNextPageButtonId);
    if (!button) return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(GetParent(button), WM_COMMAND, MAKEWPARAM(kNextPageButtonId, BN_CLICKED),
                               reinterpret_cast<LPARAM>(button), SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

std::wstring CurrentPageBox(const Target& target) {
    HWND box = FindControl(target.frame, kCurrentBoxId);
    return box ? TextOf(box) : std::wstring();
}

}  // namespace

// Asked for in UTF-16 (code page 1200), so that the control itself does the decoding of what it holds; the
// buffers live in the reader's process, as the system does not carry this message's pointers across.
bool RichTextHead(const Target& target, HWND edit, size_t maxChars, std::wstring& out) {
    const size_t units = maxChars + 1;
    RemoteBuffer request(target.pid, sizeof(GETTEXTEX));
    RemoteBuffer text(target.pid, units * sizeof(wchar_t));
    if (!request.ok() || !text.ok()) return false;
    GETTEXTEX ex{};
    ex.cb = static_cast<DWORD>(units * sizeof(wchar_t));
    ex.flags = GT_DEFAULT;
    ex.codepage = 1200;
    if (!request.Write(&ex, sizeof ex)) return false;
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(request.address()),
                             reinterpret_cast<LPARAM>(text.address()), SMTO_ABORTIFHUNG, 60000, &copied))
        return false;
    if (copied >= units) copied = units - 1;
    std::vector<char> raw = text.Read(copied * sizeof(wchar_t));
    out.assign(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / sizeof(wchar_t));
    return true;
}

bool EditTextLength(HWND edit, size_t& length) {
    // Another process's WM_GETTEXTLENGTH is not answered in full under Wine: the length comes from the start
    // of the last line and that line's length.
    DWORD_PTR lines = 0, lastStart = 0, lastLength = 0;
    if (!SendPatiently(edit, EM_GETLINECOUNT, 0, 0, &lines) ||
        !SendPatiently(edit, EM_LINEINDEX, lines > 0 ? lines - 1 : 0, 0, &lastStart) ||
        !SendPatiently(edit, EM_LINELENGTH, lastStart, 0, &lastLength))
        return false;
    length = static_cast<size_t>(lastStart) + static_cast<size_t>(lastLength);
    return true;
}

// page-text: the page control's whole text, UTF-8, exactly as the control holds it (line ends included).
int VerbPageText(Invocation& in) {
    HWND edit = ControlOrReport(in, kPageControlId);
    if (!edit) return 1;
    std::wstring text;
    if (!PageText(in.target, edit, text)) {
        PrintError(L"page control does not answer");
        return 1;
    }
    PrintUtf8(ToUtf8(text));
    return 0;
}

// read-pages N: from the page shown on, N pages: for each a line "\f<box 1015>" and the page's text, then a
// press of the next-page button (not after the last one).
int VerbReadPages(Invocation& in) {
    long count = 0;
    if (!in.IntArg(0, count) || count < 1) return 2;
    HWND edit = ControlOrReport(in, kPageControlId);
    if (!edit) return 1;
    for (long i = 0; i < count; ++i) {
        std::wstring text;
        if (!PageText(in.target, edit, text)) {
            PrintError(L"page control does not answer");
            return 1;
        }
        std::string head(1, '\f');
        head += ToUtf8(CurrentPageBox(in.target));
        head += '\n';
        PrintUtf8(head);
        PrintUtf8(ToUtf8(text));
        PrintUtf8("\n");
        if (i + 1 < count && !PressNextPage(in.target, in.timeoutMs)) {
            PrintError(L"the next-page button does not answer");
            return 1;
        }
    }
    return 0;
}

// turn-pages N: presses the next-page button N times; prints the milliseconds of each press until the reader
// had shown the next page, one a line.
int VerbTurnPages(Invocation& in) {
    long count = 0;
    if (!in.IntArg(0, count) || count < 1) return 2;
    for (long i = 0; i < count; ++i) {
        LARGE_INTEGER freq, start, end;
        QueryPerformanceFrequency(&freq);
        QueryPerformanceCounter(&start);
        if (!PressNextPage(in.target, in.timeoutMs)) {
            PrintError(L"the next-page button does not answer");
            return 1;
        }
        QueryPerformanceCounter(&end);
        const double ms =
            1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
        char line[32];
        std::snprintf(line, sizeof line, "%.2f\n", ms);
        PrintUtf8(line);
    }
    return 0;
}

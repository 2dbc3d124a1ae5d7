#include "ui/rich_page_control.h"

#include <richedit.h>

#include <cstring>

#include "book/stream_chunk.h"

namespace pel {

namespace {

struct StreamSource {
    std::string_view text;
    size_t pos = 0;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* got) {
    auto* src = reinterpret_cast<StreamSource*>(cookie);
    // The control decodes each piece on its own: a piece never ends between the two bytes of a character.
    size_t n = StreamChunkLength(src->text, src->pos, size > 0 ? static_cast<size_t>(size) : 0);
    std::memcpy(buffer, src->text.data() + src->pos, n);
    src->pos += n;
    *got = static_cast<LONG>(n);
    return 0;
}

// Lines longer than this are not wrapped: the control measures the rest of a line again for every row it
// wraps, so a line of megabytes would hold the reader for hours; such a line scrolls sideways instead.
constexpr std::size_t kLongestWrappedLine = 32 * 1024;

bool HasOverlongLine(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        if (end - start > kLongestWrappedLine) return true;
        if (lf == std::string_view::npos) break;
        start = lf + 1;
    }
    return false;
}

}  // namespace

void RichPageControl::Attach(HWND edit) {
    edit_ = edit;
    // The control must hold the largest page, the whole book included.
    SendMessageA(edit_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
}

void RichPageControl::SetText(std::string_view cp936) {
    if (!edit_) return;
    const bool wrap = !HasOverlongLine(cp936);
    if (wrap != wrapping_) {
        SetWindowTextA(edit_, "");
        SendMessageA(edit_, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
        wrapping_ = wrap;
    }
    if (cp936.size() < 4096) {
        // Short texts (notices, small pages) go in directly and show at once.
        std::string copy(cp936);
        SetWindowTextA(edit_, copy.c_str());
        UpdateWindow(edit_);
        return;
    }
    // Streaming in with drawing switched off is the fastest fill the control offers.
    SendMessageA(edit_, WM_SETREDRAW, FALSE, 0);
    StreamSource src{cp936, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&src), 0, &ReadChunk};
    SendMessageA(edit_, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    SendMessageA(edit_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(edit_, nullptr, TRUE);
    UpdateWindow(edit_);
}

int RichPageControl::FirstVisibleLine() {
    return static_cast<int>(SendMessageA(edit_, EM_GETFIRSTVISIBLELINE, 0, 0));
}

int RichPageControl::LineCount() { return static_cast<int>(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0)); }

int RichPageControl::LineIndex(int line) {
    return static_cast<int>(SendMessageA(edit_, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}

int RichPageControl::LineFromChar(int charPos) {
    return static_cast<int>(SendMessageA(edit_, EM_EXLINEFROMCHAR, 0, charPos));
}

void RichPageControl::ScrollLines(int lines) { SendMessageA(edit_, EM_LINESCROLL, 0, lines); }

void RichPageControl::Focus() { SetFocus(edit_); }

void RichPageControl::ClearModified() { SendMessageA(edit_, EM_SETMODIFY, FALSE, 0); }

IPageControl::ScrollState RichPageControl::VerticalScroll() {
    // A page that fits has no scroll bar, but the control keeps the range of the page before it.
    if (!(GetWindowLongPtrA(edit_, GWL_STYLE) & WS_VSCROLL)) return {};
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(edit_, SB_VERT, &si)) return {};
    return {si.nPos, static_cast<int>(si.nPage), si.nMax};
}

void RichPageControl::PageDownScroll() { SendMessageA(edit_, WM_VSCROLL, SB_PAGEDOWN, 0); }

void RichPageControl::PageUpScroll() { SendMessageA(edit_, WM_VSCROLL, SB_PAGEUP, 0); }

void RichPageControl::SetVerticalScrollPosition(int pixels) {
    // A whole book is far taller than the 16 bits a thumb-position scroll carries.
    POINT pt{0, pixels};
    SendMessageA(edit_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&pt));
}

}  // namespace pel

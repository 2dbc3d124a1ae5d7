#include "book/contents.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "book/page_index.h"

namespace pel {

std::vector<ContentsRow> ContentsRows(const ReadingState& state) {
    std::vector<ContentsRow> rows;
    // The snapshot holds the starts of its pages; a page count beyond them has nothing to list.
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max(0, state.pageCount)), state.pageStarts.size());
    rows.reserve(count);
    char buffer[64];
    for (std::size_t i = 0; i < count; ++i) {
        ContentsRow row;
        std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(i) + 1);
        row.number = buffer;
        if (i < state.chapterTitles.size()) row.title = state.chapterTitles[i];
        const double percent = state.textLength > 0 ? static_cast<double>(state.pageStarts[i]) * 100.0 /
                                                          static_cast<double>(state.textLength)
                                                    : 0.0;
        std::snprintf(buffer, sizeof buffer, "%.2f", percent);
        row.progress = buffer;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string ChapterPreview(const ReadingState& state, int row) {
    if (!state.text) return {};
    const std::string& text = *state.text;
    long long start = 0;
    if (row >= 0 && static_cast<std::size_t>(row) < state.pageStarts.size()) start = state.pageStarts[row];
    if (start < 0 || start >= static_cast<long long>(text.size())) return {};
    const std::size_t from = static_cast<std::size_t>(start);
    std::size_t length = std::min<std::size_t>(kContentsPreviewBytes, text.size() - from);
    const char* begin = text.data() + from;
    if (const void* nul = std::memchr(begin, '\0', length)) {
        length = static_cast<std::size_t>(static_cast<const char*>(nul) - begin);
    }
    // Walk the characters as the edit control reads them, and keep only whole ones.
    const auto* p = reinterpret_cast<const unsigned char*>(begin);
    const auto* textEnd = reinterpret_cast<const unsigned char*>(text.data() + text.size());
    std::size_t whole = 0;
    while (whole < length) {
        const std::size_t width = static_cast<std::size_t>(ControlCharBytes(p + whole, textEnd));
        if (whole + width > length) break;
        whole += width;
    }
    return std::string(begin, whole);
}

}  // namespace pel

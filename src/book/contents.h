// The table of contents (dialog 184 "查看目录"): what its list and preview show, taken from the
// application's ReadingState snapshot rather than from the view.
#pragma once
#include <string>
#include <vector>

#include "book/reader.h"

namespace pel {

// Command 32854 outside chapter mode shows this (with its trailing space) instead of the dialog.
inline constexpr const char* kContentsNeedChapterMode = "非章节分页模式，无法查看目录！请先切换分页方式！ ";

// False outside chapter mode: the command then only shows kContentsNeedChapterMode.
inline bool CanShowContents(int pagingMode) { return pagingMode == kPagingChapters; }

// Columns of list 1067, all left-aligned.
struct ContentsColumn {
    const char* heading;
    int width;  // pixels
};
inline constexpr ContentsColumn kContentsColumns[3] = {{"No.", 40}, {"章节标题", 318}, {"进度%", 60}};

// Row i stands for chapter i + 1; page 0, the text before the first chapter, has no row.
struct ContentsRow {
    std::string number;    // "%d" of i + 1
    std::string title;     // the chapter's title
    std::string progress;  // "%.2f" of the chapter's start x 100 / text length
};

std::vector<ContentsRow> ContentsRows(const ReadingState& state);

// The row of the current chapter, made visible and hot when the dialog opens; -1 on page 0.
inline int ContentsHotRow(const ReadingState& state) { return state.currentPage - 1; }

// Page opened by a double click on `row` (-1, empty space below the rows, opens page 0).
inline int ContentsPageOfRow(int row) { return row + 1; }

constexpr int kContentsPreviewBytes = 500;

// Preview of edit 1066 for a click on `row` (-1 when no row is selected: the text from its start): at
// most 500 bytes from the chapter's start, never past the end of the text, cut at a NUL and before a
// double-byte character the limit would split.
std::string ChapterPreview(const ReadingState& state, int row);

}  // namespace pel

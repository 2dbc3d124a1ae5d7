#include "book/contents.h"

#include <gtest/gtest.h>

namespace pel {
namespace {

ReadingState ChapterState(std::string text, std::vector<long long> starts) {
    ReadingState state;
    state.pagingMode = kPagingChapters;
    state.textLength = static_cast<long long>(text.size());
    state.text = std::make_shared<const std::string>(std::move(text));
    state.pageCount = static_cast<int>(starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i)
        state.chapterTitles.push_back("第" + std::to_string(i + 1) + "章");
    state.pageStarts = std::move(starts);
    return state;
}

TEST(Contents, RowsHoldNumberTitleAndProgress) {
    ReadingState state = ChapterState(std::string(3000, 'x'), {0, 1000, 2999});
    state.currentPage = 2;
    const std::vector<ContentsRow> rows = ContentsRows(state);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].number, "1");
    EXPECT_EQ(rows[0].title, "第1章");
    EXPECT_EQ(rows[0].progress, "0.00");
    EXPECT_EQ(rows[1].progress, "33.33");
    EXPECT_EQ(rows[2].progress, "99.97");
    EXPECT_EQ(ContentsHotRow(state), 1);
    state.currentPage = 0;
    EXPECT_EQ(ContentsHotRow(state), -1);
    EXPECT_EQ(ContentsPageOfRow(-1), 0);  // double click below the rows: the text before chapter 1
    EXPECT_TRUE(CanShowContents(kPagingChapters));
    EXPECT_FALSE(CanShowContents(kPagingWhole));
    EXPECT_EQ(std::string(kContentsNeedChapterMode).back(), ' ');
}

TEST(Contents, PreviewShowsWholeCharactersUpTo500Bytes) {
    // Chapter 2 starts at byte 1: 499 bytes of it are 249 characters and one lead byte.
    std::string text = "a";
    while (text.size() < 1200) text += "中文";
    ReadingState state = ChapterState(text, {0, 1, 1101});
    EXPECT_EQ(ChapterPreview(state, 0), text.substr(0, 499));
    EXPECT_EQ(ChapterPreview(state, 1), text.substr(1, 500));
    EXPECT_EQ(ChapterPreview(state, 2), text.substr(1101));  // the last chapter stops at the end
    EXPECT_EQ(ChapterPreview(state, -1), ChapterPreview(state, 0));
    ReadingState empty;
    EXPECT_EQ(ChapterPreview(empty, 0), "");
}

}  // namespace
}  // namespace pel

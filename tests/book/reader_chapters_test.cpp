#include <gtest/gtest.h>

#include "book/chapters.h"
#include "book/message_flags.h"
#include "support/reader_fixture.h"

namespace pel {
namespace {

using testing::ChapterNovel;
using testing::ChineseLines;
using ReaderChaptersTest = testing::ReaderTest;

TEST_F(ReaderChaptersTest, ChapterModeShowsThePrefaceAsPageZero) {
    reader.pagingMode = kPagingChapters;
    const std::string book = ChapterNovel(6, "序言\r\n");
    Open("D:\\n.txt", book);
    EXPECT_EQ(reader.PageCount(), 6);
    EXPECT_EQ(reader.CurrentPage(), 0);
    EXPECT_EQ(control.text(), "序言\r\n");
    EXPECT_EQ(host.totalLabel, "总章数");
    EXPECT_EQ(host.currentLabel, "当前章数");
    EXPECT_EQ(reader.ProgressPaneText(), "[0.00%]->[章 0/6] 正在阅读：");
    reader.ShowPage(2);
    EXPECT_EQ(control.LineText(0), "第2章 标题2");
    EXPECT_NE(reader.ProgressPaneText().find("正在阅读：第2章 标题2"), std::string::npos);
    ASSERT_EQ(host.published.chapterTitles.size(), 6u);
    EXPECT_EQ(host.published.chapterTitles[5], "第6章 标题6");
    EXPECT_EQ(host.published.pageStarts[0], 6);
    EXPECT_GT(reader.HanziCount(), 0);

    // A book that starts with its heading has no page 0; lines mode publishes no titles.
    Open("D:\\m.txt", ChapterNovel(6));
    EXPECT_EQ(reader.CurrentPage(), 1);
    reader.SwitchPagingMode(kPagingLines);
    EXPECT_TRUE(host.published.chapterTitles.empty());
}

// The page the last run ended on comes back at start-up in every mode; in chapter mode page 1 too, though
// the book opens on its preface.
TEST_F(ReaderChaptersTest, StartUpReturnsToTheSavedPage) {
    const std::string book = ChapterNovel(6, "序言\r\n");
    reader.pagingMode = kPagingChapters;
    for (int saved : {0, 1, 4}) {
        Open("D:\\n.txt", book);
        ASSERT_EQ(reader.CurrentPage(), 0);
        reader.ReturnToSavedPage(saved);
        EXPECT_EQ(reader.CurrentPage(), saved);
        EXPECT_EQ(host.currentBox, saved);
        EXPECT_EQ(control.LineText(0),
                  saved == 0 ? "序言" : "第" + std::to_string(saved) + "章 标题" + std::to_string(saved));
    }

    // Lines mode opens on page 1 and shows the saved page; whole-book mode keeps its one page as it is.
    reader.pagingMode = kPagingLines;
    Open("D:\\l.txt", ChineseLines(200));
    reader.ReturnToSavedPage(3);
    EXPECT_EQ(reader.CurrentPage(), 3);
    EXPECT_EQ(control.LineText(0), "第101行：天地玄黄宇宙洪荒abc");
    const std::string whole = "line one\n\nline two\n";
    reader.pagingMode = kPagingWhole;
    Open("D:\\w.txt", whole);
    reader.ReturnToSavedPage(2);
    EXPECT_EQ(reader.CurrentPage(), 1);
    EXPECT_EQ(control.text(), whole);
}

TEST_F(ReaderChaptersTest, FewerThanFiveChaptersFallBackToLinesWithASelfClosingTip) {
    const std::string book = ChineseLines(200);
    Open("D:\\plain.txt", book);
    reader.ShowPage(3);
    reader.OnPositionTimer();
    const long long position = reader.ReadPosition();
    reader.SwitchPagingMode(kPagingChapters);
    EXPECT_EQ(reader.pagingMode, kPagingLines);
    EXPECT_EQ(host.totalLabel, "总页数");
    EXPECT_EQ(reader.CurrentPage(), 3);
    EXPECT_EQ(reader.ReadPosition(), position);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back().text, "普通文本或章数小于5！按章节分页失败！正在返回！");
    EXPECT_EQ(host.messages.back().caption, "提示");
    EXPECT_TRUE(host.timers.count(kTimerCloseTip));

    // The cycle then goes from chapters straight back to lines; with chapters it reaches mode 2.
    Open("D:\\n.txt", ChapterNovel(5));
    reader.pagingMode = kPagingLines;
    reader.CyclePagingMode();
    EXPECT_EQ(reader.pagingMode, kPagingChapters);
    EXPECT_EQ(reader.PageCount(), 5);
    reader.CyclePagingMode();
    EXPECT_EQ(reader.pagingMode, kPagingWhole);
}

TEST_F(ReaderChaptersTest, RuleCommandsSwitchToChaptersAtTheSamePlace) {
    const std::string book = ChapterNovel(8);
    Open("D:\\r.txt", book);
    const long long chapter4 = static_cast<long long>(book.find("第4章"));
    reader.GoToTextPosition(chapter4 + 30);
    reader.SelectChapterRule(kDigitRule);
    EXPECT_EQ(reader.pagingMode, kPagingChapters);
    EXPECT_EQ(reader.chapterRule, 8);
    EXPECT_EQ(reader.customRuleText, kDigitRuleText);
    EXPECT_EQ(host.published.ruleText, kDigitRuleText);
    EXPECT_EQ(reader.CurrentPage(), 4);
    EXPECT_EQ(reader.ReadPosition(), static_cast<long long>(book.find("\r\n", chapter4) + 2));

    reader.SelectChapterRule(2);  // 第…卷: none, back to lines
    EXPECT_EQ(reader.chapterRule, 2);
    EXPECT_EQ(reader.pagingMode, kPagingLines);
    reader.ApplyCustomRule("[第][0-9][章][30]");
    EXPECT_EQ(reader.chapterRule, kCustomRule);
    EXPECT_EQ(reader.PageCount(), 8);

    reader.ReturnFromContents(0);  // the contents left page 0: the (empty) text before chapter 1
    EXPECT_EQ(reader.CurrentPage(), 0);
    EXPECT_EQ(control.text(), "");
}

TEST_F(ReaderChaptersTest, TheTenThousandFirstChapterStopsPagination) {
    std::string book;
    const std::string chapter = "第1章\r\n" + std::string(293, 'x') + "\r\n";
    for (int i = 0; i <= kMaxPages; ++i) book += chapter;
    reader.pagingMode = kPagingChapters;
    Open("D:\\huge.txt", book);
    EXPECT_EQ(reader.PageCount(), kMaxPages + 1);
    EXPECT_EQ(host.LastMessage(), "章节页数已超上限1万！请先切换分页方式！");
    const int shown = control.setTextCalls;
    reader.ShowPage(3);
    EXPECT_EQ(control.setTextCalls, shown);
}

}  // namespace
}  // namespace pel

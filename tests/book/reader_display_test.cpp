#include <gtest/gtest.h>

#include "book/message_flags.h"
#include "support/reader_fixture.h"

namespace pel {
namespace {

using testing::ChineseLines;
using ReaderDisplayTest = testing::ReaderTest;

TEST_F(ReaderDisplayTest, ShowPageCutsOnePageAndJoinsLfPairs) {
    Open("D:\\lf.txt", "甲\n\n乙\n" + std::string(60, '\n') + "丙");
    EXPECT_EQ(reader.PageCount(), 2);
    EXPECT_EQ(control.text().substr(0, 6), "甲\r\n乙");
    reader.ShowPage(2);
    EXPECT_EQ(reader.CurrentPage(), 2);
    EXPECT_EQ(host.currentBox, 2);
    EXPECT_EQ(host.published.currentPage, 2);
    EXPECT_EQ(control.text().back(), '\xFB');  // last byte of 丙 (B1 FB)
    reader.ShowPage(9);                        // past the last page: page 1
    EXPECT_EQ(reader.CurrentPage(), 1);
    reader.ShowPage(-4);
    EXPECT_EQ(reader.CurrentPage(), 1);
    EXPECT_GT(control.clearModifiedCalls, 0);
    EXPECT_GT(control.focusCalls, 0);
}

TEST_F(ReaderDisplayTest, WindowTitleRule) {
    reader.SyncTitle();
    EXPECT_EQ(host.windowTitle, "Pelin阅读器——Pelinreader");
    Open("D:\\书\\小说.txt", ChineseLines(3));
    EXPECT_EQ(host.windowTitle, "小说.txt");
    reader.customTitle = "我的书房";
    reader.SyncTitle();
    EXPECT_EQ(host.windowTitle, "我的书房");
}

TEST_F(ReaderDisplayTest, ProgressPaneByMode) {
    EXPECT_EQ(reader.ProgressPaneText(), "");  // no book yet
    Open("D:\\p.txt", ChineseLines(200));
    EXPECT_EQ(reader.ProgressPaneText(), "[0.00%]->[页 1/4] 正在阅读：p.txt");
    reader.ShowPage(3);
    const double percent = 100.0 * reader.PageStart(3) / reader.TextLength();
    char expected[64];
    std::snprintf(expected, sizeof expected, "[%4.2f%%]->[页 3/4] ", percent);
    EXPECT_EQ(reader.ProgressPaneText(), std::string(expected) + "正在阅读：p.txt");

    reader.SwitchPagingMode(kPagingWhole);  // 第101行 stays on top: line 100 of the whole book
    std::snprintf(expected, sizeof expected, "[%4.2f%%]->[行 100/201] ", percent);
    EXPECT_EQ(reader.ProgressPaneText(), std::string(expected) + "正在阅读：p.txt");

    reader.pagingMode = kPagingChapters;
    reader.ShowPage(1);
    EXPECT_EQ(reader.ProgressPaneText(), "[0.00%]->[章 1/1] 正在阅读：");
}

TEST_F(ReaderDisplayTest, PositionTimerTracksTheFirstVisibleLineInBytes) {
    const std::string book = ChineseLines(200);
    Open("D:\\t.txt", book);
    reader.ShowPage(2);
    control.ScrollLines(7);
    reader.OnPositionTimer();
    EXPECT_EQ(reader.MarkLine(), 7);
    const long long expected = static_cast<long long>(book.find("第58行"));
    EXPECT_EQ(reader.ReadPosition(), expected);
    EXPECT_DOUBLE_EQ(reader.ReadPercent(), expected * 100.0 / static_cast<double>(book.size()));
}

TEST_F(ReaderDisplayTest, GoToTextPositionPutsTheLineHoldingTheByteOnTop) {
    const std::string book = ChineseLines(300);
    Open("D:\\g.txt", book);
    const long long lineStart = static_cast<long long>(book.find("第163行"));
    const long long inside = lineStart + 9;  // inside the Chinese of that line
    reader.GoToTextPosition(inside);
    EXPECT_EQ(reader.CurrentPage(), 4);
    EXPECT_EQ(control.LineText(control.FirstVisibleLine()).substr(0, 7), "第163行");
    EXPECT_EQ(reader.LineMarker(), 12);
    EXPECT_EQ(reader.ReadPosition(), lineStart);

    reader.GoToTextPosition(0);
    EXPECT_EQ(reader.CurrentPage(), 1);
    EXPECT_EQ(control.FirstVisibleLine(), 0);

    reader.GoToTextPosition(static_cast<long long>(book.size()) + 500);  // past the end: the last page
    EXPECT_EQ(reader.CurrentPage(), 6);
    reader.GoToTextPosition(-20);
    EXPECT_EQ(reader.CurrentPage(), 1);
}

TEST_F(ReaderDisplayTest, SwitchingModesKeepsTheFirstVisibleLine) {
    const std::string book = ChineseLines(300);
    Open("D:\\m.txt", book);
    reader.ShowPage(3);
    control.ScrollLines(5);  // 第106行 on top
    reader.OnPositionTimer();

    reader.SwitchPagingMode(kPagingWhole);
    EXPECT_EQ(control.FirstVisibleLine(), 105);
    EXPECT_EQ(control.LineText(105).substr(0, 7), "第106行");
    reader.OnWholeBookTimer();  // the saved whole-book line does not pull the view away
    EXPECT_EQ(control.FirstVisibleLine(), 105);
    EXPECT_EQ(host.currentBox, 105);

    control.ScrollLines(55);
    reader.SwitchPagingMode(kPagingLines);
    EXPECT_FALSE(host.timers.count(kTimerWholeBookLines));
    EXPECT_EQ(reader.CurrentPage(), 4);
    EXPECT_EQ(control.LineText(control.FirstVisibleLine()).substr(0, 7), "第161行");
}

TEST_F(ReaderDisplayTest, CycleGoesThroughTheThreeModes) {
    Open("D:\\c.txt", testing::ChapterNovel(6));
    reader.CyclePagingMode();
    EXPECT_EQ(reader.pagingMode, kPagingChapters);
    reader.CyclePagingMode();
    EXPECT_EQ(reader.pagingMode, kPagingWhole);
    EXPECT_TRUE(host.timers.count(kTimerWholeBookLines));
    reader.CyclePagingMode();
    EXPECT_EQ(reader.pagingMode, kPagingLines);
    EXPECT_FALSE(host.timers.count(kTimerWholeBookLines));
    reader.pagingMode = 5;
    reader.CyclePagingMode();
    EXPECT_EQ(reader.pagingMode, 5);
}

TEST_F(ReaderDisplayTest, WholeBookTimerRestoresTheSavedLineOnce) {
    reader.savedMarkLine = 30;
    reader.pagingMode = kPagingWhole;
    Open("D:\\w.txt", ChineseLines(100));
    reader.OnWholeBookTimer();
    EXPECT_EQ(control.FirstVisibleLine(), 30);
    EXPECT_EQ(host.currentBox, 30);
    EXPECT_EQ(reader.MarkLine(), 30);
    control.ScrollLines(-10);
    reader.OnWholeBookTimer();
    EXPECT_EQ(control.FirstVisibleLine(), 20);
    EXPECT_EQ(host.currentBox, 20);

    reader.pagingMode = kPagingLines;
    reader.OnWholeBookTimer();  // out of whole-book mode the timer stops itself
    EXPECT_FALSE(host.timers.count(kTimerWholeBookLines));
}

TEST_F(ReaderDisplayTest, AnUnreachableSavedLineIsGivenUp) {
    reader.savedMarkLine = 5000;
    reader.pagingMode = kPagingWhole;
    Open("D:\\w.txt", ChineseLines(100));
    for (int i = 0; i < 12; ++i) reader.OnWholeBookTimer();
    control.ScrollLines(-50);
    reader.OnWholeBookTimer();
    EXPECT_EQ(control.FirstVisibleLine(), 31);
    EXPECT_EQ(host.currentBox, 31);
}

TEST_F(ReaderDisplayTest, EnterInThePageBox) {
    Open("D:\\e.txt", ChineseLines(200));
    host.typedBox = 3;
    reader.EnterInPageBox(false);
    EXPECT_EQ(reader.CurrentPage(), 3);
    host.typedBox = 5;
    reader.EnterInPageBox(false);
    EXPECT_EQ(reader.CurrentPage(), 3);
    EXPECT_EQ(host.currentBox, 3);
    host.typedBox = 0;
    reader.EnterInPageBox(false);
    EXPECT_EQ(host.currentBox, 3);

    reader.SwitchPagingMode(kPagingWhole);
    reader.OnWholeBookTimer();
    host.typedBox = 60;
    reader.EnterInPageBox(true);  // auto-scroll running: nothing
    EXPECT_EQ(control.FirstVisibleLine(), 100);
    reader.EnterInPageBox(false);
    EXPECT_EQ(control.FirstVisibleLine(), 60);
    EXPECT_EQ(reader.CurrentShown(), 60);
    host.typedBox = 201;
    reader.EnterInPageBox(false);
    EXPECT_EQ(host.currentBox, 60);
    EXPECT_EQ(control.FirstVisibleLine(), 60);
}

TEST_F(ReaderDisplayTest, TextThatIsNoNumberIsRefusedInThePageBox) {
    Open("D:\\n.txt", ChineseLines(200));
    host.typedBox = 2;
    reader.EnterInPageBox(false);
    host.messages.clear();
    host.currentBox = -1;
    host.typedBoxValid = false;  // "abc" typed
    reader.EnterInPageBox(false);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "\xC7\xEB\xBC\xFC\xC8\xEB\xD2\xBB\xB8\xF6\xD5\xFB\xCA\xFD\xA1\xA3");
    EXPECT_EQ(host.messages[0].flags, kMbOk | kMbIconExclamation);
    EXPECT_EQ(host.currentBox, -1);  // what was typed stays for the reader to mend
    EXPECT_EQ(reader.CurrentPage(), 2);

    reader.SwitchPagingMode(kPagingWhole);
    reader.OnWholeBookTimer();
    const int line = control.FirstVisibleLine();
    host.messages.clear();
    reader.EnterInPageBox(false);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(control.FirstVisibleLine(), line);
}

TEST_F(ReaderDisplayTest, OfferResumeAsksWithThePercentage) {
    const std::string book = ChineseLines(400);
    Open("D:\\r.txt", book);
    reader.OfferResume();
    EXPECT_TRUE(host.messages.empty());  // no record

    host.hasRecord = true;
    host.recordPosition = 0;
    reader.OfferResume();
    EXPECT_TRUE(host.messages.empty());

    const long long target = static_cast<long long>(book.find("第305行"));
    host.recordPosition = target;
    host.answer = kIdCancel;
    reader.OfferResume();
    char expected[96];
    std::snprintf(expected, sizeof expected, "发现上次进度 %.2f%%, 是否继续阅读？",
                  target * 100.0 / book.size());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, expected);
    EXPECT_EQ(host.messages[0].flags, 0x31u);
    EXPECT_EQ(reader.CurrentPage(), 1);

    host.answer = kIdOk;
    reader.OfferResume();
    EXPECT_EQ(reader.CurrentPage(), 7);
    EXPECT_EQ(reader.ReadPosition(), target);
}

}  // namespace
}  // namespace pel

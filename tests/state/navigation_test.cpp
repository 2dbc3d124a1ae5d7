// Page turning, screen down and its measured step, the key map, the jump to a percentage, the restore
// of the last line and the cursor hiding, against a page control that models lines and scrolling.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "navigation_doubles.h"
#include "state/native_profile.h"
#include "state_test_support.h"

namespace pel::testing {
namespace {

const char* const kBookPath = "C:\\books\\三体.txt";

// Lines of ten bytes: "line 001\r\n".
std::string Lines(int count) {
    std::string text;
    char line[32];
    for (int i = 1; i <= count; ++i) {
        std::snprintf(line, sizeof line, "line %03d\r\n", i);
        text += line;
    }
    return text;
}

class NavigatorTest : public ::testing::Test {
protected:
    NavigatorTest() : reader(control, readerHost, files, codePage), navigator(reader, control, host) {}

    void Open(int lines, int mode = kPagingLines) { OpenText(Lines(lines), mode); }
    void OpenText(const std::string& text, int mode) {
        files.files[kBookPath] = text;
        reader.pagingMode = mode;
        reader.SetBookPath(kBookPath);
        reader.OpenBook(kBookPath);
        ASSERT_EQ(reader.BookPath(), kBookPath);
    }
    void ScreenDowns(int n) {
        for (int i = 0; i < n; ++i) navigator.ScreenDown();
    }

    ScrollingPageControl control{10};
    QuietReaderHost readerHost;
    MemoryFiles files;
    AsciiCodePage codePage;
    Reader reader;
    RecordingNavigationHost host;
    Navigator navigator;
};

// A page of 50 lines is 51 control lines (the last one empty); with 10 visible the first line goes
// up to 41.
TEST_F(NavigatorTest, ScreenDownMeasuresThePageDownOnceThenReusesIt) {
    Open(120);
    ASSERT_EQ(reader.PageCount(), 3);
    ASSERT_EQ(reader.ScreenStep(), -1);
    navigator.ScreenDown();
    EXPECT_EQ(control.FirstVisibleLine(), 9);
    EXPECT_EQ(reader.ScreenStep(), 9);
    navigator.ScreenDown();
    EXPECT_EQ(control.FirstVisibleLine(), 18);
    ScreenDowns(3);
    EXPECT_EQ(control.FirstVisibleLine(), 41);
    EXPECT_EQ(control.pageDowns, 1);
    EXPECT_EQ(reader.CurrentPage(), 1);
    navigator.ScreenDown();  // the bottom is visible: next page
    EXPECT_EQ(reader.CurrentPage(), 2);
    EXPECT_EQ(control.FirstVisibleLine(), 0);
    EXPECT_EQ(reader.ScreenStep(), 9);
}

TEST_F(NavigatorTest, WithoutKeepOneEachScreenMovesOneLineMoreThanPageDown) {
    Open(120);
    navigator.keepOne = 0;
    navigator.ScreenDown();
    EXPECT_EQ(control.FirstVisibleLine(), 9);  // the measuring moves as the control's page-down
    EXPECT_EQ(reader.ScreenStep(), 10);
    navigator.ScreenDown();
    EXPECT_EQ(control.FirstVisibleLine(), 19);
}

TEST_F(NavigatorTest, TogglingKeepOneMeasuresAgain) {
    Open(120);
    navigator.ScreenDown();
    ASSERT_EQ(reader.ScreenStep(), 9);
    navigator.ToggleKeepOne();
    EXPECT_EQ(navigator.keepOne, 0);
    EXPECT_EQ(reader.ScreenStep(), 0);
    navigator.ScreenDown();
    EXPECT_EQ(control.pageDowns, 2);
    EXPECT_EQ(reader.ScreenStep(), 10);
    navigator.ToggleKeepOne();
    EXPECT_EQ(navigator.keepOne, 1);
}

// 14 lines are 15 control lines: the page-down reaches the bottom (first line 5), so the step comes
// from the lines left: 15 - 5 - 2 = 8, then page-up and 2 * 8 + 0 - 5 - 1 lines down.
TEST_F(NavigatorTest, MeasuringThatReachesTheBottomStepsFromTheLinesLeft) {
    Open(14);
    navigator.ScreenDown();
    EXPECT_EQ(reader.ScreenStep(), 8);
    EXPECT_EQ(control.pageUps, 1);
    ASSERT_FALSE(control.lineScrolls.empty());
    EXPECT_EQ(control.lineScrolls.back(), 10);
    EXPECT_EQ(control.FirstVisibleLine(), 5);
    EXPECT_EQ(reader.CurrentPage(), 1);

    reader.SetScreenStep(-1);
    control.ScrollLines(-100);
    navigator.keepOne = 0;
    navigator.ScreenDown();
    EXPECT_EQ(reader.ScreenStep(), 9);
}

TEST_F(NavigatorTest, ANegativeStepIsMeasuredAgainInsteadOfScrollingUp) {
    Open(120);
    control.ScrollLines(20);
    reader.SetScreenStep(-3);
    navigator.ScreenDown();
    EXPECT_EQ(control.pageDowns, 1);
    EXPECT_EQ(control.FirstVisibleLine(), 29);
    EXPECT_EQ(reader.ScreenStep(), 9);
}

TEST_F(NavigatorTest, EndOfBookMessageShowsOnceAndAgainAfterAScreenDown) {
    Open(120);
    host.readingTimeRuns = true;
    host.sessionSeconds = 3725;
    host.storedSeconds = 100;
    reader.ShowPage(3);
    navigator.NextPage();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "您已阅读完《三体》！\n本次阅读时间：1小时  2分  5秒 ！\n总计阅读时间：1小时  3分 45秒 ！");
    EXPECT_EQ(host.messages[0].flags, 0u);
    EXPECT_TRUE(navigator.EndOfBookShown());
    navigator.NextPage();
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(reader.CurrentPage(), 3);

    control.ScrollToBottom();
    navigator.ScreenDown();
    EXPECT_EQ(host.messages.size(), 2u);
    navigator.ClearEndOfBookShown();
    EXPECT_TRUE(navigator.HandleKey(kVkRight));
    EXPECT_EQ(host.messages.size(), 3u);
}

TEST_F(NavigatorTest, NoMessageWithoutARunningReadingTime) {
    Open(60);
    reader.ShowPage(2);
    navigator.NextPage();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(navigator.EndOfBookShown());
    host.readingTimeRuns = true;
    navigator.NextPage();
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(NavigatorTest, PreviousPageByLinesStopsAtPageOne) {
    Open(120);
    reader.ShowPage(2);
    navigator.PreviousPage();
    EXPECT_EQ(reader.CurrentPage(), 1);
    const int shown = control.setTextCalls;
    navigator.PreviousPage();
    EXPECT_EQ(reader.CurrentPage(), 1);
    EXPECT_EQ(control.setTextCalls, shown);
}

TEST_F(NavigatorTest, PreviousPageByChaptersGoesBackToPageZero) {
    // A preface and six chapters of 40 lines.
    std::string book = "序言\r\n" + Lines(5);
    for (int k = 1; k <= 6; ++k) book += "第" + std::to_string(k) + "章 标题\r\n" + Lines(40);
    OpenText(book, kPagingChapters);
    ASSERT_EQ(reader.pagingMode, kPagingChapters);
    ASSERT_EQ(reader.PageCount(), 6);
    reader.ShowPage(1);
    navigator.PreviousPage();
    EXPECT_EQ(reader.CurrentPage(), 0);
    const int shown = control.setTextCalls;
    navigator.PreviousPage();
    EXPECT_EQ(reader.CurrentPage(), 0);
    EXPECT_EQ(control.setTextCalls, shown);
}

TEST_F(NavigatorTest, WholeBookModeTurnsNoPages) {
    Open(120, kPagingWhole);
    ASSERT_EQ(reader.PageCount(), 1);
    const int shown = control.setTextCalls;
    navigator.PreviousPage();
    navigator.NextPage();
    EXPECT_EQ(control.setTextCalls, shown);
    host.readingTimeRuns = true;
    navigator.NextPage();  // the one page is the last page
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(NavigatorTest, LeavingAnEditedPageAsksToSaveIt) {
    Open(120);
    host.edited = true;
    host.answer = kIdYes;
    navigator.NextPage();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "是否保存文本？");
    EXPECT_EQ(host.messages[0].flags, kMbYesNo | kMbIconExclamation);
    EXPECT_EQ(host.savesAndReloads, 1);
    EXPECT_EQ(reader.CurrentPage(), 2);

    host.answer = 7;  // No
    navigator.PreviousPage();
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.savesAndReloads, 1);
    EXPECT_EQ(reader.CurrentPage(), 1);

    host.answer = kIdYes;
    navigator.JumpToPercent(50);
    EXPECT_EQ(host.messages.back().text, "是否保存当前文本？");
    EXPECT_EQ(host.saves, 1);
}

TEST_F(NavigatorTest, AFailedSaveKeepsTheEditedPage) {
    Open(200);
    reader.ShowPage(2);
    host.edited = true;
    host.answer = kIdYes;
    host.saveFails = true;
    const int shown = control.setTextCalls;
    navigator.NextPage();
    navigator.PreviousPage();
    navigator.JumpToPercent(90);
    EXPECT_EQ(host.places, (std::vector<SavePlace>{SavePlace::kPageTurn, SavePlace::kPageTurn,
                                                   SavePlace::kJumpToPercent}));
    EXPECT_EQ(reader.CurrentPage(), 2);
    EXPECT_EQ(control.setTextCalls, shown);  // the page was never refilled
}

TEST_F(NavigatorTest, ArrowKeysFollowKeyUD) {
    Open(120);
    EXPECT_TRUE(navigator.HandleKey(kVkDown));
    EXPECT_EQ(control.FirstVisibleLine(), 1);
    EXPECT_TRUE(navigator.HandleKey(kVkUp));
    EXPECT_EQ(control.FirstVisibleLine(), 0);

    navigator.SetKeyUD(kKeyUdThreeLines);
    EXPECT_TRUE(navigator.HandleKey(kVkDown));
    EXPECT_EQ(control.FirstVisibleLine(), 3);
    EXPECT_TRUE(navigator.HandleKey(kVkUp));
    EXPECT_EQ(control.FirstVisibleLine(), 0);

    navigator.SetKeyUD(kKeyUdScreen);
    EXPECT_TRUE(navigator.HandleKey(kVkDown));
    EXPECT_EQ(control.pageDowns, 1);
    EXPECT_EQ(control.FirstVisibleLine(), 9);
    EXPECT_TRUE(navigator.HandleKey(kVkUp));
    EXPECT_EQ(control.pageUps, 1);
    EXPECT_EQ(control.FirstVisibleLine(), 0);

    navigator.SetKeyUD(0);
    navigator.SetKeyUD(4);
    EXPECT_EQ(navigator.keyUD, kKeyUdScreen);
}

TEST_F(NavigatorTest, DownByLinesNeverTurnsThePageButSpaceDoes) {
    Open(120);
    control.ScrollToBottom();
    EXPECT_TRUE(navigator.HandleKey(kVkDown));
    EXPECT_EQ(reader.CurrentPage(), 1);
    EXPECT_TRUE(navigator.HandleKey(kVkSpace));
    EXPECT_EQ(reader.CurrentPage(), 2);
}

TEST_F(NavigatorTest, KeyTableConsumesPagingKeysAndLetsEnterThrough) {
    Open(120);
    EXPECT_FALSE(navigator.HandleKey(kVkReturn));
    EXPECT_EQ(host.autoScrollToggles, 1);
    EXPECT_TRUE(navigator.HandleKey(kVkRight));
    EXPECT_EQ(reader.CurrentPage(), 2);
    EXPECT_TRUE(navigator.HandleKey(kVkLeft));
    EXPECT_EQ(reader.CurrentPage(), 1);
    const int shown = control.setTextCalls;
    EXPECT_FALSE(navigator.HandleKey(0x22));  // Page Down is the control's own
    EXPECT_FALSE(navigator.HandleKey('A'));
    EXPECT_EQ(control.setTextCalls, shown);
    EXPECT_EQ(control.FirstVisibleLine(), 0);
}

TEST_F(NavigatorTest, ScreenDownButtonFocusesTheControlFirst) {
    Open(120);
    const int focus = control.focusCalls;
    navigator.ScreenDownButton();
    EXPECT_EQ(control.focusCalls, focus + 1);
    EXPECT_EQ(control.FirstVisibleLine(), 9);
}

// 120 lines of ten bytes: 1,200 bytes, page 2 starts at byte 500.
TEST_F(NavigatorTest, JumpGoesToTheTruncatedShareOfTheText) {
    Open(120);
    navigator.JumpToPercent(0);
    EXPECT_EQ(reader.CurrentPage(), 1);
    EXPECT_EQ(control.FirstVisibleLine(), 0);
    EXPECT_TRUE(control.lineScrolls.empty());

    navigator.JumpToPercent(50);
    EXPECT_EQ(reader.CurrentPage(), 2);
    EXPECT_EQ(control.FirstVisibleLine(), 10);
    EXPECT_EQ(reader.LineMarker(), 10);

    navigator.JumpToPercent(50.09);  // 600.9 bytes truncate to 600
    EXPECT_EQ(control.FirstVisibleLine(), 10);

    for (double beyond : {150.0, 1e300, std::numeric_limits<double>::infinity()}) {
        navigator.JumpToPercent(beyond);
        EXPECT_EQ(reader.CurrentPage(), 3) << beyond;
    }
    for (double below : {-20.0, -1e300, std::nan("")}) {
        navigator.JumpToPercent(below);
        EXPECT_EQ(reader.CurrentPage(), 1) << below;
    }
}

TEST_F(NavigatorTest, RestoringTheLastLineScrollsOnlyWithoutAJump) {
    Open(120);
    const std::string ini = FreshPath("markline");
    PutFile(ini, "[Style]\r\nMarkLine=7\r\n");
    NativeProfile profile;
    ASSERT_EQ(reader.LineMarker(), -1);
    navigator.RestoreLastLine(profile, ini);
    EXPECT_EQ(control.FirstVisibleLine(), 7);
    EXPECT_EQ(reader.LineMarker(), 7);
    EXPECT_EQ(host.killedTimers, std::vector<int>{kTimerRestoreLine});

    control.ScrollLines(-100);
    navigator.RestoreLastLine(profile, ini);
    EXPECT_EQ(control.FirstVisibleLine(), 0);
    EXPECT_EQ(host.killedTimers.size(), 2u);
}

// Whole-book mode at start-up: the line tracking's one-time restore and timer 101 both see the saved line;
// whichever fires first, the page stops at that line, and the line saved at exit is the same again, so
// start after start the reader comes back to one place.
TEST_F(NavigatorTest, WholeBookStartsRestoreTheSavedLineOnceInEitherTimerOrder) {
    const std::string ini = FreshPath("wholeline");
    NativeProfile profile;
    for (bool trackingFirst : {true, false}) {
        int saved = 25;
        for (int start = 1; start <= 3; ++start) {
            PutFile(ini, "[Style]\r\nMarkLine=" + std::to_string(saved) + "\r\n");
            ScrollingPageControl page{10};
            QuietReaderHost quiet;
            Reader run(page, quiet, files, codePage);
            Navigator nav(run, page, host);
            files.files[kBookPath] = Lines(400);
            run.pagingMode = kPagingWhole;
            run.savedMarkLine = saved;
            run.SetBookPath(kBookPath);
            run.OpenBook(kBookPath);
            if (trackingFirst) run.OnWholeBookTimer();
            nav.RestoreLastLine(profile, ini);
            for (int tick = 0; tick < 3; ++tick) run.OnWholeBookTimer();
            run.OnPositionTimer();
            EXPECT_EQ(page.FirstVisibleLine(), 25)
                << "start " << start << (trackingFirst ? ", 102 first" : "");
            EXPECT_EQ(run.LineMarker(), 25);
            saved = run.MarkLine();
        }
        EXPECT_EQ(saved, 25);
    }
}

TEST(ReadingTimeText, HoursMinutesAndSecondsPadded) {
    EXPECT_EQ(FormatReadingTime(0), "0小时  0分  0秒 ");
    EXPECT_EQ(FormatReadingTime(59), "0小时  0分 59秒 ");
    EXPECT_EQ(FormatReadingTime(3600 * 100 + 61), "100小时  1分  1秒 ");
    EXPECT_EQ(FormatReadingTime(-5), "0小时  0分  0秒 ");
}

using Actions = CursorHider::Actions;

TEST(CursorHiding, StillCursorOverTheFocusedControlStartsTheTimer) {
    CursorHider hider;
    EXPECT_EQ(hider.state(), CursorHider::kVisible);
    EXPECT_EQ(hider.Tick(100, 200, true, true), (Actions{true, false, false, false}));
    EXPECT_EQ(hider.state(), CursorHider::kTimerRunning);
    EXPECT_EQ(hider.Tick(100, 200, true, true), Actions{});
    EXPECT_EQ(hider.OnHideTimer(true, true), (Actions{false, true, false, true}));
    EXPECT_EQ(hider.state(), CursorHider::kHidden);
    EXPECT_EQ(hider.Tick(100, 200, true, true), Actions{});
    EXPECT_EQ(hider.Tick(101, 200, true, true), (Actions{false, false, true, false}));
    EXPECT_EQ(hider.state(), CursorHider::kVisible);
}

TEST(CursorHiding, MovingCancelsTheTimer) {
    CursorHider hider;
    hider.Tick(100, 200, true, true);
    EXPECT_EQ(hider.Tick(100, 201, true, true), (Actions{false, true, false, false}));
    EXPECT_EQ(hider.state(), CursorHider::kVisible);
    EXPECT_EQ(hider.Tick(100, 201, true, true), (Actions{true, false, false, false}));
}

TEST(CursorHiding, NoTimerOutsideTheControlOrWithoutFocus) {
    CursorHider hider;
    EXPECT_EQ(hider.Tick(100, 200, false, true), Actions{});
    EXPECT_EQ(hider.Tick(100, 200, true, false), Actions{});
    EXPECT_EQ(hider.state(), CursorHider::kVisible);
}

TEST(CursorHiding, TimerWithoutFocusLeavesTheCursorShown) {
    CursorHider hider;
    hider.Tick(100, 200, true, true);
    EXPECT_EQ(hider.OnHideTimer(true, false), (Actions{false, true, false, false}));
    EXPECT_EQ(hider.state(), CursorHider::kVisible);
    hider.Tick(100, 200, true, true);
    EXPECT_EQ(hider.OnHideTimer(false, true), (Actions{false, true, false, false}));
}

TEST(CursorHiding, RevealShowsAHiddenCursorOnly) {
    CursorHider hider;
    EXPECT_EQ(hider.Reveal(), Actions{});
    hider.Tick(100, 200, true, true);
    hider.OnHideTimer(true, true);
    EXPECT_EQ(hider.Reveal(), (Actions{false, false, true, false}));
    EXPECT_EQ(hider.state(), CursorHider::kVisible);
}

}  // namespace
}  // namespace pel::testing

// Auto-scroll: the movement of each mode per tick, the waits at the top and the bottom of a page, the
// page turn and the end of the book, switching on and off, and settings from a damaged file.
#include "state/auto_scroll.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "view_doubles.h"

namespace pel::testing {
namespace {

// A page control that scrolls by pixels: every line is kLineHeight pixels high and the window shows
// `visibleLines` of them. The scroll state is in pixels, the maximum being the height of the text.
class PixelPageControl : public IPageControl {
public:
    static constexpr int kLineHeight = 10;
    explicit PixelPageControl(int visibleLines) : window_(visibleLines * kLineHeight) { SetText(""); }

    void SetText(std::string_view text) override {
        lineStarts_.assign(1, 0);
        const auto* p = reinterpret_cast<const unsigned char*>(text.data());
        const auto* end = p + text.size();
        int chars = 0;
        while (p < end) {
            const bool lineFeed = *p == '\n';
            p += ControlCharBytes(p, end);
            ++chars;
            if (lineFeed) lineStarts_.push_back(chars);
        }
        chars_ = chars;
        position_ = 0;
    }
    int FirstVisibleLine() override { return position_ / kLineHeight; }
    int LineCount() override { return static_cast<int>(lineStarts_.size()); }
    int LineIndex(int line) override {
        return line >= 0 && line < LineCount() ? lineStarts_[static_cast<std::size_t>(line)] : -1;
    }
    int LineFromChar(int charPos) override {
        charPos = std::clamp(charPos, 0, chars_);
        return static_cast<int>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), charPos) -
                                lineStarts_.begin()) -
               1;
    }
    void ScrollLines(int lines) override { MoveTo((FirstVisibleLine() + lines) * kLineHeight); }
    void Focus() override {}
    void ClearModified() override {}
    ScrollState VerticalScroll() override { return {position_, window_, Height()}; }
    void PageDownScroll() override { MoveTo(position_ + window_ - kLineHeight); }
    void PageUpScroll() override { MoveTo(position_ - window_ + kLineHeight); }
    void SetVerticalScrollPosition(int position) override {
        ++positionsSet;
        MoveTo(position);
    }

    int Position() const { return position_; }
    int Height() const { return static_cast<int>(lineStarts_.size()) * kLineHeight; }
    int LastPosition() const { return std::max(0, Height() - window_); }
    void MoveTo(int position) { position_ = std::clamp(position, 0, LastPosition()); }
    int positionsSet = 0;

private:
    int window_;
    std::vector<int> lineStarts_;
    int chars_ = 0;
    int position_ = 0;
};

class TimerHost : public IAutoScrollHost {
public:
    void StartTimer(int id, int periodMs) override {
        calls.push_back({id, periodMs});
        if (id == kTimerAutoScroll) running = true;
    }
    void StopTimer(int id) override {
        calls.push_back({id, -1});
        if (id == kTimerAutoScroll) running = false;
    }
    std::vector<std::pair<int, int>> calls;  // period -1: stopped
    bool running = false;
};

// The navigator's host: Enter toggles auto-scroll, and a message box can run a tick from inside its
// own message loop as the platform's box does.
class NavigationView : public RecordingNavigationHost {
public:
    void ToggleAutoScroll() override {
        RecordingNavigationHost::ToggleAutoScroll();
        scroller->Toggle();
    }
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        const int result = RecordingNavigationHost::MessageBox(text, caption, flags);
        if (whileBoxIsOpen) whileBoxIsOpen();
        return result;
    }
    AutoScroller* scroller = nullptr;
    std::function<void()> whileBoxIsOpen;
};

// A book of 120 ten-byte lines in pages of 50: pages 1 and 2 show 51 control lines (510 pixels, the
// last one empty) in a window of 10 lines, page 3 shows 21.
class AutoScroll : public ::testing::Test {
protected:
    void SetUp() override {
        files.files["C:\\b.txt"] = TenByteLines(120);
        reader.SetBookPath("C:\\b.txt");
        reader.OpenBook("C:\\b.txt");
        view.scroller = &scroller;
        scroller.settings = {kRollByPixel, 1000, 3, 5};
    }
    // `count` ticks of the timer, the clock moving on by the period before each one.
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            elapsedMs_ += std::max(scroller.settings.timeSpan, 1);
            clock.now.seconds = kStart + elapsedMs_ / 1000;
            scroller.OnTimer();
        }
    }
    // Ticks until the page moves or `limit` ticks have passed; the number of ticks that stood still.
    int TicksStandingStill(int limit) {
        const int page = reader.CurrentPage();
        const int position = control.Position();
        for (int i = 0; i < limit; ++i) {
            Ticks(1);
            if (reader.CurrentPage() != page || control.Position() != position) return i;
        }
        return limit;
    }
    void On() {
        scroller.Toggle();
        ASSERT_TRUE(scroller.IsOn());
    }

    static constexpr long long kStart = 1709445900;
    long long elapsedMs_ = 0;
    PixelPageControl control{10};
    QuietReaderHost readerHost;
    MemoryFiles files;
    AsciiCodePage codePage;
    Reader reader{control, readerHost, files, codePage};
    NavigationView view;
    Navigator navigator{reader, control, view};
    TimerHost timers;
    FakeClock clock;
    AutoScroller scroller{reader, control, navigator, timers, clock};
};

TEST_F(AutoScroll, EnterAndBothMenuCommandsToggleTimer111WithThePeriod) {
    scroller.settings.timeSpan = 30;
    EXPECT_FALSE(scroller.IsOn());  // every run starts with auto-scroll off
    EXPECT_TRUE(scroller.OnCommand(kCmdAutoScroll));
    EXPECT_TRUE(scroller.IsOn());
    EXPECT_FALSE(navigator.HandleKey(kVkReturn));  // toggles and is not consumed
    EXPECT_FALSE(scroller.IsOn());
    EXPECT_TRUE(scroller.OnCommand(kCmdAutoScrollContext));
    EXPECT_TRUE(scroller.IsOn());
    EXPECT_FALSE(scroller.OnCommand(32824));
    EXPECT_EQ(timers.calls, (std::vector<std::pair<int, int>>{{111, 30}, {111, -1}, {111, 30}}));
}

TEST_F(AutoScroll, FullScreenStopsItOnlyWhenItRuns) {
    scroller.Stop();
    EXPECT_TRUE(timers.calls.empty());
    On();
    scroller.Stop();
    EXPECT_FALSE(scroller.IsOn());
    EXPECT_FALSE(timers.running);
}

TEST_F(AutoScroll, AppliedSettingsRestartTheRunningTimerWithTheNewPeriod) {
    On();
    scroller.ApplySettings({kRollByLine, 3000, 1, 2});
    EXPECT_EQ(timers.calls.back(), (std::pair<int, int>{111, 3000}));
    EXPECT_TRUE(scroller.IsOn());
    EXPECT_EQ(scroller.settings.rollType, kRollByLine);

    scroller.Toggle();
    scroller.ApplySettings({kRollByPixel, 40, 3, 5});
    EXPECT_EQ(timers.calls.back(), (std::pair<int, int>{111, -1}));
    EXPECT_FALSE(scroller.IsOn());
}

TEST_F(AutoScroll, PeriodFromADamagedFileNeverGoesBelowTenMilliseconds) {
    EXPECT_EQ(AutoScrollPeriodMs(30), 30);
    EXPECT_EQ(AutoScrollPeriodMs(30000), 30000);
    EXPECT_EQ(AutoScrollPeriodMs(0), kMinAutoScrollPeriodMs);
    EXPECT_EQ(AutoScrollPeriodMs(-20), kMinAutoScrollPeriodMs);
    scroller.settings.timeSpan = -20;
    On();
    EXPECT_EQ(timers.calls.back(), (std::pair<int, int>{111, 10}));
    scroller.ApplySettings({kRollByPixel, 0, 3, 5});
    EXPECT_EQ(timers.calls.back(), (std::pair<int, int>{111, 10}));
}

TEST_F(AutoScroll, ByPixelWaitsAtTheTopThenMovesOnePixelATick) {
    On();
    // The wait ends once more than five whole seconds have passed since its first tick.
    EXPECT_EQ(TicksStandingStill(20), 6);
    EXPECT_EQ(control.Position(), 1);
    Ticks(3);
    EXPECT_EQ(control.Position(), 4);
    EXPECT_EQ(control.positionsSet, 4);
}

TEST_F(AutoScroll, TopWaitAtThirtyMillisecondsLastsBetweenFiveAndSixSeconds) {
    scroller.settings.timeSpan = 30;
    On();
    const int still = TicksStandingStill(1000);
    EXPECT_GT(still * 30, 5000);
    EXPECT_LE(still * 30, 6000);
    Ticks(33);  // about a second: 33 pixels
    EXPECT_EQ(control.Position(), 34);
}

TEST_F(AutoScroll, ByLineStandsStillScrollsLineByLineWaitsAtTheBottomAndTurns) {
    scroller.settings.rollType = kRollByLine;
    On();
    EXPECT_EQ(TicksStandingStill(20), 6);  // TimeFirst 5
    EXPECT_EQ(control.FirstVisibleLine(), 1);
    // 41 lines in all bring the last line into the window; the bottom wait starts on that tick.
    Ticks(40);
    EXPECT_EQ(control.FirstVisibleLine(), 41);
    EXPECT_EQ(reader.CurrentPage(), 1);
    EXPECT_TRUE(scroller.Waiting());
    Ticks(3);  // TimeEnd 3: still waiting after three seconds
    EXPECT_EQ(reader.CurrentPage(), 1);
    Ticks(1);
    EXPECT_EQ(reader.CurrentPage(), 2);
    EXPECT_EQ(control.Position(), 0);
    EXPECT_FALSE(scroller.Waiting());
    // The next page begins with its own top wait.
    EXPECT_EQ(TicksStandingStill(20), 6);
}

TEST_F(AutoScroll, ByPixelTurnsThePageAfterTheBottomWait) {
    control.MoveTo(control.LastPosition() - 2);
    On();
    Ticks(2);
    EXPECT_EQ(control.Position(), control.LastPosition());
    EXPECT_TRUE(scroller.Waiting());
    Ticks(3);
    EXPECT_EQ(reader.CurrentPage(), 1);
    Ticks(1);
    EXPECT_EQ(reader.CurrentPage(), 2);
    EXPECT_TRUE(scroller.IsOn());
}

TEST_F(AutoScroll, ByScreenIsOneScreenDownPerTickWithoutWaits) {
    scroller.settings = {kRollByScreen, 30000, 3, 5};
    On();
    Ticks(1);  // the first screen-down measures the step with the control's own page-down
    EXPECT_EQ(control.FirstVisibleLine(), 9);
    Ticks(1);
    EXPECT_EQ(control.FirstVisibleLine(), 18);
    Ticks(3);
    EXPECT_EQ(control.FirstVisibleLine(), 41);
    EXPECT_EQ(reader.CurrentPage(), 1);
    Ticks(1);  // the bottom is shown: the next page at once
    EXPECT_EQ(reader.CurrentPage(), 2);
    EXPECT_FALSE(scroller.Waiting());
}

TEST_F(AutoScroll, EndOfTheBookKeepsItRunningAndShowsTheMessageOnce) {
    view.readingTimeRuns = true;
    reader.ShowPage(3);
    scroller.settings.rollType = kRollByLine;
    On();
    Ticks(60);
    EXPECT_TRUE(scroller.IsOn());
    EXPECT_TRUE(timers.running);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text.rfind("您已阅读完《b》！", 0), 0u);
    Ticks(60);  // further ticks at the end of the book show nothing more
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(reader.CurrentPage(), 3);
    EXPECT_TRUE(scroller.IsOn());
}

TEST_F(AutoScroll, ByPixelTheEndOfTheBookKeepsItRunningAndScrolledBackItComesDownAgain) {
    view.readingTimeRuns = true;
    reader.ShowPage(3);
    scroller.settings = {kRollByPixel, 10, 0, 0};
    On();
    Ticks(2000);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(scroller.IsOn());
    EXPECT_TRUE(timers.running);
    const int bottom = control.Position();
    EXPECT_EQ(bottom, control.LastPosition());
    control.MoveTo(bottom - 30);  // the reader scrolls back up
    Ticks(2000);
    EXPECT_EQ(control.Position(), bottom);
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(reader.CurrentPage(), 3);
    EXPECT_TRUE(scroller.IsOn());
}

TEST_F(AutoScroll, AfterTheEndAnEarlierPageStillTurns) {
    view.readingTimeRuns = true;
    scroller.settings = {kRollByLine, 1000, 0, 0};
    reader.ShowPage(3);
    On();
    Ticks(40);
    ASSERT_EQ(view.messages.size(), 1u);
    reader.ShowPage(2);
    Ticks(200);  // page 2 runs out and turns to page 3; the end of the book is not shown twice
    EXPECT_EQ(reader.CurrentPage(), 3);
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(scroller.IsOn());
}

TEST_F(AutoScroll, ByScreenAtTheEndKeepsRunningWithoutRepeatingTheMessage) {
    view.readingTimeRuns = true;
    scroller.settings = {kRollByScreen, 10, 3, 5};
    reader.ShowPage(3);
    // The platform's box runs its own message loop, in which timer 111 goes on ticking.
    view.whileBoxIsOpen = [this] { Ticks(5); };
    On();
    Ticks(10);
    EXPECT_TRUE(scroller.IsOn());
    EXPECT_EQ(view.messages.size(), 1u);
    // Space at the bottom still shows the message again, as screen-down clears the flag.
    navigator.ScreenDown();
    EXPECT_EQ(view.messages.size(), 2u);
    Ticks(10);
    EXPECT_EQ(view.messages.size(), 2u);
}

TEST_F(AutoScroll, TicksDuringTheSaveQuestionWaitForThePageTurn) {
    view.edited = true;
    view.answer = kIdNo;
    scroller.settings = {kRollByScreen, 10, 3, 5};
    control.MoveTo(control.LastPosition());
    view.whileBoxIsOpen = [this] { Ticks(3); };
    On();
    Ticks(1);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "是否保存文本？");
    EXPECT_EQ(reader.CurrentPage(), 2);  // one turn, not one per tick
}

TEST_F(AutoScroll, SwitchingOffAndOnDuringTheTopWaitDoesNotRestartIt) {
    On();
    Ticks(3);
    scroller.Toggle();
    Ticks(1);  // a tick that was already queued
    scroller.Toggle();
    Ticks(2);
    EXPECT_EQ(control.Position(), 0);
    Ticks(1);  // six seconds after the wait began
    EXPECT_EQ(control.Position(), 1);
}

TEST_F(AutoScroll, PageThatFitsTurnsAfterBothWaits) {
    PixelPageControl tall(60);
    Reader book(tall, readerHost, files, codePage);
    book.SetBookPath("C:\\b.txt");
    book.OpenBook("C:\\b.txt");
    Navigator nav(book, tall, view);
    AutoScroller fits(book, tall, nav, timers, clock);
    fits.settings = {kRollByPixel, 1000, 3, 5};
    fits.Toggle();
    int ticks = 0;
    while (book.CurrentPage() == 1 && ticks < 30) {
        elapsedMs_ += 1000;
        clock.now.seconds = kStart + elapsedMs_ / 1000;
        fits.OnTimer();
        ++ticks;
    }
    EXPECT_EQ(book.CurrentPage(), 2);
    // Ticks 1..6 wait at the top; tick 7 ends that wait and begins the bottom one, which tick 11 ends.
    EXPECT_EQ(ticks, 11);
}

TEST_F(AutoScroll, ScrollingUpDuringTheBottomWaitStartsItAfresh) {
    scroller.settings.rollType = kRollByLine;
    control.ScrollLines(40);
    On();
    Ticks(3);  // the bottom wait has run two seconds
    EXPECT_TRUE(scroller.Waiting());
    control.ScrollLines(-2);  // the reader scrolls back
    Ticks(2);
    EXPECT_EQ(control.FirstVisibleLine(), 41);
    Ticks(3);
    EXPECT_EQ(reader.CurrentPage(), 1);
    Ticks(1);
    EXPECT_EQ(reader.CurrentPage(), 2);
}

TEST_F(AutoScroll, WaitsFromADamagedFileOrAClockSetBackNeverFreezeIt) {
    scroller.settings = {-1, 1000, -4, -7};  // RollType -1 is what a typed text leaves in the dialog
    On();
    Ticks(1);
    EXPECT_EQ(control.Position(), 1);  // no top wait, and the unknown mode scrolls by pixel

    scroller.settings.timeFirst = 5;
    reader.ShowPage(2);
    Ticks(2);
    clock.now.seconds -= 3600;  // the clock is set back an hour during the wait
    elapsedMs_ -= 3600 * 1000;
    EXPECT_EQ(TicksStandingStill(20), 6);
    EXPECT_EQ(control.Position(), 1);
}

}  // namespace
}  // namespace pel::testing

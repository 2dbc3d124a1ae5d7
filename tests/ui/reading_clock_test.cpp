#include "ui/reading_clock.h"

#include <gtest/gtest.h>

namespace {

TEST(ClockTexts, PaneTimeAndReminderForms) {
    EXPECT_EQ(ClockPaneText({2026, 3, 1, 9, 5, 7, 0}), "2026/3/1   09:05:07   星期日");
    EXPECT_EQ(ClockPaneText({2026, 12, 31, 23, 59, 0, 4}), "2026/12/31   23:59:00   星期四");
    EXPECT_EQ(ReadingTimeText(2 * 3600 + 3 * 60 + 4), "-->阅读时间：2 小时 3 分 4 秒 <--");
    EXPECT_EQ(ReminderText(30), "你已经阅读 30 分钟，请注意保护眼睛，适当的休息！");
    EXPECT_EQ(ReminderText(60), "你已经阅读 1 小时 0 分，请注意保护眼睛，适当的休息！");
    EXPECT_EQ(ReminderText(90), "你已经阅读 1 小时 30 分，请注意保护眼睛，适当的休息！");
}

TEST(ReminderSchedule, EveryIntervalOfReadingTimeNotCountingHiddenTime) {
    ReadingClockState s;
    s.clockStart = 1000;
    s.nextReminderMinutes = 30;
    int minutes = 0;
    EXPECT_FALSE(s.ReminderDue(1000 + 30 * 60 - 1, 30, minutes));
    EXPECT_TRUE(s.ReminderDue(1000 + 30 * 60, 30, minutes));
    EXPECT_EQ(minutes, 30);
    EXPECT_FALSE(s.ReminderDue(1000 + 30 * 60 + 1, 30, minutes));
    // Ten minutes in the tray move the next reminder ten minutes later.
    s.hiddenTotal = 600;
    EXPECT_FALSE(s.ReminderDue(1000 + 60 * 60, 30, minutes));
    EXPECT_TRUE(s.ReminderDue(1000 + 70 * 60, 30, minutes));
    EXPECT_EQ(minutes, 60);
}

TEST(ReminderSchedule, AMissedSecondStillRemindsOnceAndOffMeansOff) {
    ReadingClockState s;
    s.clockStart = 0;
    s.nextReminderMinutes = 30;
    int minutes = 0;
    // The tick of the target second was lost, and much more: one reminder, then on schedule again.
    EXPECT_TRUE(s.ReminderDue(95 * 60, 30, minutes));
    EXPECT_EQ(minutes, 90);
    EXPECT_FALSE(s.ReminderDue(95 * 60 + 1, 30, minutes));
    EXPECT_TRUE(s.ReminderDue(120 * 60, 30, minutes));
    EXPECT_EQ(minutes, 120);
    EXPECT_FALSE(s.ReminderDue(1000 * 60, 0, minutes));
    ReadingClockState off;  // TimeSpanTip 0 at start-up: nothing later either
    EXPECT_FALSE(off.ReminderDue(1000 * 60, 30, minutes));
}

}  // namespace

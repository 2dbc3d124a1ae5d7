// The frame's clock: date and time in status pane 1, the reading time in pane 0 after two minutes,
// and a rest reminder every `TimeSpanTip` minutes of reading. Time hidden by the boss key or in the
// tray does not count. Windows-free, so the schedule can be tested on its own.
#pragma once
#include <string>

struct ClockFace {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    int weekday = 0;  // 0 Sunday .. 6 Saturday
};

// "%d/%d/%d   %s   星期%s" with the time of day as "%H:%M:%S".
std::string ClockPaneText(const ClockFace& now);
// "-->阅读时间：%d 小时 %d 分 %d 秒 <--".
std::string ReadingTimeText(long long seconds);
// The minutes form below an hour, the hours form from 60 minutes on.
std::string ReminderText(int minutes);

struct ReadingClockState {
    long long clockStart = 0;
    bool readingTimeShown = false;
    long long readingSeconds = 0;
    bool hidden = false;
    long long hiddenSince = 0;
    long long hiddenTotal = 0;
    int nextReminderMinutes = 0;
    int reminderBoxState = 0;  // 0 no box, 1 reminder open, 2 the away message replaced it

    // Seconds read at `now`: the time since the frame was created less the time hidden.
    long long SecondsRead(long long now) const { return now - clockStart - hiddenTotal; }
    // True when a reminder falls due at `now`; `minutes` is the reminder's reading time and the
    // next reminder moves on by `timeSpanTip`. A reminder whose second was missed (a busy tick)
    // still comes on the next tick, and only once.
    bool ReminderDue(long long now, int timeSpanTip, int& minutes);
};

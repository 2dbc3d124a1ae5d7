#include "ui/reading_clock.h"

#include <cstdio>

std::string ClockPaneText(const ClockFace& now) {
    static const char* const kWeekdays[7] = {"日", "一", "二", "三", "四", "五", "六"};
    const int wd = now.weekday >= 0 && now.weekday < 7 ? now.weekday : 0;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d/%d/%d   %02d:%02d:%02d   星期%s", now.year, now.month, now.day,
                  now.hour, now.minute, now.second, kWeekdays[wd]);
    return buf;
}

std::string ReadingTimeText(long long seconds) {
    if (seconds < 0) seconds = 0;
    char buf[96];
    std::snprintf(buf, sizeof buf, "-->阅读时间：%lld 小时 %lld 分 %lld 秒 <--", seconds / 3600,
                  (seconds % 3600) / 60, seconds % 60);
    return buf;
}

std::string ReminderText(int minutes) {
    char buf[128];
    if (minutes < 60)
        std::snprintf(buf, sizeof buf, "你已经阅读 %d 分钟，请注意保护眼睛，适当的休息！", minutes);
    else
        std::snprintf(buf, sizeof buf, "你已经阅读 %d 小时 %d 分，请注意保护眼睛，适当的休息！", minutes / 60,
                      minutes % 60);
    return buf;
}

bool ReadingClockState::ReminderDue(long long now, int timeSpanTip, int& minutes) {
    if (timeSpanTip <= 0 || nextReminderMinutes <= 0) return false;
    const long long target = clockStart + hiddenTotal + static_cast<long long>(nextReminderMinutes) * 60;
    if (now < target) return false;
    // After a long pause (a suspended machine) only the latest reminder is shown, once.
    do {
        minutes = nextReminderMinutes;
        nextReminderMinutes += timeSpanTip;
    } while (clockStart + hiddenTotal + static_cast<long long>(nextReminderMinutes) * 60 <= now);
    return true;
}

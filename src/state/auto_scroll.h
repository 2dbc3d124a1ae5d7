// Auto-scroll: view timer 111 moves the page by pixel, by line or by screen, waits at the top and at
// the bottom of each page and turns to the next one, so that a book reads hands-free.
#pragma once
#include "book/platform.h"
#include "book/reader.h"
#include "state/clock.h"
#include "state/navigation.h"
#include "state/settings.h"

namespace pel {

constexpr int kTimerAutoScroll = 111;
// The menu item (ticked while auto-scroll runs) and the context-menu entry "自动滚屏\t(&Enter)".
constexpr int kCmdAutoScroll = 32823;
constexpr int kCmdAutoScrollContext = 107;
// The platform's shortest timer period. TimeSpan is not checked by the settings dialog; a period of 0
// or below from a damaged file runs at this rate instead of spinning or never firing.
constexpr int kMinAutoScrollPeriodMs = 10;

// Quote/RollType: the selection index of the dialog's scroll-mode list.
enum RollTypeValue { kRollByPixel = 0, kRollByLine = 1, kRollByScreen = 2 };

// The four settings of section Quote that drive auto-scroll, as the application object holds them.
struct AutoScrollSettings {
    int rollType = settings::kRollType.intDefault;
    int timeSpan = settings::kTimeSpan.intDefault;    // timer period, ms
    int timeEnd = settings::kTimeEnd.intDefault;      // wait at the bottom of a page, s
    int timeFirst = settings::kTimeFirst.intDefault;  // wait at the top of a page, s
};

// The timer period for a TimeSpan: never below kMinAutoScrollPeriodMs.
int AutoScrollPeriodMs(int timeSpan);

// The view timers as auto-scroll uses them.
class IAutoScrollHost {
public:
    virtual ~IAutoScrollHost() = default;
    // Starts timer `id`, or gives a running one the new period.
    virtual void StartTimer(int id, int periodMs) = 0;
    virtual void StopTimer(int id) = 0;
};

class AutoScroller {
public:
    AutoScroller(Reader& reader, IPageControl& page, Navigator& navigator, IAutoScrollHost& host,
                 IClock& clock);

    // Taken from the view settings at start-up; changed afterwards only through ApplySettings.
    AutoScrollSettings settings;

    // 32823 and 107 toggle; false for any other id.
    bool OnCommand(int id);
    // Enter in the page control (the navigator's hook), 32823, 107.
    void Toggle();
    // Full screen switched on or off: auto-scroll ends if it runs.
    void Stop();
    // The advanced settings dialog closed with OK: the new values, and timer 111 restarted with the new
    // period while auto-scroll runs (stopped otherwise).
    void ApplySettings(const AutoScrollSettings& changed);
    // Timer 111.
    void OnTimer();

    // Menu item 32823 is ticked while this is true; not kept between runs.
    bool IsOn() const { return on_; }
    // A wait at the top or the bottom of a page has begun and not yet ended.
    bool Waiting() const { return wait_ != Wait::kNone; }

private:
    enum class Wait { kNone, kTop, kBottom };

    void Tick();
    void ScrollOneStep(int position);
    // True once a wait of this kind has lasted more than `seconds` whole seconds; the first call of a
    // kind starts it. Another kind of wait, or a clock that went back, starts it afresh.
    bool WaitOver(Wait kind, int seconds);
    // The page turn of a tick. On the last page auto-scroll keeps running, but only its first turn
    // there shows the end of the book; later ticks (also those arriving while that message box is up)
    // turn nothing until another page is shown.
    void TurnPage(bool byScreen);

    Reader& reader_;
    IPageControl& page_;
    Navigator& navigator_;
    IAutoScrollHost& host_;
    IClock& clock_;
    bool on_ = false;
    bool ticking_ = false;
    // Kept while auto-scroll is off, so that a wait switched off and on again goes on from its start.
    Wait wait_ = Wait::kNone;
    long long waitStart_ = 0;
    // The end of the book has been shown from a tick on the last page.
    bool endShown_ = false;
};

}  // namespace pel

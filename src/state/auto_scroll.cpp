#include "state/auto_scroll.h"

#include <algorithm>

namespace pel {

namespace {

bool BottomShown(const IPageControl::ScrollState& s) { return s.position + s.pageSize >= s.maximum; }

}  // namespace

int AutoScrollPeriodMs(int timeSpan) { return std::max(timeSpan, kMinAutoScrollPeriodMs); }

AutoScroller::AutoScroller(Reader& reader, IPageControl& page, Navigator& navigator, IAutoScrollHost& host,
                           IClock& clock)
    : reader_(reader), page_(page), navigator_(navigator), host_(host), clock_(clock) {}

bool AutoScroller::OnCommand(int id) {
    if (id != kCmdAutoScroll && id != kCmdAutoScrollContext) return false;
    Toggle();
    return true;
}

void AutoScroller::Toggle() {
    on_ = !on_;
    if (on_) {
        host_.StartTimer(kTimerAutoScroll, AutoScrollPeriodMs(settings.timeSpan));
    } else {
        host_.StopTimer(kTimerAutoScroll);
    }
}

void AutoScroller::Stop() {
    if (on_) Toggle();
}

void AutoScroller::ApplySettings(const AutoScrollSettings& changed) {
    settings = changed;
    if (on_) {
        host_.StartTimer(kTimerAutoScroll, AutoScrollPeriodMs(settings.timeSpan));
    } else {
        host_.StopTimer(kTimerAutoScroll);
    }
}

void AutoScroller::OnTimer() {
    // A tick can open a modal box (the end of the book, the save question of edit mode) whose message
    // loop delivers further ticks; they wait for the first one to finish. A tick already queued when
    // auto-scroll was switched off does nothing.
    if (!on_ || ticking_) return;
    ticking_ = true;
    Tick();
    ticking_ = false;
}

void AutoScroller::Tick() {
    if (settings.rollType == kRollByScreen) {
        if (BottomShown(page_.VerticalScroll())) {
            TurnPage(true);
        } else {
            navigator_.ScreenDown();
        }
        return;
    }
    IPageControl::ScrollState scroll = page_.VerticalScroll();
    // A page that fits into the control shows its top and its bottom at once: once its top wait is
    // over, its bottom wait runs to the end instead of giving way to a new top wait, so that such a
    // page turns too.
    const bool fitsAndBottomWaitRuns = wait_ == Wait::kBottom && BottomShown(scroll);
    if (scroll.position == 0 && !fitsAndBottomWaitRuns && !WaitOver(Wait::kTop, settings.timeFirst)) return;

    ScrollOneStep(scroll.position);

    scroll = page_.VerticalScroll();
    if (!BottomShown(scroll)) {
        // A wait left behind by the reader's own scrolling is over.
        wait_ = Wait::kNone;
        return;
    }
    if (!WaitOver(Wait::kBottom, settings.timeEnd)) return;
    TurnPage(false);
}

void AutoScroller::ScrollOneStep(int position) {
    // Any other value (the dialog stores -1 for a typed text) scrolls by pixel, as the value is read
    // back at the next start.
    if (settings.rollType == kRollByLine) {
        page_.ScrollLines(1);
    } else {
        page_.SetVerticalScrollPosition(position + 1);
    }
}

bool AutoScroller::WaitOver(Wait kind, int seconds) {
    const long long now = clock_.Now().seconds;
    if (wait_ != kind || now < waitStart_) {
        wait_ = kind;
        waitStart_ = now;
    }
    if (now - waitStart_ <= seconds) return false;
    wait_ = Wait::kNone;
    return true;
}

void AutoScroller::TurnPage(bool byScreen) {
    const bool lastPage = reader_.CurrentPage() >= reader_.PageCount();
    if (!lastPage) {
        endShown_ = false;
    } else if (endShown_) {
        // Auto-scroll keeps running at the end of the book; the end-of-book message is shown once.
        return;
    } else {
        endShown_ = true;
    }
    if (byScreen) {
        navigator_.ScreenDown();
    } else {
        navigator_.NextPage();
    }
}

}  // namespace pel

#include "state/navigation.h"

#include <cmath>
#include <cstdio>

#include "book/message_flags.h"
#include "state/settings.h"

namespace pel {

std::string FormatReadingTime(long long seconds) {
    if (seconds < 0) seconds = 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%lld小时 %2d分 %2d秒 ", seconds / 3600,
                  static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
    return buffer;
}

Navigator::Navigator(Reader& reader, IPageControl& page, INavigationHost& host)
    : reader_(reader), page_(page), host_(host) {}

bool Navigator::OfferSaveBeforeLeaving() { return host_.OfferToSave(SavePlace::kPageTurn); }

void Navigator::NextPage() {
    if (!OfferSaveBeforeLeaving()) return;
    if (reader_.CurrentPage() != reader_.PageCount()) {
        reader_.ShowPage(reader_.CurrentPage() + 1);
        return;
    }
    if (!endOfBookShown_) ShowEndOfBook();
}

void Navigator::ShowEndOfBook() {
    long long session = 0;
    long long stored = 0;
    if (!host_.ReadingTimeOfOpenBook(session, stored)) return;
    const std::string title =
        reader_.State().bookTitle.empty() ? BookTitleOf(reader_.BookPath()) : reader_.State().bookTitle;
    const std::string text = "您已阅读完《" + title + "》！\n本次阅读时间：" + FormatReadingTime(session) +
                             "！\n总计阅读时间：" + FormatReadingTime(session + stored) + "！";
    host_.MessageBox(text, kAppCaption, kMbOk);
    endOfBookShown_ = true;
}

void Navigator::PreviousPage() {
    if (!OfferSaveBeforeLeaving()) return;
    const int page = reader_.CurrentPage();
    if (reader_.pagingMode == kPagingWhole || page == 0) return;
    if (page == 1 && reader_.pagingMode == kPagingLines) return;
    reader_.ShowPage(page - 1);
}

void Navigator::ScreenDown() {
    const IPageControl::ScrollState scroll = page_.VerticalScroll();
    endOfBookShown_ = false;
    if (scroll.position + scroll.pageSize >= scroll.maximum) {
        NextPage();
        return;
    }
    // A negative step (a page control with room for fewer than two lines) would scroll up for ever;
    // it is measured again instead.
    if (reader_.ScreenStep() > 0) {
        page_.ScrollLines(reader_.ScreenStep());
        return;
    }
    MeasureScreenStep();
}

// The measuring is itself the movement of this screen-down: the control's own page-down, or, when
// that reaches the bottom, a step from the lines that were left.
void Navigator::MeasureScreenStep() {
    const int a = page_.FirstVisibleLine();
    page_.PageDownScroll();
    const int b = page_.FirstVisibleLine();
    const int n = page_.LineCount();
    const IPageControl::ScrollState scroll = page_.VerticalScroll();
    int step = 0;
    if (scroll.position + scroll.pageSize < scroll.maximum) {
        step = b - a;
    } else {
        step = n - b - 2;
        page_.PageUpScroll();
        page_.ScrollLines(2 * step + a - b - 1);
    }
    if (keepOne == 0) ++step;
    reader_.SetScreenStep(step);
}

void Navigator::ScreenDownButton() {
    page_.Focus();
    ScreenDown();
}

void Navigator::ToggleKeepOne() {
    keepOne = keepOne == 0 ? 1 : 0;
    reader_.SetScreenStep(0);
}

void Navigator::SetKeyUD(int value) {
    if (value >= kKeyUdOneLine && value <= kKeyUdThreeLines) keyUD = value;
}

bool Navigator::HandleKey(int virtualKey) {
    switch (virtualKey) {
        case kVkReturn:
            host_.ToggleAutoScroll();
            return false;
        case kVkDown:
            if (keyUD == kKeyUdScreen) {
                ScreenDown();
            } else {
                page_.ScrollLines(keyUD == kKeyUdThreeLines ? 3 : 1);
            }
            return true;
        case kVkUp:
            if (keyUD == kKeyUdScreen) {
                page_.PageUpScroll();
            } else {
                page_.ScrollLines(keyUD == kKeyUdThreeLines ? -3 : -1);
            }
            return true;
        case kVkLeft:
            PreviousPage();
            return true;
        case kVkRight:
            NextPage();
            return true;
        case kVkSpace:
            ScreenDown();
            return true;
        default:
            return false;
    }
}

void Navigator::JumpToPercent(double percent) {
    if (!host_.OfferToSave(SavePlace::kJumpToPercent)) return;
    // Percentages are not checked: above 100 goes past the end, which shows the last page. The value
    // is bounded before it becomes an integer so that no percentage can overflow the conversion.
    const double length = static_cast<double>(reader_.TextLength());
    double position = std::trunc(length * percent * 0.01);
    if (!(position > 0.0)) position = 0.0;
    if (position > length) position = length;
    reader_.GoToTextPosition(static_cast<long long>(position));
}

void Navigator::RestoreLastLine(IProfile& profile, const std::string& iniPath) {
    if (reader_.LineMarker() == -1) {
        const int line = ReadMarkLine(profile, iniPath);
        reader_.SetLineMarker(line);
        // In whole-book mode the line tracking brings the saved line to the top by itself (once per run);
        // scrolling down by it here as well would land that many lines further on at every start.
        if (reader_.pagingMode != kPagingWhole) page_.ScrollLines(line);
    }
    host_.KillTimer(kTimerRestoreLine);
}

CursorHider::Actions CursorHider::Tick(int x, int y, bool insideControl, bool controlHasFocus) {
    Actions actions;
    if (lastX_ == 0 && lastY_ == 0) {
        lastX_ = x;
        lastY_ = y;
    }
    const bool moved = x != lastX_ || y != lastY_;
    if (state_ == kVisible && insideControl && controlHasFocus && !moved) {
        actions.startHideTimer = true;
        state_ = kTimerRunning;
    }
    if (state_ == kHidden && moved) {
        actions.showCursor = true;
        state_ = kVisible;
    }
    if (state_ == kTimerRunning && moved) {
        actions.killHideTimer = true;
        state_ = kVisible;
    }
    lastX_ = x;
    lastY_ = y;
    return actions;
}

CursorHider::Actions CursorHider::OnHideTimer(bool viewVisible, bool controlHasFocus) {
    Actions actions;
    if (viewVisible && controlHasFocus) {
        actions.hideCursor = true;
        state_ = kHidden;
    } else {
        state_ = kVisible;
    }
    actions.killHideTimer = true;
    return actions;
}

CursorHider::Actions CursorHider::Reveal() {
    Actions actions;
    if (state_ == kHidden) actions.showCursor = true;
    state_ = kVisible;
    return actions;
}

}  // namespace pel

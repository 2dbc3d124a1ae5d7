// Moving through the book: next and previous page, screen down with its measured step, the
// arrow-key map, the jump to a percentage, the restore of the last line, and the hiding of the
// mouse cursor while the reader reads.
#pragma once
#include <string>

#include "book/message_flags.h"
#include "book/platform.h"
#include "book/reader.h"
#include "edit/save_place.h"
#include "state/profile.h"

namespace pel {

// Virtual-key codes the reading view passes on.
constexpr int kVkReturn = 0x0D;
constexpr int kVkSpace = 0x20;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;

// View timers of this feature.
constexpr int kTimerRestoreLine = 101;  // once, 200 ms after the last book was reopened
constexpr int kRestoreLinePeriodMs = 200;
constexpr int kTimerHideCursor = 300;  // once, 5,000 ms
constexpr int kHideCursorPeriodMs = 5000;

// KeyUD: what the up and down arrows do.
constexpr int kKeyUdOneLine = 1;
constexpr int kKeyUdScreen = 2;
constexpr int kKeyUdThreeLines = 3;

// What navigation asks of the view besides the reading logic and the page control.
class INavigationHost {
public:
    virtual ~INavigationHost() = default;
    // Modal box; `flags` are the platform's MB_* values, the result its ID* value.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    virtual void KillTimer(int id) = 0;
    // Asks to save an edited page before it is left; false when the page must stay (the save failed or
    // was declined after a warning), so the caller does not go on.
    virtual bool OfferToSave(SavePlace /*place*/) { return true; }
    // The open book's reading record: false when no reading time runs or the book has no record;
    // else the seconds read since the book was opened and the total stored in the record.
    virtual bool ReadingTimeOfOpenBook(long long& sessionSeconds, long long& storedSeconds) {
        sessionSeconds = storedSeconds = 0;
        return false;
    }
    virtual void ToggleAutoScroll() {}
};

// "%d小时 %2d分 %2d秒 " for a number of seconds (negative counts as 0).
std::string FormatReadingTime(long long seconds);

class Navigator {
public:
    Navigator(Reader& reader, IPageControl& page, INavigationHost& host);

    // Style/KeepOne and Style/KeyUD, loaded at start-up and saved at exit.
    int keepOne = 1;
    int keyUD = kKeyUdOneLine;

    void NextPage();           // 1012, Right, and the page turns of screen down and auto-scroll
    void PreviousPage();       // 1013, Left
    void ScreenDown();         // Space, Down with KeyUD 2, 32796, auto-scroll by screen
    void ScreenDownButton();   // 1052: focus the page control first
    void ToggleKeepOne();      // 32849
    void SetKeyUD(int value);  // 32851..32853
    // The view calls this for key-downs while the page control has the focus and edit mode is off;
    // true when the key is consumed.
    bool HandleKey(int virtualKey);
    // 32847 after the dialog's OK, with the percentage typed.
    void JumpToPercent(double percent);
    // Timer 101: the first visible line of the last run, unless a jump has set one already. In whole-book
    // mode it only records the line: the whole-book line tracking scrolls to it.
    void RestoreLastLine(IProfile& profile, const std::string& iniPath);

    bool EndOfBookShown() const { return endOfBookShown_; }
    // A reading record flush starts the end-of-book message afresh.
    void ClearEndOfBookShown() { endOfBookShown_ = false; }

private:
    // False when the edited page could not be saved and stays.
    bool OfferSaveBeforeLeaving();
    void ShowEndOfBook();
    void MeasureScreenStep();

    Reader& reader_;
    IPageControl& page_;
    INavigationHost& host_;
    bool endOfBookShown_ = false;
};

// Hides the mouse cursor after five still seconds over the focused page control. The view feeds it
// one sample per tick of timer 150 (outside edit mode) and carries out the actions it returns.
class CursorHider {
public:
    enum State { kHidden = 0, kTimerRunning = 1, kVisible = 2 };
    struct Actions {
        bool startHideTimer = false;  // timer 300, 5,000 ms
        bool killHideTimer = false;
        bool showCursor = false;
        bool hideCursor = false;
        bool operator==(const Actions&) const = default;
    };

    Actions Tick(int x, int y, bool insideControl, bool controlHasFocus);
    Actions OnHideTimer(bool viewVisible, bool controlHasFocus);
    // A click that activates the view, the settings or records dialogs, the boss key.
    Actions Reveal();

    State state() const { return state_; }

private:
    State state_ = kVisible;
    int lastX_ = 0;
    int lastY_ = 0;
};

}  // namespace pel

// The quote bar: the one-line static 1028 in the view's bottom bar that shows a built-in quotation every
// 5 s, the lines of the reader's quote file every 3 s, or that file scrolling by like a ticker, driven by
// view timers 10 to 13. The bar can be hidden together with the rest of the bottom bar (32832).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "book/platform.h"
#include "state/settings.h"

namespace pel {

// View timers; every view timer below kFirstNonQuoteTimer runs the quote tick.
constexpr int kTimerQuoteOff = 10;
constexpr int kTimerQuoteBuiltIn = 11;
constexpr int kTimerQuoteLines = 12;
constexpr int kTimerQuoteScroll = 13;
constexpr int kQuoteOffPeriodMs = 1000;
constexpr int kQuoteBuiltInPeriodMs = 5000;
constexpr int kQuoteLinesPeriodMs = 3000;
constexpr int kQuoteScrollPeriodMs = 800;
constexpr int kFirstNonQuoteTimer = 100;

// Menu item "名言警句栏\t(&Q)": hides or shows the bottom bar; checked while the bar is shown.
constexpr int kCmdQuoteBar = 32832;
inline constexpr const char* kQuoteLineInitialText = "名言警句";

// Quote/QuoteFlag.
enum QuoteMode { kQuoteOff = 0, kQuoteBuiltIn = 1, kQuoteFromFile = 2 };

constexpr int kBuiltInQuoteCount = 31;
// Entry 0 is an empty text that is never shown; 1 .. 31 come round in this order.
extern const std::array<const char*, kBuiltInQuoteCount + 1> kBuiltInQuotes;

// A quote file with this many line feeds is refused.
constexpr int kMaxQuoteLineFeeds = 10000;
// A line of this many bytes or more (its CR LF included) switches the reader to scrolling for good.
constexpr std::size_t kMaxQuoteLineBytes = 150;
// The scrolling window: 18 characters, moved on by 2 each tick.
constexpr int kScrollWindowChars = 18;
constexpr int kScrollStepChars = 2;
// Only the beginning of a larger quote file is read: 4 MiB holds any file that line mode accepts
// (10,000 lines of under 150 bytes) and days of scrolling text.
constexpr std::uint64_t kMaxQuoteFileBytes = 4ull * 1024 * 1024;

inline constexpr const char* kQuoteFileEmpty = "警告！空文档！";
inline constexpr const char* kQuoteFileTooManyLines = "行数过多！大于1万！";
inline constexpr const char* kQuoteLineTooLong = "文本单行字数过多！将改为滚动显示！";

// The four settings of section Quote that drive the bar, as the application object holds them.
struct QuoteSettings {
    int quoteFlag = settings::kQuoteFlag.intDefault;
    int loopFlag = 0;    // 1: start again from the beginning after the end of the file
    int scrollFlag = 0;  // 1: the file scrolls by instead of showing line by line
    std::string quotePath;
};

struct QuoteRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct QuoteExtent {
    int width = 0;
    int height = 0;
};

// What the quote bar asks of the view.
class IQuoteBarHost {
public:
    virtual ~IQuoteBarHost() = default;
    // Starts view timer `id`, or gives a running one the new period.
    virtual void StartTimer(int id, int periodMs) = 0;
    virtual void StopTimer(int id) = 0;
    // Modal box; `flags` are the platform's MB_* values, the result its ID* value.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // The view's client size.
    virtual QuoteExtent ViewClientSize() = 0;
    // The extent of `text` in a client device context of the view, with its default font.
    virtual QuoteExtent MeasureQuote(const std::string& text) = 0;
    // Static 1028: its text, and its place in view client coordinates.
    virtual void SetQuoteText(const std::string& text) = 0;
    virtual void MoveQuote(const QuoteRect& where, bool repaint) = 0;
    // The bottom bar was hidden or shown: lay the view out again and invalidate it.
    virtual void RelayoutView() = 0;
};

class QuoteBar {
public:
    // `settings` are the application's working copies: the bar changes QuoteFlag while it is hidden and
    // ScrollFlag when a line is too long, and those values are the ones saved at exit.
    QuoteBar(QuoteSettings& settings, IQuoteBarHost& host, IFileSystem& files);

    // View start-up: the saved quote mode is taken from QuoteFlag, the quotes start, and then the bar
    // takes Style/QuoteBarFlag.
    void Start(bool bottomBarHidden);
    // Starts the timer of the current QuoteFlag (reading the quote file in mode 2). Stops no timer.
    void StartQuotes();
    // The advanced settings dialog closed with OK: timers 10 to 13 stopped, quotes started afresh.
    void Restart();
    // 32832 toggles the bottom bar; false for any other id.
    bool OnCommand(int id);
    void ToggleBottomBar();
    // View timers below 100 run the quote tick; false for any other id.
    bool OnTimer(int id);
    void Tick();

    bool BottomBarHidden() const { return hidden_; }
    // Menu item 32832 is checked while the bar is shown.
    bool MenuChecked() const { return !hidden_; }
    int SavedQuoteMode() const { return savedMode_; }
    // Built-in mode: the quotation shown last (0 before the first); line mode: the next line; scroll
    // mode: the steps shown since the start or the last wrap.
    int QuoteIndex() const { return quoteIndex_; }
    QuoteExtent LastQuoteExtent() const { return quoteExtent_; }
    // The quote file as read: in scroll mode with every CR and LF made a space.
    const std::string& QuoteFileText() const { return fileText_; }
    int QuoteLineCount() const { return lineCount_; }
    std::size_t ScrollPos() const { return scrollPos_; }

private:
    enum class Loaded { kNothing, kLines, kScrolling };

    void StopQuoteTimers();
    // Reads QuotePath into QuoteFileText; false (after telling the reader) when it cannot be read.
    bool ReadQuoteFile();
    void StartFromFile();
    void ShowBuiltInQuote();
    void ShowFileQuote();
    void ShowNextLine();
    void ShowNextScrollWindow();
    std::size_t NextCharEnd(std::size_t pos) const;

    QuoteSettings& settings_;
    IQuoteBarHost& host_;
    IFileSystem& files_;
    bool hidden_ = false;
    int savedMode_ = settings::kQuoteFlag.intDefault;
    int quoteIndex_ = 0;
    QuoteExtent quoteExtent_;
    // What the last start read from the quote file; a tick in mode 2 shows from that alone, so a
    // QuoteFlag or ScrollFlag changed without a restart never reads tables that were not built.
    Loaded loaded_ = Loaded::kNothing;
    std::string fileText_;
    std::vector<std::size_t> lineStarts_;  // entry k: offset just after the k-th line feed
    int lineCount_ = 0;
    std::size_t scrollPos_ = 0;
    bool scrollFinished_ = false;
    bool ticking_ = false;
};

}  // namespace pel

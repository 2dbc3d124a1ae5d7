// The view's reading logic: one open book, its pages and the reader's place in it.
// Windows-free: the page control, the view's other controls and message boxes come in
// through interfaces, so the whole road of a book runs in tests without a window.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "book/message_flags.h"
#include "book/page_index.h"
#include "book/platform.h"

namespace pel {

struct ChapterScan;

enum PagingModeValue { kPagingLines = 0, kPagingChapters = 1, kPagingWhole = 2 };

constexpr int kMaxPages = 10000;
constexpr int kLinesPerPage = 50;

// The application-wide snapshot of the reading state, refreshed after every page shown.
// The text is shared, not copied: showing a page costs the same for any book size.
struct ReadingState {
    std::string bookPath;
    std::string fileName;
    std::string bookTitle;
    int currentPage = 0;
    int pageCount = 0;
    long long textLength = 0;
    std::vector<long long> pageStarts;       // entries 1 .. pageCount
    std::vector<std::string> chapterTitles;  // entries 1 .. pageCount, chapter mode only
    std::shared_ptr<const std::string> text;
    int pagingMode = 0;
    std::string ruleText;
    // text style of the page (text colour, background colour, size, spacing, font)
    unsigned textColor = 0;
    unsigned backColor = 0;
    int textSize = 0;
    int lineSpacing = 0;
    std::string fontName;
};

// What the reading logic asks of the view besides the page control.
class IReaderHost {
public:
    virtual ~IReaderHost() = default;
    virtual void SetCounterLabels(const std::string& total, const std::string& current) = 0;  // 1021, 1022
    virtual void SetTotalBox(int value) = 0;                                                  // 1014
    virtual void SetCurrentBox(int value) = 0;                                                // 1015
    virtual int CurrentBoxValue(bool& ok) = 0;  // integer in 1015
    virtual void SetWindowTitle(const std::string& title) = 0;
    // Modal message box; `flags` are the platform's MB_* values, the result its ID* value.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    virtual void StartTimer(int id, int periodMs) = 0;
    virtual void StopTimer(int id) = 0;
    virtual void PublishReadingState(const ReadingState& state) = 0;
    // An informational box titled "提示" that closes itself: view timer 100 fires while the box is up,
    // finds the window titled "提示", closes it and stops itself.
    virtual void ShowSelfClosingTip(const std::string& text) {
        StartTimer(kTimerCloseTip, kCloseTipDelayMs);
        MessageBox(text, kHintCaption, kMbOk);
    }
    // Hooks of later features; the default does nothing.
    virtual void UpdateReadingRecords() {}  // credit time read to the open book's record
    virtual void EnsureReadingRecord() {}   // find or create the new book's record
    virtual bool HasReadingRecord(long long& position) {
        position = 0;
        return false;
    }
    virtual void EndEditMode() {}
    // False when the member could not be had; the host has said so already.
    virtual bool ExtractArchiveMember(const std::string& /*memberPath*/) { return true; }
    virtual void ResetArchiveListing() {}
};

class Reader {
public:
    Reader(IPageControl& page, IReaderHost& host, IFileSystem& files, ICodePage& codePage);

    // Settings the view loads and saves.
    int pagingMode = kPagingLines;
    int chapterRule = 1;         // Style/SortRuleFlag: 1 .. 7 heading words, 8 and 9 digits, 10 custom
    std::string customRuleText;  // "[A][B][C][D]", RuleDiy entry 0
    int deleteBlankLines = 0;    // delblank
    int forceUtf8 = 0;
    int savedMarkLine = 0;    // Style/MarkLine as read at start-up
    std::string customTitle;  // Interface/DIYname
    std::string programDir;   // with trailing backslash

    // Book opening and pagination.
    void OpenBook(const std::string& path);
    void PaginateByLines();
    void PaginateWholeBook();
    // By chapters with the detector of `chapterRule`; fewer than 5 chapters go back to lines.
    void PaginateByChapters();
    void PaginateByChapterWord();  // rules 1 .. 7
    void PaginateByRuleText();     // customRuleText

    // Showing pages and positions.
    void ShowPage(int page);
    // Start-up's return to the page of the last run: OpenBook has shown the first page (in chapter mode the
    // text before chapter 1 when the book has some); the saved page is shown when it is another one.
    void ReturnToSavedPage(int page);
    void GoToTextPosition(long long position);
    void SyncTitle();

    // A page of the book is in the page control: false after a pagination stopped at the page limit.
    bool ShowsPage() const {
        return pageCount_ <= kMaxPages && currentPage_ >= 0 && currentPage_ <= pageCount_;
    }
    // The bytes of BookText that make up the page shown (empty, at offset 0, when no page is shown).
    std::string_view CurrentPageBytes() const;
    // The text that went into the page control for the page shown: the page with its LF LF pairs written
    // as CR LF, or in whole-book mode the whole text as it is.
    std::string ShownPageText() const;
    // The page shown was written to the book file as `pageBytes`: BookText takes them in place of the
    // page, the later page starts move by the change in length, and the reading state is published again,
    // so that the text in memory stays the text of the file until the book is next loaded.
    void ReplaceCurrentPage(std::string_view pageBytes);

    // Commands.
    void SwitchPagingMode(int mode);  // 32798 (0), 32797 (1), 32830 (2)
    void CyclePagingMode();           // 32799
    // 32816 .. 32829 (rules 1 .. 7), 32857 (8) and 32858 (9): chapter mode with that rule; 8 and 9 set
    // their fixed rule texts.
    void SelectChapterRule(int rule);
    // The custom rule dialog closed with "应用" (32859): chapter mode with rule 10 and `ruleText`.
    void ApplyCustomRule(const std::string& ruleText);
    // The table of contents closed: show the page it left in ReadingState when that is another one.
    void ReturnFromContents(int page);
    void ToggleDeleteBlankLines();  // 32848
    void ForceUtf8Reload();         // 32856
    void OfferResume();
    void EnterInPageBox(bool autoScrolling);  // Enter in box 1015

    // Timers.
    void OnPositionTimer();   // 150: MarkLine, ReadPosition, ReadPercent
    void OnWholeBookTimer();  // 102

    // Status-bar texts.
    std::string SizePaneText() const;  // pane 102
    std::string ProgressPaneText();    // pane 103 (updates ReadPosition first)

    // State the view and later features read.
    const std::string& BookPath() const { return bookPath_; }
    void SetBookPath(const std::string& p) { bookPath_ = p; }
    // The file behind BookPath: the one the last OpenBook read while BookPath is still the path it left
    // (so the full path of a book found in books\ beside the program), else BookPath itself.
    const std::string& BookFilePath() const;
    const std::string& Text() const { return *text_; }
    long long TextLength() const { return static_cast<long long>(text_->size()); }
    int TextEncoding() const { return encoding_; }
    long long HanziCount() const { return hanziCount_; }
    int PageCount() const { return pageCount_; }
    int CurrentPage() const { return currentPage_; }
    long long PageStart(int page) const {
        return page >= 0 && page < static_cast<int>(pageTable_.size()) ? pageTable_[page] : 0;
    }
    // Title of chapter `page` in chapter mode ("" for page 0 and outside the chapters).
    std::string ChapterTitle(int page) const;
    long long ReadPosition() const { return readPosition_; }
    double ReadPercent() const { return readPercent_; }
    int MarkLine() const { return markLine_; }
    int LineMarker() const { return lineMarker_; }
    void SetLineMarker(int v) { lineMarker_ = v; }
    int ScreenStep() const { return screenStep_; }
    void SetScreenStep(int v) { screenStep_ = v; }
    int TotalShown() const { return totalShown_; }
    int CurrentShown() const { return currentShown_; }
    const ReadingState& State() const { return state_; }

private:
    // Puts `text` (which lives inside `owner`) into the page control and indexes its positions.
    void ShowInControl(std::shared_ptr<const std::string> owner, std::string_view text);
    void ShowNotice(const char* notice);
    // ReadPosition and ReadPercent from the first visible line (timer 150).
    void UpdatePosition();
    // After a load that failed once the page control showed a notice: the previous page again.
    void RestorePreviousDisplay();
    void FailOpen(const char* message);
    void RunPagination();
    // Takes a detector's chapters into the page table, or falls back to lines.
    void FinishChapters(ChapterScan&& scan);

    IPageControl& page_;
    IReaderHost& host_;
    IFileSystem& files_;
    ICodePage& codePage_;

    std::string bookPath_;
    std::string openedBookPath_;               // BookPath as the last successful OpenBook left it
    std::string openedFile_;                   // the file that OpenBook read
    std::shared_ptr<const std::string> text_;  // BookText, never null
    int encoding_ = 0;
    long long hanziCount_ = 0;
    std::vector<long long> pageTable_;        // entries 0 .. kMaxPages + 1
    std::vector<std::string> chapterTitles_;  // by page, chapter mode only
    int pageCount_ = 0;
    int currentPage_ = 0;
    long long readPosition_ = 0;
    double readPercent_ = 0.0;
    int markLine_ = 0;
    int lineMarker_ = -1;
    int screenStep_ = -1;
    int totalShown_ = 0;
    int currentShown_ = 0;
    // Whole-book mode restores the saved first visible line once per run; a line the control cannot
    // reach is given up after a few ticks so that the reader can scroll.
    bool lineRestorePending_ = true;
    int lineRestoreTries_ = 0;
    PageIndex index_;
    ReadingState state_;
};

// Books larger than this are refused with a message instead of being loaded.
constexpr unsigned long long kMaxBookBytes = 1536ull * 1024 * 1024;

// Offset of the last single-byte character of `text` that is one of `bytes` (never a GBK trail byte), or
// npos.
std::size_t FindLastOf(std::string_view text, std::string_view bytes);
// The same for the first such character.
std::size_t FindFirstOf(std::string_view text, std::string_view bytes);
// File name of a path: after the last '\' or '|'.
std::string FileNameOf(const std::string& path);
// Title of a book: after the last '\' up to the last '.'.
std::string BookTitleOf(const std::string& path);

}  // namespace pel

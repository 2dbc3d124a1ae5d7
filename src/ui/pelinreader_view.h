// The reading form: page control, library list and the bottom bar with the page counters.
// It translates window messages and commands into calls of the reading logic.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "archive/archive_driver.h"
#include "archive/win32_archive_platform.h"
#include "book/reader.h"
#include "edit/edit_session.h"
#include "framework/handles.h"
#include "framework/window.h"
#include "shell/association.h"
#include "state/advanced_settings.h"
#include "state/auto_scroll.h"
#include "state/bookmarks.h"
#include "state/clock.h"
#include "state/config_file.h"
#include "state/library_list.h"
#include "state/navigation.h"
#include "state/quote_bar.h"
#include "state/reading_records.h"
#include "state/recent_folders.h"
#include "state/settings.h"
#include "state/web_search.h"
#include "ui/appearance.h"
#include "ui/rich_edit_control.h"
#include "ui/rich_page_control.h"
#include "ui/skin_button.h"
#include "ui/wait_notice.h"

class CPelinreaderApp;

// Keeps a list box from repainting while its rows are replaced, and repaints it once afterwards.
class ListRedrawPause {
public:
    explicit ListRedrawPause(HWND list) : list_(list) { SendMessageA(list_, WM_SETREDRAW, FALSE, 0); }
    ~ListRedrawPause() {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    ListRedrawPause(const ListRedrawPause&) = delete;
    ListRedrawPause& operator=(const ListRedrawPause&) = delete;

private:
    HWND list_;
};

class CPelinreaderView : public fw::Dialog,
                         public pel::IReaderHost,
                         public pel::INavigationHost,
                         public pel::IBookmarkHost,
                         public pel::IRecordHost,
                         public pel::IAutoScrollHost,
                         public pel::IRecentFolderHost,
                         public pel::IEditHost,
                         public pel::IArchiveHost,
                         public pel::IWebSearchHost,
                         public pel::IQuoteBarHost,
                         public pel::IAdvancedSettingsHost {
public:
    CPelinreaderView(CPelinreaderApp& app, pel::IFileSystem& files, pel::ICodePage& codePage);
    ~CPelinreaderView() override;

    bool Create(HWND frame);
    void OnInitialUpdate();

    // The frame lays the form out inside its client area.
    void MoveTo(const RECT& rc);

    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnUpdateCommand(fw::CommandUI& ui) override;
    bool PreTranslateMessage(MSG& msg) override;

    pel::Reader& reader() { return reader_; }

    // After full screen was switched on or off: the sidebar is hidden, auto-scroll stops.
    void OnFullScreenToggled();
    void RelayoutControls() { LayoutControls(clientWidth_, clientHeight_); }

    // IReaderHost
    void SetCounterLabels(const std::string& total, const std::string& current) override;
    void SetTotalBox(int value) override;
    void SetCurrentBox(int value) override;
    int CurrentBoxValue(bool& ok) override;
    void SetWindowTitle(const std::string& title) override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void StartTimer(int id, int periodMs) override;
    void StopTimer(int id) override;
    void PublishReadingState(const pel::ReadingState& state) override;
    bool ExtractArchiveMember(const std::string& memberPath) override;
    void ResetArchiveListing() override;
    // An informational box captioned "提示" that view timer 100 closes after a second.
    void ShowSelfClosingTip(const std::string& text) override;
    void ShowSelfClosingTip(const std::string& text, unsigned flags) override;
    // Reading records, kept up to date on every opening.
    void UpdateReadingRecords() override { records_.Flush(reader_, nav_); }
    void EnsureReadingRecord() override { records_.EnsureRecord(reader_); }
    bool HasReadingRecord(long long& position) override { return records_.StoredPosition(reader_, position); }
    bool ReadingTimeOfOpenBook(long long& sessionSeconds, long long& storedSeconds) override {
        return records_.ReadingTimeOfOpenBook(reader_, sessionSeconds, storedSeconds);
    }
    // IBookmarkHost, IRecordHost
    // Every place that leaves an edited page asks here; false: the save failed, the page stays.
    bool OfferToSave(pel::SavePlace place) override { return edit_.OfferToSave(place); }
    void EndEditMode() override { edit_.EndForLoad(); }
    // IAdvancedSettingsHost
    pel::TextRect PageFormatRect() override;
    void SetPageFormatRect(const pel::TextRect& rect) override;
    // IQuoteBarHost
    pel::QuoteExtent ViewClientSize() override;
    pel::QuoteExtent MeasureQuote(const std::string& text) override;
    void SetQuoteText(const std::string& text) override;
    void MoveQuote(const pel::QuoteRect& where, bool repaint) override;
    void RelayoutView() override;
    pel::QuoteBar& Quotes() { return quote_; }
    // IWebSearchHost
    std::string SelectedText() override { return editControl_.SelectedText(); }
    void OpenUrl(const std::string& url) override;
    // IArchiveHost
    void ShowMessage(const std::string& text) override { MessageBox(text, "", MB_OK); }
    std::string BrowseForExtractor() override;
    void ShowWaitNotice(bool shown) override;
    bool ReaderGaveUp() override { return waitNotice_.GaveUp(); }
    // IEditHost
    void CreateFindDialog(const std::string& findWhat, bool replace) override;
    bool AskSaveAsPath(std::string& path) override;
    // At exit with edit mode on: the save question.
    // False when the reader wanted the page saved and saving failed: the program then stays open.
    bool OfferToSaveAtExit() { return OfferToSave(pel::SavePlace::kExit); }
    void ListOnlySavedBook(const std::string& fileName) override;
    void ShowOnlyInLibrary(const std::string& bookPath) override;
    void RebuildBookmarkMenus(const std::vector<pel::MenuEntry>& open,
                              const std::vector<pel::MenuEntry>& remove) override;
    // IRecentFolderHost
    bool FolderExists(const std::string& folder) override;
    void ListFolderInLibrary(const std::string& folder) override;
    void RebuildRecentFolderMenu(const std::vector<pel::MenuEntry>& entries) override;

    // At exit and when hiding: the open book's reading time goes to its record.
    void CreditReadingTime() { records_.Flush(reader_, nav_); }
    // Back from the tray or the boss key: the reading time runs again.
    void ResumeReadingTime() { records_.OnWindowShown(reader_, nav_); }
    // INavigationHost (MessageBox is shared with the reader's host)
    void KillTimer(int id) override { StopTimer(id); }
    // Enter flips the auto-scroll flag; the scrolling itself is driven by its own timer.
    void ToggleAutoScroll() override { scroller_.Toggle(); }
    bool AutoScrolling() const { return scroller_.IsOn(); }
    pel::AutoScroller& Scroller() { return scroller_; }

    // Settings kept by the view for the exit handler.
    pel::StyleValues StyleValues() const { return look_.Style(); }
    void FillExitSnapshot(pel::ExitSnapshot& s) const;
    // The reader's margins inside the page control, applied once the window has its size.
    void ApplyTextMargins();
    bool Editing() const { return edit_.Editing(); }
    // A reminder or a dialog shows a cursor hidden while reading.
    void RevealCursor() { ApplyCursorActions(cursor_.Reveal()); }

    // Hidden parts of the form; persisted by the settings.
    bool sidebarHidden = true;
    bool bottomBarHidden = false;

protected:
    BOOL OnInitDialog() override;
    bool DialogProc(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) override;

private:
    void LayoutControls(int cx, int cy);
    void OnTimer(UINT id);
    void OnDropFiles(HDROP drop);
    void OpenDroppedFile(const std::string& path);
    bool HandleArchivePath(const std::string& path);
    static bool IsArchivePath(const std::string& path);

    // Command handlers
    void OnFileOpen(UINT);
    void OnPagingMode(UINT id);
    void OnPagingCycle(UINT);
    void OnDeleteBlankLines(UINT);
    void OnForceUtf8(UINT);
    void OnUpdatePagingMode(fw::CommandUI& ui);
    void OnUpdateSizePane(fw::CommandUI& ui);
    void OnUpdateProgressPane(fw::CommandUI& ui);
    void OnNextPage(UINT);
    void OnPreviousPage(UINT);
    void OnScreenDownButton(UINT);
    void OnScreenDown(UINT);
    void OnKeepOne(UINT);
    void OnKeyUD(UINT id);
    void OnJumpPercent(UINT);
    void OnAppearance(UINT id);
    void OnUpdateNight(fw::CommandUI& ui);
    void OnAutoScroll(UINT id);
    void OnEditCommand(UINT id);
    void OnUpdateEditMode(fw::CommandUI& ui);
    void OnFindNotification(const FINDREPLACEA& fr);
    void OnUpdateAutoScroll(fw::CommandUI& ui);
    void OnContents(UINT);
    void OnTxtAssociation(UINT);
    void OnQuoteBar(UINT id);
    void OnAdvancedSettings(UINT);
    void OnUpdateQuoteBar(fw::CommandUI& ui);
    void ShowContextMenu();
    void OnWebSearch(UINT id);
    void OnFullScreenKeys(UINT);
    void OnUpdateTxtAssociation(fw::CommandUI& ui);
    // Library sidebar
    void CreateLibraryTip();
    void SetLibraryTipText(const std::string& text);
    void RelayToLibraryTip(MSG& msg);
    void RefreshLibraryTip();
    void ListLibrary(const std::string& folder);
    void ShowFolderInLibrary(const std::string& folder);
    void OnOpenFolder(UINT);
    void OnLibraryDoubleClick();
    void OnToggleSidebar(UINT);
    void OnUpdateSidebar(fw::CommandUI& ui);
    void RestoreLibrarySelection();
    void OnRecentFolder(UINT id);
    void OnClearRecentFolders(UINT);
    void OnBookmarkCommand(UINT id);
    void OnReadingRecords(UINT);
    void OnChapterRule(UINT id);
    void OnCustomRule(UINT);
    void OnUpdateChapterRule(fw::CommandUI& ui);
    void OnUpdateKeepOne(fw::CommandUI& ui);
    void OnUpdateKeyUD(fw::CommandUI& ui);
    void ReopenLastBook();
    void CloseTipBox();
    void TrackCursor();
    void ApplyCursorActions(const pel::CursorHider::Actions& a);

    // The list box shows the rows of library_ (no folder is listed).
    void ShowLibraryRows();
    // Auto-scroll: stopping it is a hook until the scrolling itself exists.
    void StopAutoScroll();

    static const fw::CommandEntry<CPelinreaderView> kCommands[];
    static const fw::UpdateEntry<CPelinreaderView> kUpdates[];

    CPelinreaderApp& app_;
    pel::RichPageControl page_;
    pel::Reader reader_;
    pel::CConfigFile config_;
    pel::ViewSettings settings_;
    pel::Navigator nav_;
    pel::CursorHider cursor_;
    Appearance look_;
    pel::SystemClock clock_;
    pel::BookmarkCommands bookmarks_;
    pel::ReadingClock records_;
    pel::AutoScroller scroller_;
    pel::RecentFolderCommands recent_;
    pel::Win32ProcessRunner runner_;
    pel::Win32ArchiveFiles archiveFiles_;
    pel::CArchiveDriver archive_;
    pel::WaitNotice waitNotice_;
    pel::RichEditControl editControl_;
    CTxtAssociation association_;
    pel::QuoteBar quote_;
    int quoteHeight_ = 20;
    pel::EditSession edit_;
    // The find/replace dialogs open now, with the buffers they write into.
    struct FindDialog {
        FINDREPLACEA fr{};
        char findWhat[256] = "";
        char replaceWith[256] = "";
        HWND hwnd = nullptr;
        // The dialog said it is closing; its window still uses this entry until it is destroyed.
        bool closing = false;
    };
    // Forgets the dialogs whose windows are gone.
    void ReapFindDialogs();
    std::list<FindDialog> findDialogs_;
    UINT findMessage_ = 0;
    HWND libraryTip_ = nullptr;
    int lastTipIndex_ = -1;
    int libraryIndex_ = 0;
    fw::UniqueBrush formBrush_;
    SkinButton nextButton_, prevButton_, screenButton_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;

public:
    // What the library list shows: a folder or archive, or books with the path each row opens.
    pel::LibraryList library_;
};

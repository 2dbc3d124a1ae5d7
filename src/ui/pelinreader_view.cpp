#include "ui/pelinreader_view.h"

#include <richedit.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "app/pelinreader_app.h"
#include "book/chapters.h"
#include "resource.h"
#include "ui/library_text.h"

namespace {

constexpr COLORREF kFormBackground = RGB(204, 232, 207);

}  // namespace

const fw::CommandEntry<CPelinreaderView> CPelinreaderView::kCommands[] = {
    {ID_FILE_OPEN, ID_FILE_OPEN, &CPelinreaderView::OnFileOpen},
    {ID_PAGING_LINES, ID_PAGING_LINES, &CPelinreaderView::OnPagingMode},
    {ID_PAGING_CHAPTERS, ID_PAGING_CHAPTERS, &CPelinreaderView::OnPagingMode},
    {ID_PAGING_WHOLE, ID_PAGING_WHOLE, &CPelinreaderView::OnPagingMode},
    {ID_PAGING_CYCLE, ID_PAGING_CYCLE, &CPelinreaderView::OnPagingCycle},
    {ID_DELETE_BLANK_LINES, ID_DELETE_BLANK_LINES, &CPelinreaderView::OnDeleteBlankLines},
    {ID_FORCE_UTF8, ID_FORCE_UTF8, &CPelinreaderView::OnForceUtf8},
    {IDC_NEXT_PAGE, IDC_NEXT_PAGE, &CPelinreaderView::OnNextPage},
    {IDC_PREV_PAGE, IDC_PREV_PAGE, &CPelinreaderView::OnPreviousPage},
    {IDC_SCREEN_DOWN, IDC_SCREEN_DOWN, &CPelinreaderView::OnScreenDownButton},
    {ID_SCREEN_DOWN_CMD, ID_SCREEN_DOWN_CMD, &CPelinreaderView::OnScreenDown},
    {ID_KEEP_ONE_LINE, ID_KEEP_ONE_LINE, &CPelinreaderView::OnKeepOne},
    {ID_KEYUD_1, ID_KEYUD_3, &CPelinreaderView::OnKeyUD},
    {ID_JUMP_PERCENT, ID_JUMP_PERCENT, &CPelinreaderView::OnJumpPercent},
    {ID_CONTENTS, ID_CONTENTS, &CPelinreaderView::OnContents},
    {ID_TXT_ASSOCIATION, ID_TXT_ASSOCIATION, &CPelinreaderView::OnTxtAssociation},
    {ID_QUOTE_BAR, ID_QUOTE_BAR, &CPelinreaderView::OnQuoteBar},
    {ID_ADVANCED_SETTINGS, ID_ADVANCED_SETTINGS, &CPelinreaderView::OnAdvancedSettings},
    {pel::kCmdSearchBaidu, pel::kCmdSearchBaidu, &CPelinreaderView::OnWebSearch},
    {pel::kCmdSearchSogou, pel::kCmdSearchSogou, &CPelinreaderView::OnWebSearch},
    {pel::kCmdFullScreenKeys, pel::kCmdFullScreenKeys, &CPelinreaderView::OnFullScreenKeys},
    {ID_EDIT_MODE, ID_EDIT_MODE, &CPelinreaderView::OnEditCommand},
    {ID_EDIT_COPY, ID_EDIT_CUT, &CPelinreaderView::OnEditCommand},
    {ID_EDIT_FIND, ID_EDIT_PASTE, &CPelinreaderView::OnEditCommand},
    {ID_EDIT_REPLACE, ID_EDIT_UNDO, &CPelinreaderView::OnEditCommand},
    {ID_FILE_SAVE, ID_FILE_SAVE_AS, &CPelinreaderView::OnEditCommand},
    {ID_FILE_OPEN_FOLDER, ID_FILE_OPEN_FOLDER, &CPelinreaderView::OnOpenFolder},
    {ID_SIDEBAR, ID_SIDEBAR, &CPelinreaderView::OnToggleSidebar},
    {ID_RECENT_FOLDER_FIRST, ID_RECENT_FOLDER_FIRST + 4, &CPelinreaderView::OnRecentFolder},
    {ID_FILE_CLEAR_RECENT, ID_FILE_CLEAR_RECENT, &CPelinreaderView::OnClearRecentFolders},
    {ID_AUTO_SCROLL, ID_AUTO_SCROLL, &CPelinreaderView::OnAutoScroll},
    {pel::kCmdAutoScrollContext, pel::kCmdAutoScrollContext, &CPelinreaderView::OnAutoScroll},
    {ID_FONT, ID_BK_OTHER, &CPelinreaderView::OnAppearance},
    {ID_BK_DEFAULT, ID_SPACING_20, &CPelinreaderView::OnAppearance},
    {ID_SPACING_25, ID_SIZE_LARGE, &CPelinreaderView::OnAppearance},
    {ID_BK_PICTURE, ID_BK_PICTURE, &CPelinreaderView::OnAppearance},
    {ID_TEXT_COLOR, ID_TEXT_COLOR, &CPelinreaderView::OnAppearance},
    {ID_NIGHT_MODE, ID_NIGHT_MODE, &CPelinreaderView::OnAppearance},
    {ID_FONT_SMALLER, ID_SPACING_LARGER, &CPelinreaderView::OnAppearance},
    {ID_BOOKMARK_ADD, ID_BOOKMARK_ADD, &CPelinreaderView::OnBookmarkCommand},
    {ID_BOOKMARK_CLEAR, ID_BOOKMARK_OPEN_FIRST + 8, &CPelinreaderView::OnBookmarkCommand},
    {ID_BOOKMARK_DELETE_FIRST, ID_BOOKMARK_DELETE_FIRST + 8, &CPelinreaderView::OnBookmarkCommand},
    {ID_FILE_RECORDS, ID_FILE_RECORDS, &CPelinreaderView::OnReadingRecords},
    {ID_RULE_1, ID_RULE_5, &CPelinreaderView::OnChapterRule},
    {ID_RULE_6, ID_RULE_6, &CPelinreaderView::OnChapterRule},
    {ID_RULE_7, ID_RULE_7, &CPelinreaderView::OnChapterRule},
    {ID_RULE_8, ID_RULE_9, &CPelinreaderView::OnChapterRule},
    {ID_RULE_CUSTOM, ID_RULE_CUSTOM, &CPelinreaderView::OnCustomRule},
};

const fw::UpdateEntry<CPelinreaderView> CPelinreaderView::kUpdates[] = {
    {ID_PAGING_CHAPTERS, ID_PAGING_LINES, &CPelinreaderView::OnUpdatePagingMode},
    {ID_PAGING_WHOLE, ID_PAGING_WHOLE, &CPelinreaderView::OnUpdatePagingMode},
    {ID_PANE_SIZE, ID_PANE_SIZE, &CPelinreaderView::OnUpdateSizePane},
    {ID_PANE_PROGRESS, ID_PANE_PROGRESS, &CPelinreaderView::OnUpdateProgressPane},
    {ID_KEEP_ONE_LINE, ID_KEEP_ONE_LINE, &CPelinreaderView::OnUpdateKeepOne},
    {ID_KEYUD_1, ID_KEYUD_3, &CPelinreaderView::OnUpdateKeyUD},
    {ID_NIGHT_MODE, ID_NIGHT_MODE, &CPelinreaderView::OnUpdateNight},
    {ID_SIDEBAR, ID_SIDEBAR, &CPelinreaderView::OnUpdateSidebar},
    {ID_TXT_ASSOCIATION, ID_TXT_ASSOCIATION, &CPelinreaderView::OnUpdateTxtAssociation},
    {ID_QUOTE_BAR, ID_QUOTE_BAR, &CPelinreaderView::OnUpdateQuoteBar},
    {ID_EDIT_MODE, ID_EDIT_MODE, &CPelinreaderView::OnUpdateEditMode},
    {ID_AUTO_SCROLL, ID_AUTO_SCROLL, &CPelinreaderView::OnUpdateAutoScroll},
    {ID_RULE_1, ID_RULE_5, &CPelinreaderView::OnUpdateChapterRule},
    {ID_RULE_6, ID_RULE_6, &CPelinreaderView::OnUpdateChapterRule},
    {ID_RULE_7, ID_RULE_7, &CPelinreaderView::OnUpdateChapterRule},
    {ID_RULE_8, ID_RULE_9, &CPelinreaderView::OnUpdateChapterRule},
    {ID_RULE_CUSTOM, ID_RULE_CUSTOM, &CPelinreaderView::OnUpdateChapterRule},
};

CPelinreaderView::CPelinreaderView(CPelinreaderApp& app, pel::IFileSystem& files, pel::ICodePage& codePage)
    : fw::Dialog(IDD_READER_VIEW),
      app_(app),
      reader_(page_, *this, files, codePage),
      config_(*app.profile, app.iniPath),
      nav_(reader_, page_, *this),
      bookmarks_(config_, reader_, page_, *this, clock_),
      records_(config_, clock_, *this),
      scroller_(reader_, page_, nav_, *this, clock_),
      recent_(config_, *this),
      archive_(*app.profile, app.iniPath, app.programDir, archiveFiles_, runner_, *this),
      quote_(app.Quote, *this, files),
      edit_(reader_, page_, editControl_, *this, files, codePage) {
    findMessage_ = RegisterWindowMessageA(FINDMSGSTRINGA);
}

CPelinreaderView::~CPelinreaderView() = default;

bool CPelinreaderView::Create(HWND frame) { return CreateForm(frame); }

BOOL CPelinreaderView::OnInitDialog() {
    page_.Attach(Item(IDC_PAGE_CONTROL));
    editControl_.Attach(Item(IDC_PAGE_CONTROL));
    formBrush_.reset(CreateSolidBrush(kFormBackground));
    DragAcceptFiles(hwnd_, TRUE);
    // Files dropped on the page itself arrive as a notification of the control.
    SendMessageA(page_.hwnd(), EM_SETEVENTMASK, 0, ENM_DROPFILES | ENM_MOUSEEVENTS);
    DragAcceptFiles(page_.hwnd(), TRUE);
    return FALSE;
}

void CPelinreaderView::MoveTo(const RECT& rc) {
    MoveWindow(hwnd_, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void CPelinreaderView::OnInitialUpdate() {
    CreateLibraryTip();
    association_.ReadFlag();
    // The page buttons are drawn from the skin strip.
    for (auto [button, id] : {std::pair{&nextButton_, IDC_NEXT_PAGE}, std::pair{&prevButton_, IDC_PREV_PAGE},
                              std::pair{&screenButton_, IDC_SCREEN_DOWN}})
        button->AttachWithProgramSkin(Item(id));

    SendMessageA(Item(IDC_LIBRARY_LIST), LB_SETITEMHEIGHT, 0, 25);

    // Every other setting, in the order the settings file is read.
    settings_ = pel::ReadViewSettings(config_);
    app_.BJL = settings_.marginLeft;
    app_.BJR = settings_.marginRight;
    app_.BJU = settings_.marginTop;
    app_.BJD = settings_.marginBottom;
    app_.delblank = settings_.deleteBlankLines;
    app_.RuleDiy = settings_.customRules;
    app_.TrayFlag = settings_.trayFlag;
    app_.Quote = {settings_.quoteFlag, settings_.loopFlag, settings_.scrollFlag, settings_.quotePath};
    app_.Roll = {settings_.rollType, settings_.timeSpan, settings_.timeEnd, settings_.timeFirst};
    scroller_.settings = app_.Roll;
    nav_.keepOne = settings_.keepOne;
    nav_.keyUD = settings_.keyUD;
    reader_.programDir = app_.programDir;
    reader_.deleteBlankLines = app_.delblank;
    reader_.pagingMode = settings_.sortFlag;
    reader_.chapterRule = settings_.sortRuleFlag;
    reader_.customRuleText = app_.RuleDiy[0];
    reader_.savedMarkLine = pel::ReadMarkLine(*app_.profile, app_.iniPath);
    reader_.customTitle = app_.DIYname;
    sidebarHidden = settings_.orgRectFlag != 0;
    RelayoutControls();
    // The quote line starts after its settings are read, then takes the bottom bar's saved state.
    quote_.Start(settings_.quoteBarFlag != 0);
    bottomBarHidden = quote_.BottomBarHidden();
    RelayoutControls();
    bookmarks_.RefreshMenus();
    recent_.Load();
    // The look of the page: font and colours, background picture, night mode.
    look_.Start(page_.hwnd(), hwnd_, config_.Style(), settings_.bold, settings_.italic, settings_.underline,
                settings_.picPath, settings_.nightFlag);

    archive_.LocateExtractor();
    StartTimer(TIMER_POSITION, 10);

    const auto& args = app_.Arguments();
    if (!args.empty() && IsArchivePath(args[0])) {
        // An archive named on the command line fills the library with its books; the book read last
        // stays open meanwhile, so nothing stands in for it as the book being read.
        ReopenLastBook();
        HandleArchivePath(args[0]);
    } else if (!args.empty()) {
        reader_.SetBookPath(args[0]);
        reader_.OpenBook(args[0]);
        library_.ShowOnly(reader_.BookPath());
        ShowLibraryRows();
        StartTimer(TIMER_RESUME_PROMPT, 60);
    } else {
        ReopenLastBook();
    }
}

void CPelinreaderView::FillExitSnapshot(pel::ExitSnapshot& s) const {
    s.underline = look_.underline;
    s.italic = look_.italic;
    s.bold = look_.bold;
    s.nightFlag = look_.night ? 1 : 0;
    s.keepOne = nav_.keepOne;
    s.keyUD = nav_.keyUD;
    s.sortRuleFlag = reader_.chapterRule;
    s.sidebarHidden = sidebarHidden;
    s.bottomBarHidden = bottomBarHidden;
    s.picPath = look_.picPath;
    s.sidebarShowsBookFolder =
        !library_.Folder().empty() && LibraryFolderPart(reader_.BookPath()) == library_.Folder();
    s.librarySelection = libraryIndex_;
    s.editMode = edit_.Editing();
}

bool CPelinreaderView::DialogProc(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) {
    if (message == findMessage_ && findMessage_ != 0) {
        OnFindNotification(*reinterpret_cast<const FINDREPLACEA*>(lp));
        result = 0;
        return true;
    }
    switch (message) {
        case WM_SIZE:
            clientWidth_ = LOWORD(lp);
            clientHeight_ = HIWORD(lp);
            LayoutControls(clientWidth_, clientHeight_);
            result = 0;
            return true;
        case WM_TIMER:
            OnTimer(static_cast<UINT>(wp));
            result = 0;
            return true;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            look_.PaintBackground(dc);
            EndPaint(hwnd_, &ps);
            result = 0;
            return true;
        }
        case WM_MOUSEACTIVATE:
            ApplyCursorActions(cursor_.Reveal());
            return false;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wp));
            result = 0;
            return true;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lp);
            if (hdr->idFrom == IDC_PAGE_CONTROL && hdr->code == EN_MSGFILTER) {
                auto* filter = reinterpret_cast<MSGFILTER*>(lp);
                if (filter->msg == WM_RBUTTONUP) ShowContextMenu();
                result = 0;  // the control goes on with the message
                return true;
            }
            if (hdr->idFrom == IDC_PAGE_CONTROL && hdr->code == EN_DROPFILES) {
                auto* drop = reinterpret_cast<ENDROPFILES*>(lp);
                OnDropFiles(reinterpret_cast<HDROP>(drop->hDrop));
                result = 1;  // the control itself takes nothing
                return true;
            }
            return false;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: {
            // Everything but the page itself is drawn on the form colour.
            HDC dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, kFormBackground);
            if (reinterpret_cast<HWND>(lp) == Item(IDC_QUOTE_LINE)) SetTextColor(dc, RGB(61, 131, 248));
            result = reinterpret_cast<INT_PTR>(formBrush_.get());
            return true;
        }
        case WM_COMMAND: {
            UINT id = LOWORD(wp);
            // Control notifications of the form's own controls; commands come from the frame.
            if (id == IDC_LIBRARY_LIST && HIWORD(wp) == LBN_DBLCLK) {
                OnLibraryDoubleClick();
                result = 0;
                return true;
            }
            if (lp != 0 && id != IDC_NEXT_PAGE && id != IDC_PREV_PAGE && id != IDC_SCREEN_DOWN) return false;
            return fw::Dialog::DialogProc(message, wp, lp, result);
        }
        default:
            return fw::Dialog::DialogProc(message, wp, lp, result);
    }
}

bool CPelinreaderView::OnCommand(UINT id, UINT, HWND) { return fw::DispatchCommand(this, kCommands, id); }

bool CPelinreaderView::OnUpdateCommand(fw::CommandUI& ui) {
    if (fw::DispatchUpdate(this, kUpdates, ui)) return true;
    return fw::TableHas(kCommands, ui.id);
}

bool CPelinreaderView::PreTranslateMessage(MSG& msg) {
    HWND list = Item(IDC_LIBRARY_LIST);
    if (msg.hwnd == list && GetFocus() == list &&
        (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP)) {
        RelayToLibraryTip(msg);
        return false;
    }
    if (msg.hwnd == hwnd_ && msg.message == WM_MOUSEMOVE) {
        SetLibraryTipText("单击文件名可查看详细信息！");
        lastTipIndex_ = -1;
        return false;
    }
    for (const FindDialog& d : findDialogs_)
        if (d.hwnd && IsDialogMessageA(d.hwnd, &msg)) return true;
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_RETURN && msg.hwnd == Item(IDC_PAGE_CURRENT)) {
        // Another page typed into the box replaces the page shown (the whole-book mode only scrolls).
        bool ok = false;
        const int page = CurrentBoxValue(ok);
        if (reader_.pagingMode != pel::kPagingWhole && ok && page >= 1 && page <= reader_.PageCount() &&
            !OfferToSave(pel::SavePlace::kReload))
            return true;
        reader_.EnterInPageBox(scroller_.IsOn());
        return true;
    }
    // The reading keys, while the page has the focus and is not being edited.
    if (msg.hwnd == page_.hwnd() && GetFocus() == page_.hwnd() && !edit_.Editing())
        return nav_.HandleKey(static_cast<int>(msg.wParam));
    return false;
}

void CPelinreaderView::OnTimer(UINT id) {
    switch (id) {
        case TIMER_POSITION:
            reader_.OnPositionTimer();
            app_.MarkLine = reader_.MarkLine();
            if (!edit_.Editing()) TrackCursor();
            break;
        case pel::kTimerQuoteOff:
        case pel::kTimerQuoteBuiltIn:
        case pel::kTimerQuoteLines:
        case pel::kTimerQuoteScroll:
            quote_.OnTimer(static_cast<int>(id));
            break;
        case TIMER_AUTO_SCROLL:
            scroller_.OnTimer();
            break;
        case TIMER_CLOSE_TIP:
            CloseTipBox();
            break;
        case TIMER_RESTORE_LINE:
            nav_.RestoreLastLine(*app_.profile, app_.iniPath);
            break;
        case TIMER_HIDE_CURSOR:
            ApplyCursorActions(
                cursor_.OnHideTimer(IsWindowVisible(hwnd_) != FALSE, GetFocus() == page_.hwnd()));
            break;
        case TIMER_WHOLE_BOOK_LINES:
            reader_.OnWholeBookTimer();
            app_.MarkLine = reader_.MarkLine();
            break;
        case TIMER_RESUME_PROMPT:
            StopTimer(TIMER_RESUME_PROMPT);
            reader_.OfferResume();
            break;
        default:
            break;
    }
}

// ---- layout

void CPelinreaderView::OnFullScreenToggled() {
    if (!sidebarHidden) {
        sidebarHidden = !sidebarHidden;
        RelayoutControls();
    }
    StopAutoScroll();
}

void CPelinreaderView::StopAutoScroll() { scroller_.Stop(); }

void CPelinreaderView::LayoutControls(int cx, int cy) {
    HWND edit = Item(IDC_PAGE_CONTROL);
    if (!edit) return;
    HWND list = Item(IDC_LIBRARY_LIST);
    const int bottomIds[] = {IDC_BOTTOM_FRAME,  IDC_TOTAL_LABEL,  IDC_PAGE_TOTAL,
                             IDC_CURRENT_LABEL, IDC_PAGE_CURRENT, IDC_NEXT_PAGE,
                             IDC_SCREEN_DOWN,   IDC_PREV_PAGE,    IDC_QUOTE_LINE};
    if (!bottomBarHidden) {
        if (!sidebarHidden) {
            MoveWindow(edit, 165, 0, cx - 165, cy - 30, TRUE);
            MoveWindow(list, 5, 0, 160, cy - 30, TRUE);
        } else {
            MoveWindow(edit, 0, 0, cx, cy - 30, TRUE);
            MoveWindow(list, 0, 0, 0, 0, FALSE);
        }
        MoveWindow(Item(IDC_BOTTOM_FRAME), 0, cy - 35, cx, 35, TRUE);
        MoveWindow(Item(IDC_TOTAL_LABEL), cx - 490, cy - 22, 50, 20, TRUE);
        MoveWindow(Item(IDC_PAGE_TOTAL), cx - 430, cy - 25, 50, 20, TRUE);
        MoveWindow(Item(IDC_CURRENT_LABEL), cx - 350, cy - 22, 60, 20, TRUE);
        MoveWindow(Item(IDC_PAGE_CURRENT), cx - 280, cy - 25, 50, 20, TRUE);
        MoveWindow(Item(IDC_PREV_PAGE), cx - 200, cy - 25, 50, 20, TRUE);
        MoveWindow(Item(IDC_SCREEN_DOWN), cx - 140, cy - 25, 40, 20, TRUE);
        MoveWindow(Item(IDC_NEXT_PAGE), cx - 90, cy - 25, 50, 20, TRUE);
        MoveWindow(Item(IDC_QUOTE_LINE), 35, cy - 22, std::max(0, cx - 525), quoteHeight_, TRUE);
    } else {
        for (int id : bottomIds) MoveWindow(Item(id), cx, 0, 0, 0, FALSE);
        if (!sidebarHidden) {
            MoveWindow(edit, 165, 0, cx - 165, cy, TRUE);
            MoveWindow(list, 5, 0, 160, cy, TRUE);
        } else {
            MoveWindow(edit, 0, 0, cx, cy, TRUE);
            MoveWindow(list, 0, 0, 0, 0, FALSE);
        }
    }
    reader_.SetScreenStep(-1);
}

// ---- IReaderHost

void CPelinreaderView::SetCounterLabels(const std::string& total, const std::string& current) {
    SetDlgItemTextA(hwnd_, IDC_TOTAL_LABEL, total.c_str());
    SetDlgItemTextA(hwnd_, IDC_CURRENT_LABEL, current.c_str());
}

void CPelinreaderView::SetTotalBox(int value) { SetDlgItemInt(hwnd_, IDC_PAGE_TOTAL, value, TRUE); }

void CPelinreaderView::SetCurrentBox(int value) { SetDlgItemInt(hwnd_, IDC_PAGE_CURRENT, value, TRUE); }

int CPelinreaderView::CurrentBoxValue(bool& ok) {
    BOOL translated = FALSE;
    int v = static_cast<int>(GetDlgItemInt(hwnd_, IDC_PAGE_CURRENT, &translated, TRUE));
    ok = translated != FALSE;
    return ok ? v : 0;
}

void CPelinreaderView::SetWindowTitle(const std::string& title) {
    SetWindowTextA(app_.MainWindow(), title.c_str());
}

int CPelinreaderView::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    HWND owner = app_.MainWindow();
    return ::MessageBoxA(owner, text.c_str(), caption.empty() ? app_.AppTitle() : caption.c_str(), flags);
}

void CPelinreaderView::StartTimer(int id, int periodMs) { SetTimer(hwnd_, id, periodMs, nullptr); }

void CPelinreaderView::StopTimer(int id) { ::KillTimer(hwnd_, id); }

void CPelinreaderView::PublishReadingState(const pel::ReadingState& state) {
    app_.readingState = state;
    app_.readingState.textColor = look_.textColor;
    app_.readingState.backColor = look_.backColor;
    app_.readingState.textSize = look_.textSize;
    app_.readingState.lineSpacing = look_.lineSpacing;
    app_.readingState.fontName = look_.fontName;
    app_.RuleDiy[0] = state.ruleText;
}

void CPelinreaderView::ShowSelfClosingTip(const std::string& text) { ShowSelfClosingTip(text, 0); }

void CPelinreaderView::ShowSelfClosingTip(const std::string& text, unsigned flags) {
    StartTimer(TIMER_CLOSE_TIP, 1000);
    ::MessageBoxA(app_.MainWindow(), text.c_str(), "提示", MB_OK | flags);
}

void CPelinreaderView::CloseTipBox() {
    StopTimer(TIMER_CLOSE_TIP);
    // The box belongs to this thread; only a message box of ours with that caption is closed.
    HWND box = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM lp) -> BOOL {
            char cls[16], caption[16];
            GetClassNameA(w, cls, sizeof cls);
            GetWindowTextA(w, caption, sizeof caption);
            if (std::strcmp(cls, "#32770") == 0 && std::strcmp(caption, "提示") == 0) {
                *reinterpret_cast<HWND*>(lp) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// ---- the .txt verb of the shell

void CPelinreaderView::OnTxtAssociation(UINT) { association_.OnToggleCommand(app_.MainWindow()); }

void CPelinreaderView::OnUpdateTxtAssociation(fw::CommandUI& ui) { association_.OnUpdateToggle(ui); }

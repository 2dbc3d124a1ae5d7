#include "ui/pelinreader_view.h"

#include <commdlg.h>
#include <richedit.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "app/pelinreader_app.h"
#include "book/chapters.h"
#include "book/contents.h"
#include "ui/custom_rule_dialog.h"
#include "ui/jump_dialog.h"
#include "ui/library_text.h"
#include "ui/records_dialog.h"
#include "ui/settings_dialog.h"
#include "ui/toc_dialog.h"
#include "resource.h"

namespace {

constexpr COLORREF kFormBackground = RGB(204, 232, 207);

std::string LowerExtension(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

bool IsArchiveExtension(const std::string& ext) {
    return ext == "zip" || ext == "7z" || ext == "iso" || ext == "rar";
}

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
      edit_(reader_, page_, editControl_, *this, files) {
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
    if (!args.empty()) {
        reader_.SetBookPath(args[0]);
        reader_.OpenBook(args[0]);
        AddToSidebar(pel::FileNameOf(reader_.BookPath()));
        StartTimer(TIMER_RESUME_PROMPT, 60);
    } else {
        ReopenLastBook();
    }
}

void CPelinreaderView::ReopenLastBook() {
    const pel::BookmarkLine& last = config_.LastReadEntry();
    reader_.SetBookPath(last.path);
    reader_.OpenBook(last.path);
    if (reader_.BookPath().empty()) return;
    const int page = std::atoi(last.page.c_str());
    if (page != 1) reader_.ShowPage(page);
    AddToSidebar(pel::FileNameOf(reader_.BookPath()));
    StartTimer(TIMER_RESTORE_LINE, 200);
    RestoreLibrarySelection();
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
    s.sidebarShowsBookFolder = !libraryFolder.empty() && LibraryFolderPart(reader_.BookPath()) == libraryFolder;
    s.librarySelection = libraryIndex_;
    s.editMode = edit_.Editing();
}

void CPelinreaderView::ApplyTextMargins() {
    if (app_.BJL == -1) return;
    RECT rc;
    SendMessageA(page_.hwnd(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
    rc.left += app_.BJL;
    rc.top += app_.BJU;
    rc.right -= app_.BJR;
    rc.bottom -= app_.BJD;
    SendMessageA(page_.hwnd(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rc));
    // The strip the margins take must be repainted, or text drawn there before stays visible.
    InvalidateRect(page_.hwnd(), nullptr, TRUE);
}

void CPelinreaderView::AddToSidebar(const std::string& name) {
    if (name.empty()) return;
    SendMessageA(Item(IDC_LIBRARY_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
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
    const int bottomIds[] = {IDC_BOTTOM_FRAME, IDC_TOTAL_LABEL, IDC_PAGE_TOTAL, IDC_CURRENT_LABEL,
                             IDC_PAGE_CURRENT, IDC_NEXT_PAGE,   IDC_SCREEN_DOWN, IDC_PREV_PAGE,
                             IDC_QUOTE_LINE};
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

void CPelinreaderView::ShowSelfClosingTip(const std::string& text) {
    StartTimer(TIMER_CLOSE_TIP, 1000);
    ::MessageBoxA(app_.MainWindow(), text.c_str(), "提示", MB_OK);
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

void CPelinreaderView::ExtractArchiveMember(const std::string& memberPath) {
    archive_.ExtractArchiveMember(memberPath);
}

void CPelinreaderView::ResetArchiveListing() { archive_.ResetListing(); }

std::string CPelinreaderView::BrowseForExtractor() {
    char file[MAX_PATH * 4] = "";
    std::string filter = std::string(pel::kBrowseExtractorFilter) + '\0' + pel::kBrowseExtractorPattern + '\0';
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app_.MainWindow();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = pel::kBrowseExtractorTitle;
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameA(&ofn)) return {};
    return file;
}

// ---- opening books

bool CPelinreaderView::HandleArchivePath(const std::string& path) {
    if (!IsArchiveExtension(LowerExtension(path))) return false;
    // The archive's books fill the library list; one is opened from there.
    if (!archive_.ListArchive(path)) return true;
    HWND list = Item(IDC_LIBRARY_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    const auto& members = archive_.Members();
    for (size_t i = 0; i < members.size(); ++i)
        SendMessageA(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(members[i].displayName.c_str()));
    libraryFolder = archive_.ListedArchive();
    lastTipIndex_ = -1;
    if (sidebarHidden) {
        sidebarHidden = false;
        RelayoutControls();
    }
    return true;
}

void CPelinreaderView::OnFileOpen(UINT) {
    char file[MAX_PATH * 4] = "";
    static const char kFilter[] =
        "文本文件(*.txt)\0*.txt\0压缩文件(*.rar,*.zip,*.7z,*.iso)\0*.rar;*.zip;*.7z;*.iso\0所有文件(*.*)\0*.*\0";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app_.MainWindow();
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "打开小说或TXT文本";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameA(&ofn)) return;
    std::string path = file;
    if (HandleArchivePath(path)) return;

    size_t n = openedPaths.size();
    openedPaths.push_back(path);
    openedNames.push_back(pel::FileNameOf(path));
    reader_.SetBookPath(path);
    reader_.OpenBook(path);
    if (reader_.BookPath().empty()) {
        reader_.SetBookPath(app_.readingState.bookPath);
        return;
    }
    HWND list = Item(IDC_LIBRARY_LIST);
    if (n == 0) SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (!libraryFolder.empty()) {
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        libraryFolder.clear();
    }
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(openedNames.back().c_str()));
    reader_.OfferResume();
}

void CPelinreaderView::OnDropFiles(HDROP drop) {
    // The whole path is read, however long it is.
    UINT len = DragQueryFileA(drop, 0, nullptr, 0);
    std::string path;
    if (len != 0 && len != 0xFFFFFFFFu) {
        path.resize(len + 1);
        UINT got = DragQueryFileA(drop, 0, path.data(), len + 1);
        path.resize(got);
    }
    DragFinish(drop);
    if (!path.empty()) OpenDroppedFile(path);
}

void CPelinreaderView::OpenDroppedFile(const std::string& path) {
    reader_.SetBookPath(path);
    if (HandleArchivePath(path)) return;
    reader_.OpenBook(path);
    if (reader_.BookPath().empty()) {
        reader_.SetBookPath(app_.readingState.bookPath);
        return;
    }
    HWND list = Item(IDC_LIBRARY_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    AddToSidebar(pel::FileNameOf(path));
    reader_.OfferResume();
}

// ---- paging commands

void CPelinreaderView::OnPagingMode(UINT id) {
    int mode = id == ID_PAGING_LINES ? pel::kPagingLines
               : id == ID_PAGING_CHAPTERS ? pel::kPagingChapters
                                          : pel::kPagingWhole;
    reader_.SwitchPagingMode(mode);
}

void CPelinreaderView::OnPagingCycle(UINT) { reader_.CyclePagingMode(); }

void CPelinreaderView::OnDeleteBlankLines(UINT) {
    reader_.ToggleDeleteBlankLines();
    app_.delblank = reader_.deleteBlankLines;
}

void CPelinreaderView::OnForceUtf8(UINT) { reader_.ForceUtf8Reload(); }

void CPelinreaderView::OnUpdatePagingMode(fw::CommandUI& ui) {
    int mode = ui.id == ID_PAGING_LINES ? 0 : ui.id == ID_PAGING_CHAPTERS ? 1 : 2;
    ui.SetCheck(reader_.pagingMode == mode);
}

void CPelinreaderView::OnUpdateSizePane(fw::CommandUI& ui) {
    ui.SetText(reader_.SizePaneText());
}

void CPelinreaderView::OnUpdateProgressPane(fw::CommandUI& ui) { ui.SetText(reader_.ProgressPaneText()); }

// ---- navigation

void CPelinreaderView::OnNextPage(UINT) { nav_.NextPage(); }

void CPelinreaderView::OnPreviousPage(UINT) { nav_.PreviousPage(); }

void CPelinreaderView::OnScreenDownButton(UINT) { nav_.ScreenDownButton(); }

void CPelinreaderView::OnScreenDown(UINT) { nav_.ScreenDown(); }

void CPelinreaderView::OnKeepOne(UINT) { nav_.ToggleKeepOne(); }

void CPelinreaderView::OnKeyUD(UINT id) { nav_.SetKeyUD(static_cast<int>(id - ID_KEYUD_1) + 1); }

void CPelinreaderView::OnUpdateKeepOne(fw::CommandUI& ui) { ui.SetCheck(nav_.keepOne == 1); }

void CPelinreaderView::OnUpdateKeyUD(fw::CommandUI& ui) {
    ui.SetCheck(nav_.keyUD == static_cast<int>(ui.id - ID_KEYUD_1) + 1);
}

void CPelinreaderView::OnJumpPercent(UINT) {
    CJumpDialog dlg;
    if (dlg.DoModal(app_.MainWindow()) != IDOK) return;
    nav_.JumpToPercent(dlg.percent);
}

// ---- edit mode, clipboard, find and replace, saving

void CPelinreaderView::OnEditCommand(UINT id) {
    switch (id) {
        case ID_EDIT_MODE: edit_.ToggleEditMode(); break;
        case ID_EDIT_COPY: edit_.Copy(); break;
        case ID_EDIT_CUT: edit_.Cut(); break;
        case ID_EDIT_PASTE: edit_.Paste(); break;
        case ID_EDIT_UNDO: edit_.Undo(); break;
        case ID_EDIT_FIND: edit_.OpenFindDialog(); break;
        case ID_EDIT_REPLACE: edit_.OpenReplaceDialog(); break;
        case ID_FILE_SAVE: edit_.SavePageAndReload(); break;
        case ID_FILE_SAVE_AS: edit_.SaveAs(); break;
        default: break;
    }
}

void CPelinreaderView::OnUpdateEditMode(fw::CommandUI& ui) { ui.SetCheck(edit_.Editing()); }

void CPelinreaderView::CreateFindDialog(const std::string& findWhat, bool replace) {
    FindDialog& d = findDialogs_.emplace_back();
    lstrcpynA(d.findWhat, findWhat.c_str(), sizeof d.findWhat);
    d.fr.lStructSize = sizeof d.fr;
    d.fr.hwndOwner = hwnd_;
    d.fr.Flags = FR_DOWN | (replace ? 0 : FR_HIDEUPDOWN);
    d.fr.lpstrFindWhat = d.findWhat;
    d.fr.wFindWhatLen = sizeof d.findWhat;
    d.fr.lpstrReplaceWith = d.replaceWith;
    d.fr.wReplaceWithLen = sizeof d.replaceWith;
    d.hwnd = replace ? ReplaceTextA(&d.fr) : FindTextA(&d.fr);
    if (!d.hwnd) {
        findDialogs_.pop_back();
        return;
    }
    ShowWindow(d.hwnd, SW_SHOW);
    SetActiveWindow(d.hwnd);
}

void CPelinreaderView::OnFindNotification(const FINDREPLACEA& fr) {
    pel::FindRequest request;
    request.findWhat = fr.lpstrFindWhat ? fr.lpstrFindWhat : "";
    request.replaceWith = fr.lpstrReplaceWith ? fr.lpstrReplaceWith : "";
    request.matchCase = (fr.Flags & FR_MATCHCASE) != 0;
    request.wholeWord = (fr.Flags & FR_WHOLEWORD) != 0;
    if (fr.Flags & FR_DIALOGTERM) {
        request.action = pel::FindAction::kClosing;
        edit_.OnFindNotification(request);
        // The dialog is going: forget it and its buffers.
        findDialogs_.remove_if([&](const FindDialog& d) { return &d.fr == &fr; });
        return;
    }
    request.action = (fr.Flags & FR_REPLACEALL) ? pel::FindAction::kReplaceAll
                     : (fr.Flags & FR_REPLACE)  ? pel::FindAction::kReplace
                                                : pel::FindAction::kFindNext;
    edit_.OnFindNotification(request);
}

bool CPelinreaderView::AskSaveAsPath(std::string& path) {
    char file[MAX_PATH * 4] = "";
    std::string filter = std::string(pel::kSaveAsFilterName) + '\0' + pel::kSaveAsFilterPattern + '\0';
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app_.MainWindow();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = pel::kSaveAsTitle;
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!GetSaveFileNameA(&ofn)) return false;
    path = file;
    return true;
}

// ---- context menu and web search

void CPelinreaderView::ShowContextMenu() {
    SetFocus(hwnd_);
    pel::ContextMenuState state;
    CHARRANGE sel{};
    SendMessageA(page_.hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    state.selectionEmpty = sel.cpMax <= sel.cpMin;
    state.canPaste = SendMessageA(page_.hwnd(), EM_CANPASTE, 0, 0) != 0;
    state.canUndo = SendMessageA(page_.hwnd(), EM_CANUNDO, 0, 0) != 0;
    state.editMode = edit_.Editing();
    fw::UniqueMenu menu(CreatePopupMenu());
    for (const pel::ContextMenuItem& item : pel::BuildContextMenu(state)) {
        if (item.IsSeparator())
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu.get(), MF_STRING | (item.grayed ? MF_GRAYED : 0), static_cast<UINT_PTR>(item.id),
                        item.label.c_str());
    }
    POINT pt;
    GetCursorPos(&pt);
    const UINT id = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                     pt.x, pt.y, 0, hwnd_, nullptr));
    // The chosen command goes the way of every command, so the frame's own ones are found too.
    if (id) PostMessageA(app_.MainWindow(), WM_COMMAND, id, 0);
}

void CPelinreaderView::OnWebSearch(UINT id) { pel::WebSearch(static_cast<int>(id), *this); }

void CPelinreaderView::OpenUrl(const std::string& url) {
    ShellExecuteA(app_.MainWindow(), "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CPelinreaderView::OnFullScreenKeys(UINT) {
    // Ctrl+Enter as keystrokes, so the accelerator reaches the frame as if typed.
    INPUT in[4]{};
    const WORD keys[4] = {VK_CONTROL, VK_RETURN, VK_RETURN, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (i >= 2 ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(4, in, sizeof(INPUT));
}

// ---- advanced settings

void CPelinreaderView::OnAdvancedSettings(UINT) {
    ApplyCursorActions(cursor_.Reveal());
    pel::AdvancedSettings s;
    s.quote = app_.Quote;
    s.autoScroll = app_.Roll;
    s.timeSpanTip = app_.TimeSpanTip;
    s.trayFlag = app_.TrayFlag;
    s.margins = {app_.BJL, app_.BJR, app_.BJU, app_.BJD};
    s.diyName = app_.DIYname;
    CSettingsDlg dlg(s);
    if (dlg.DoModal(app_.MainWindow()) != IDOK) return;
    // The quote line works on the application's copy, so it takes the new values before it restarts.
    app_.Quote = s.quote;
    app_.Roll = s.autoScroll;
    app_.TimeSpanTip = s.timeSpanTip;
    app_.TrayFlag = s.trayFlag;
    app_.DIYname = s.diyName;
    pel::TextMargins applied{app_.BJL, app_.BJR, app_.BJU, app_.BJD};
    pel::ApplyAdvancedSettings(s, applied, quote_, scroller_, reader_, *this);
    app_.BJL = applied.left;
    app_.BJR = applied.right;
    app_.BJU = applied.top;
    app_.BJD = applied.bottom;
}

pel::TextRect CPelinreaderView::PageFormatRect() {
    RECT rc{};
    SendMessageA(page_.hwnd(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
    return {rc.left, rc.top, rc.right, rc.bottom};
}

void CPelinreaderView::SetPageFormatRect(const pel::TextRect& r) {
    RECT rc{r.left, r.top, r.right, r.bottom};
    SendMessageA(page_.hwnd(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rc));
    InvalidateRect(page_.hwnd(), nullptr, TRUE);
}

// ---- quote line

void CPelinreaderView::OnQuoteBar(UINT id) { quote_.OnCommand(static_cast<int>(id)); }

void CPelinreaderView::OnUpdateQuoteBar(fw::CommandUI& ui) { ui.SetCheck(quote_.MenuChecked()); }

pel::QuoteExtent CPelinreaderView::ViewClientSize() {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    return {rc.right, rc.bottom};
}

pel::QuoteExtent CPelinreaderView::MeasureQuote(const std::string& text) {
    fw::WindowDC dc(hwnd_);
    SIZE sz{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &sz);
    return {sz.cx, sz.cy};
}

void CPelinreaderView::SetQuoteText(const std::string& text) { SetDlgItemTextA(hwnd_, IDC_QUOTE_LINE, text.c_str()); }

void CPelinreaderView::MoveQuote(const pel::QuoteRect& where, bool repaint) {
    quoteHeight_ = where.height;
    MoveWindow(Item(IDC_QUOTE_LINE), where.x, where.y, where.width, where.height, repaint ? TRUE : FALSE);
}

void CPelinreaderView::RelayoutView() {
    bottomBarHidden = quote_.BottomBarHidden();
    RelayoutControls();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void CPelinreaderView::OnTxtAssociation(UINT) { association_.OnToggleCommand(app_.MainWindow()); }

void CPelinreaderView::OnUpdateTxtAssociation(fw::CommandUI& ui) { association_.OnUpdateToggle(ui); }

// ---- appearance

void CPelinreaderView::OnAppearance(UINT id) {
    HWND owner = app_.MainWindow();
    bool measureAgain = false;
    switch (id) {
        case ID_FONT: measureAgain = look_.PickFont(owner); break;
        case ID_TEXT_COLOR: look_.ChooseTextColor(owner); break;
        case ID_BK_DEFAULT: look_.DefaultBackground(); break;
        case ID_BK_OTHER: look_.ChooseBackground(owner); break;
        case ID_BK_PICTURE: look_.ChoosePicture(owner); break;
        case ID_SPACING_DEFAULT: look_.SetSpacing(100), measureAgain = true; break;
        case ID_SPACING_15: look_.SetSpacing(150), measureAgain = true; break;
        case ID_SPACING_20: look_.SetSpacing(200), measureAgain = true; break;
        case ID_SPACING_25: look_.SetSpacing(250), measureAgain = true; break;
        case ID_SPACING_30: look_.SetSpacing(300), measureAgain = true; break;
        case ID_SIZE_SMALL: look_.SetSize(280), measureAgain = true; break;
        case ID_SIZE_MEDIUM: look_.SetSize(320), measureAgain = true; break;
        case ID_SIZE_LARGE: look_.SetSize(360), measureAgain = true; break;
        case ID_FONT_SMALLER: look_.Smaller(), measureAgain = true; break;
        case ID_FONT_LARGER: look_.Larger(), measureAgain = true; break;
        case ID_SPACING_SMALLER: look_.LessSpacing(), measureAgain = true; break;
        case ID_SPACING_LARGER: look_.MoreSpacing(), measureAgain = true; break;
        case ID_NIGHT_MODE: look_.ToggleNight(); break;
        default: return;
    }
    if (measureAgain) reader_.SetScreenStep(-1);
    reader_.SyncTitle();
}

void CPelinreaderView::OnUpdateNight(fw::CommandUI& ui) { ui.SetCheck(look_.night); }

void CPelinreaderView::OnAutoScroll(UINT id) { scroller_.OnCommand(static_cast<int>(id)); }

void CPelinreaderView::OnUpdateAutoScroll(fw::CommandUI& ui) { ui.SetCheck(scroller_.IsOn()); }

// ---- chapters

void CPelinreaderView::OnChapterRule(UINT id) { reader_.SelectChapterRule(pel::ChapterRuleOfCommand(static_cast<int>(id))); }

void CPelinreaderView::OnUpdateChapterRule(fw::CommandUI& ui) {
    ui.SetCheck(reader_.chapterRule == pel::ChapterRuleOfCommand(static_cast<int>(ui.id)));
}

void CPelinreaderView::OnCustomRule(UINT) {
    app_.RuleDiy[0] = reader_.customRuleText;
    CCustomRuleDlg dlg(app_.RuleDiy);
    if (dlg.DoModal(app_.MainWindow()) != IDOK) return;
    reader_.ApplyCustomRule(app_.RuleDiy[0]);
}

void CPelinreaderView::OnContents(UINT) {
    if (!pel::CanShowContents(reader_.pagingMode)) {
        MessageBox(pel::kContentsNeedChapterMode, "", MB_OK);
        return;
    }
    CTocDlg dlg(app_.readingState);
    dlg.DoModal(app_.MainWindow());
    reader_.ReturnFromContents(app_.readingState.currentPage);
}

// ---- bookmarks and reading records

void CPelinreaderView::OnBookmarkCommand(UINT id) { bookmarks_.OnCommand(static_cast<int>(id)); }

void CPelinreaderView::ShowOnlyInLibrary(const std::string& fileName) {
    SendMessageA(Item(IDC_LIBRARY_LIST), LB_RESETCONTENT, 0, 0);
    AddToSidebar(fileName);
}

void CPelinreaderView::RebuildBookmarkMenus(const std::vector<pel::MenuEntry>& open,
                                            const std::vector<pel::MenuEntry>& remove) {
    HMENU main = GetMenu(app_.MainWindow());
    if (!main) return;
    // "书签(&B)" holds "打开书签" and "删除书签" as its second and third items.
    HMENU marks = GetSubMenu(main, 1);
    if (!marks) return;
    auto refill = [](HMENU sub, const std::vector<pel::MenuEntry>& entries) {
        if (!sub) return;
        while (GetMenuItemCount(sub) > 0) DeleteMenu(sub, 0, MF_BYPOSITION);
        for (const pel::MenuEntry& e : entries)
            AppendMenuA(sub, MF_STRING, static_cast<UINT_PTR>(e.id), e.text.c_str());
    };
    refill(GetSubMenu(marks, 1), open);
    refill(GetSubMenu(marks, 2), remove);
}

void CPelinreaderView::OnReadingRecords(UINT) {
    ApplyCursorActions(cursor_.Reveal());
    CRecordsDlg dlg(*app_.profile, app_.iniPath, app_.programDir);
    if (dlg.DoModal(app_.MainWindow()) != IDOK) return;
    if (records_.OpenChosenRecord(dlg.choice, reader_)) {
        // The book is open at its place; OpenChosenRecord already refreshed the library list.
    }
}

// ---- the mouse cursor hides while the reader reads

void CPelinreaderView::TrackCursor() {
    POINT pt;
    if (!GetCursorPos(&pt)) return;
    RECT rc;
    GetWindowRect(page_.hwnd(), &rc);
    ApplyCursorActions(cursor_.Tick(pt.x, pt.y, PtInRect(&rc, pt) != FALSE, GetFocus() == page_.hwnd()));
}

void CPelinreaderView::ApplyCursorActions(const pel::CursorHider::Actions& a) {
    if (a.startHideTimer) StartTimer(TIMER_HIDE_CURSOR, 5000);
    if (a.killHideTimer) StopTimer(TIMER_HIDE_CURSOR);
    if (a.showCursor) ShowCursor(TRUE);
    if (a.hideCursor) ShowCursor(FALSE);
}

#include "ui/main_frame.h"

#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <ctime>

#include "app/pelinreader_app.h"
#include "resource.h"
#include "ui/boss_key_dialog.h"
#include "ui/pelinreader_view.h"

namespace {

constexpr char kFrameClass[] = "PelinreaderFrame";
constexpr UINT kTrayMessage = WM_USER + 1;
constexpr UINT kTrayIconId = 128;
constexpr int kToolImageSize = 20;

struct ToolButton {
    int command;
    const char* text;
    int icon;
};

const ToolButton kToolButtons[] = {
    {ID_FILE_OPEN_FOLDER, "书库", IDI_TB_LIBRARY},
    {ID_FILE_OPEN, "小说", IDI_TB_OPEN},
    {ID_BOOKMARK_ADD, "添加书签", IDI_TB_ADD_BOOKMARK},
    {ID_NIGHT_MODE, "夜间模式", IDI_TB_NIGHT},
    {32805, "减小字体", IDI_TB_FONT_SMALLER},
    {32806, "增大字体", IDI_TB_FONT_LARGER},
    {32807, "减小行距", IDI_TB_SPACING_SMALLER},
    {32808, "增大行距", IDI_TB_SPACING_LARGER},
    {ID_PAGING_CYCLE, "分页方式", IDI_TB_PAGING},
    {ID_FILE_RECORDS, "阅读记录", IDI_TB_RECORDS},
    {ID_SIDEBAR, "侧边栏", IDI_TB_SIDEBAR},
    {ID_FULL_SCREEN, "全屏", IDI_TB_FULL_SCREEN},
    {ID_AUTO_SCROLL, "自动滚屏", IDI_TB_AUTO_SCROLL},
    {ID_EDIT_MODE, "编辑模式", IDI_TB_EDIT_MODE},
    {ID_CONTENTS, "目录", IDI_TB_CONTENTS},
};

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Routes update queries of pop-up menus through the frame's chain.
class FrameChain : public fw::CommandTarget {
public:
    explicit FrameChain(CMainFrame& frame) : frame_(frame) {}
    bool OnUpdateCommand(fw::CommandUI& ui) override { return frame_.RouteUpdate(ui); }

private:
    CMainFrame& frame_;
};

}  // namespace

const fw::MessageEntry<CMainFrame> CMainFrame::kMessages[] = {
    {WM_CREATE, &CMainFrame::OnCreate},
    {WM_SIZE, &CMainFrame::OnSize},
    {WM_TIMER, &CMainFrame::OnTimer},
    {WM_CLOSE, &CMainFrame::OnClose},
    {WM_DESTROY, &CMainFrame::OnDestroy},
    {WM_INITMENUPOPUP, &CMainFrame::OnInitMenuPopup},
    {WM_MENUSELECT, &CMainFrame::OnMenuSelect},
    {WM_EXITMENULOOP, &CMainFrame::OnExitMenuLoop},
    {WM_NOTIFY, &CMainFrame::OnNotify},
    {WM_SETFOCUS, &CMainFrame::OnSetFocus},
    {WM_GETMINMAXINFO, &CMainFrame::OnGetMinMaxInfo},
    {WM_HOTKEY, &CMainFrame::OnHotKey},
    {WM_SYSCOMMAND, &CMainFrame::OnSysCommand},
    {kTrayMessage, &CMainFrame::OnTrayNotify},
};

const fw::CommandEntry<CMainFrame> CMainFrame::kCommands[] = {
    {ID_APP_EXIT, ID_APP_EXIT, &CMainFrame::OnAppExit},
    {ID_VIEW_TOOLBAR, ID_VIEW_TOOLBAR, &CMainFrame::OnToggleToolBar},
    {ID_VIEW_STATUS_BAR, ID_VIEW_STATUS_BAR, &CMainFrame::OnToggleStatusBar},
    {ID_FULL_SCREEN, ID_FULL_SCREEN, &CMainFrame::OnFullScreen},
    {ID_BOSS_KEY, ID_BOSS_KEY, &CMainFrame::OnBossKey},
};

const fw::UpdateEntry<CMainFrame> CMainFrame::kUpdates[] = {
    {ID_VIEW_TOOLBAR, ID_VIEW_TOOLBAR, &CMainFrame::OnUpdateToolBar},
    {ID_VIEW_STATUS_BAR, ID_VIEW_STATUS_BAR, &CMainFrame::OnUpdateStatusBar},
};

CMainFrame::CMainFrame(CPelinreaderApp& app) : app_(app) {}

CMainFrame::~CMainFrame() {
    view_.reset();
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

bool CMainFrame::LoadFrame() {
    // Settings the frame needs before its window exists.
    const pel::FrameSettings fs = pel::ReadFrameSettings(*app_.profile, app_.iniPath);
    rememberedPlacement_ = fs.placement;
    app_.TimeSpanTip = fs.timeSpanTip;
    clock_.nextReminderMinutes = fs.timeSpanTip;
    toolflag = fs.toolFlag;
    statusflag = fs.statusFlag;
    customTitle_ = fs.diyName;
    app_.DIYname = customTitle_;

    HICON icon = LoadIconA(Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    if (!fw::Window::RegisterClass(kFrameClass, icon, icon, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), 0))
        return false;
    menu_.reset(LoadMenuA(Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME)));
    accelerators_ = LoadAcceleratorsA(Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    if (!Create(kFrameClass, customTitle_.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 100, 100, 850,
                600, nullptr, menu_.get()))
        return false;
    menu_.release();  // owned by the window from now on
    app_.SetMainWindow(hwnd_, accelerators_);
    app_.AddPreTranslate(
        this, [](void* ctx, MSG& msg) { return static_cast<CMainFrame*>(ctx)->PreTranslate(msg); });
    app_.SetIdleHandler(this, [](void* ctx) { static_cast<CMainFrame*>(ctx)->OnIdle(); });
    return true;
}

void CMainFrame::CenterOnScreen() {
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(hwnd_, nullptr, std::max(0, (sw - w) / 2), std::max(0, (sh - h) / 2), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (RouteCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return 0;
        return DefaultProc(message, wp, lp);
    }
    if (fw::DispatchMessageTable(this, kMessages, message, wp, lp, result)) return result;
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (taskbarCreated != 0 && message == taskbarCreated) {
        OnTaskbarCreated();
        return 0;
    }
    return DefaultProc(message, wp, lp);
}

// ---- creation

LRESULT CMainFrame::OnCreate(WPARAM, LPARAM) {
    if (!CreateToolBar()) return -1;
    if (!CreateStatusBar()) return -1;

    // The clock and reading time (timers 101 and 12) run for the life of the frame.
    clock_.readingSeconds = 0;
    clock_.readingTimeShown = false;
    SetTimer(hwnd_, TIMER_FRAME_CLOCK, 1000, nullptr);
    clock_.clockStart = static_cast<long long>(std::time(nullptr));
    UpdateClock();
    SetTimer(hwnd_, TIMER_FRAME_READING_TIME, 120000, nullptr);

    SendMessageA(status_, SB_SETBKCOLOR, 0, RGB(191, 219, 255));
    if (toolflag == 0) ShowWindow(rebar_, SW_HIDE);
    if (statusflag == 0) ShowWindow(status_, SW_HIDE);
    SetTimer(hwnd_, TIMER_FRAME_FIRST_SHOW, 50, nullptr);

    // The boss key (Alt+Space unless chosen otherwise).
    const pel::BossKeySettings boss = pel::ReadBossKeySettings(*app_.profile, app_.iniPath);
    app_.KeyA = boss.modifiers;
    app_.KeyV = boss.virtualKey;
    bossKeyRegistered_ = RegisterHotKey(hwnd_, kBossHotKeyId, static_cast<UINT>(app_.KeyA),
                                        static_cast<UINT>(app_.KeyV)) != FALSE;

    view_ = std::make_unique<CPelinreaderView>(app_, *app_.files, *app_.codePage);
    if (!view_->Create(hwnd_)) return -1;
    ShowWindow(view_->hwnd(), SW_SHOW);
    RecalcLayout();
    return 0;
}

bool CMainFrame::CreateToolBar() {
    rebar_ = CreateWindowExA(
        WS_EX_TOOLWINDOW, REBARCLASSNAMEA, nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
        0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(IDW_REBAR), Instance(), nullptr);
    if (!rebar_) return false;
    REBARINFO rbi{sizeof rbi, 0, nullptr};
    SendMessageA(rebar_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&rbi));

    toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_TRANSPARENT |
                                   CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                               0, 0, 0, 0, rebar_, reinterpret_cast<HMENU>(IDW_TOOLBAR), Instance(), nullptr);
    if (!toolbar_) return false;
    SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(40, 80));
    SendMessageA(toolbar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);

    hotImages_.reset(ImageList_Create(24, 24, ILC_COLOR32 | ILC_MASK, 15, 0));
    normalImages_.reset(ImageList_Create(19, 19, ILC_COLOR32 | ILC_MASK, 15, 0));
    for (const auto& b : kToolButtons) {
        fw::UniqueIcon hot(static_cast<HICON>(
            LoadImageA(Instance(), MAKEINTRESOURCEA(b.icon), IMAGE_ICON, 24, 24, LR_DEFAULTCOLOR)));
        fw::UniqueIcon normal(static_cast<HICON>(
            LoadImageA(Instance(), MAKEINTRESOURCEA(b.icon), IMAGE_ICON, 19, 19, LR_DEFAULTCOLOR)));
        ImageList_AddIcon(hotImages_.get(), hot.get());
        ImageList_AddIcon(normalImages_.get(), normal.get());
    }
    SendMessageA(toolbar_, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hotImages_.get()));
    SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normalImages_.get()));

    TBBUTTON buttons[std::size(kToolButtons)]{};
    for (size_t i = 0; i < std::size(kToolButtons); ++i) {
        buttons[i].iBitmap = static_cast<int>(i);
        buttons[i].idCommand = kToolButtons[i].command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON | (kToolButtons[i].command == ID_PAGING_CYCLE ? BTNS_DROPDOWN : 0);
        buttons[i].iString = reinterpret_cast<INT_PTR>(kToolButtons[i].text);
    }
    SendMessageA(toolbar_, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);

    RECT first{};
    SendMessageA(toolbar_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    int bw = first.right - first.left, bh = first.bottom - first.top;
    // Every button takes the size of the first one; the images are drawn 20 x 20.
    SendMessageA(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(bw, bh));
    SendMessageA(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kToolImageSize, kToolImageSize));
    SendMessageA(toolbar_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    bw = first.right - first.left, bh = first.bottom - first.top;

    bandBitmap_.reset(static_cast<HBITMAP>(
        LoadImageA(Instance(), MAKEINTRESOURCEA(IDB_BAND_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE |
                 (bandBitmap_ ? RBBIM_BACKGROUND : 0);
    band.fStyle = RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE | (bandBitmap_ ? RBBS_FIXEDBMP : 0);
    band.hwndChild = toolbar_;
    band.cxMinChild = bw;
    band.cyMinChild = bh;
    band.cx = 10 * bw;
    band.cxIdeal = 10 * bw;
    band.hbmBack = bandBitmap_.get();
    SendMessageA(rebar_, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    return true;
}

bool CMainFrame::CreateStatusBar() {
    status_ = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0,
                              0, hwnd_, reinterpret_cast<HMENU>(IDW_STATUSBAR), Instance(), nullptr);
    if (!status_) return false;
    {
        // Panes 2 and 3 are measured in the frame's client device context, with the font it has.
        fw::WindowDC frameDc(hwnd_);
        SIZE sample{};
        const char kSample[] = "字数：10000000";
        GetTextExtentPoint32A(frameDc.get(), kSample, static_cast<int>(sizeof kSample - 1), &sample);
        sizePaneWidth_ = static_cast<int>(std::trunc(1.7 * sample.cx));
        progressPaneWidth_ = 4 * sample.cx;
    }
    {
        fw::WindowDC dc(hwnd_);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(status_, WM_GETFONT, 0, 0));
        fw::SelectObjectScope sel(dc.get(),
                                  font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        SIZE sz{};
        const char kClock[] = "2026/12/31   00:00:00   星期三";
        GetTextExtentPoint32A(dc.get(), kClock, static_cast<int>(sizeof kClock - 1), &sz);
        clockPaneWidth_ = sz.cx + 12;
    }
    idlePrompt_ = fw::LoadStringResource(IDS_IDLE_PROMPT);
    SetStatusParts();
    SetPaneText(0, idlePrompt_);
    if (paneTexts_[1].empty()) SetPaneText(1, fw::LoadStringResource(ID_PANE_CLOCK));
    SetPaneText(2, fw::LoadStringResource(ID_PANE_SIZE));
    SetPaneText(3, fw::LoadStringResource(ID_PANE_PROGRESS));
    return true;
}

void CMainFrame::SetStatusParts() {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    int cx = rc.right - rc.left;
    int grip = GetSystemMetrics(SM_CXVSCROLL);
    int right3 = cx - grip;
    int right2 = right3 - progressPaneWidth_;
    int right1 = right2 - sizePaneWidth_;
    int right0 = right1 - clockPaneWidth_;
    int parts[4] = {std::max(0, right0), std::max(0, right1), std::max(0, right2), -1};
    SendMessageA(status_, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(parts));
}

void CMainFrame::SetPaneText(int pane, const std::string& text) {
    if (pane < 0 || pane > 3 || paneTexts_[pane] == text) return;
    paneTexts_[pane] = text;
    SendMessageA(status_, SB_SETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.c_str()));
}

// ---- layout

RECT CMainFrame::ViewRect() const {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    if (rebar_ && IsWindowVisible(rebar_)) {
        RECT rb;
        GetWindowRect(rebar_, &rb);
        rc.top += rb.bottom - rb.top;
    }
    if (status_ && IsWindowVisible(status_)) {
        RECT sb;
        GetWindowRect(status_, &sb);
        rc.bottom -= sb.bottom - sb.top;
    }
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    return rc;
}

void CMainFrame::RecalcLayout() {
    if (!hwnd_) return;
    if (rebar_ && IsWindowVisible(rebar_)) SendMessageA(rebar_, WM_SIZE, 0, 0);
    if (status_ && IsWindowVisible(status_)) {
        SendMessageA(status_, WM_SIZE, 0, 0);
        SetStatusParts();
    }
    if (view_ && view_->hwnd()) view_->MoveTo(ViewRect());
}

LRESULT CMainFrame::OnSize(WPARAM wp, LPARAM) {
    if (wp != SIZE_MINIMIZED) RecalcLayout();
    return 0;
}

// ---- commands

bool CMainFrame::RouteCommand(UINT id, UINT notifyCode, HWND control) {
    if (view_ && view_->OnCommand(id, notifyCode, control)) return true;
    if (OnCommand(id, notifyCode, control)) return true;
    return app_.OnCommand(id, notifyCode, control);
}

bool CMainFrame::RouteUpdate(fw::CommandUI& ui) {
    if (view_ && view_->OnUpdateCommand(ui)) return true;
    if (OnUpdateCommand(ui)) return true;
    return app_.OnUpdateCommand(ui);
}

bool CMainFrame::OnCommand(UINT id, UINT, HWND) { return fw::DispatchCommand(this, kCommands, id); }

bool CMainFrame::OnUpdateCommand(fw::CommandUI& ui) {
    if (fw::DispatchUpdate(this, kUpdates, ui)) return true;
    return fw::TableHas(kCommands, ui.id);
}

void CMainFrame::OnAppExit(UINT) { SaveAndClose(); }

LRESULT CMainFrame::OnClose(WPARAM, LPARAM) {
    SaveAndClose();
    return 0;
}

void CMainFrame::SaveAndClose() {
    // The exit can ask a question; a second close request meanwhile must not run it again.
    if (closing_) return;
    closing_ = true;
    if (!app_.SaveSettingsAtExit()) {
        closing_ = false;
        return;
    }
    DestroyWindow(hwnd_);
}

LRESULT CMainFrame::OnDestroy(WPARAM, LPARAM) {
    UnregisterHotKey(hwnd_, kBossHotKeyId);
    RemoveTrayIcon();
    KillTimer(hwnd_, TIMER_FRAME_CLOCK);
    KillTimer(hwnd_, TIMER_FRAME_READING_TIME);
    PostQuitMessage(0);
    return 0;
}

void CMainFrame::OnToggleToolBar(UINT) {
    bool visible = IsWindowVisible(rebar_) != FALSE;
    ShowWindow(rebar_, visible ? SW_HIDE : SW_SHOW);
    toolflag = visible ? 0 : 1;
    RecalcLayout();
}

void CMainFrame::OnToggleStatusBar(UINT) {
    bool visible = IsWindowVisible(status_) != FALSE;
    ShowWindow(status_, visible ? SW_HIDE : SW_SHOW);
    statusflag = visible ? 0 : 1;
    RecalcLayout();
}

void CMainFrame::OnUpdateToolBar(fw::CommandUI& ui) { ui.SetCheck(IsWindowVisible(rebar_) != FALSE); }

void CMainFrame::OnUpdateStatusBar(fw::CommandUI& ui) { ui.SetCheck(IsWindowVisible(status_) != FALSE); }

LRESULT CMainFrame::OnInitMenuPopup(WPARAM wp, LPARAM lp) {
    if (HIWORD(lp)) return 0;  // the system menu
    FrameChain chain(*this);
    fw::UpdateMenuItems(reinterpret_cast<HMENU>(wp), chain);
    return 0;
}

LRESULT CMainFrame::OnMenuSelect(WPARAM wp, LPARAM lp) {
    UINT id = LOWORD(wp), flags = HIWORD(wp);
    if (flags == 0xFFFF && lp == 0) {
        inMenu_ = false;
        SetPaneText(0, idlePrompt_);
        return 0;
    }
    inMenu_ = true;
    std::string prompt;
    if (!(flags & (MF_POPUP | MF_SEPARATOR))) {
        prompt = fw::LoadStringResource(id);
        size_t nl = prompt.find('\n');
        if (nl != std::string::npos) prompt.resize(nl);
    }
    SetPaneText(0, prompt);
    return 0;
}

LRESULT CMainFrame::OnExitMenuLoop(WPARAM, LPARAM) {
    inMenu_ = false;
    SetPaneText(0, clock_.readingTimeShown ? ReadingTimeText(clock_.readingSeconds) : idlePrompt_);
    return 0;
}

LRESULT CMainFrame::OnNotify(WPARAM, LPARAM lp) {
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    if (hdr->hwndFrom == toolbar_ && hdr->code == TBN_DROPDOWN) {
        ShowToolBarDropDown(*reinterpret_cast<NMTOOLBARA*>(lp));
        return TBDDRET_DEFAULT;
    }
    if (hdr->hwndFrom == toolbar_ && hdr->code == TBN_HOTITEMCHANGE) {
        ShowFlyByPrompt(*reinterpret_cast<NMTBHOTITEM*>(lp));
        return 0;
    }
    if (hdr->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lp);
        static std::string tip;
        tip = fw::LoadStringResource(static_cast<UINT>(hdr->idFrom));
        size_t nl = tip.find('\n');
        tip = nl == std::string::npos ? tip : tip.substr(nl + 1);
        if (tip.empty()) {
            // Buttons without a prompt string show their own text.
            for (const auto& b : kToolButtons)
                if (static_cast<UINT_PTR>(b.command) == hdr->idFrom) tip = b.text;
        }
        info->lpszText = tip.data();
        return 0;
    }
    if (hdr->code == RBN_HEIGHTCHANGE) RecalcLayout();
    return 0;
}

void CMainFrame::ShowFlyByPrompt(const NMTBHOTITEM& hot) {
    // The prompt of the button under the mouse stands in pane 0 (the text before the tip's line
    // break); leaving the tool bar brings back what was there.
    if (inMenu_) return;
    if (hot.dwFlags & HICF_LEAVING) {
        SetPaneText(0, clock_.readingTimeShown ? ReadingTimeText(clock_.readingSeconds) : idlePrompt_);
        flyByShown_ = false;
        return;
    }
    std::string prompt = fw::LoadStringResource(static_cast<UINT>(hot.idNew));
    prompt = prompt.substr(0, prompt.find('\n'));
    if (prompt.empty()) return;
    flyByShown_ = true;
    SetPaneText(0, prompt);
}

void CMainFrame::ShowToolBarDropDown(const NMTOOLBARA& nm) {
    if (nm.iItem != ID_PAGING_CYCLE) return;
    fw::UniqueMenu menu(LoadMenuA(Instance(), MAKEINTRESOURCEA(IDR_PAGING_DROPDOWN)));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu.get(), 0);
    RECT rc{};
    SendMessageA(toolbar_, TB_GETRECT, nm.iItem, reinterpret_cast<LPARAM>(&rc));
    MapWindowPoints(toolbar_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL, rc.left, rc.bottom, 0, hwnd_,
                   nullptr);
}

LRESULT CMainFrame::OnSetFocus(WPARAM, LPARAM) {
    if (view_) SetFocus(view_->Item(IDC_PAGE_CONTROL));
    return 0;
}

// ---- placement

void CMainFrame::FirstShowSetUp() {
    if (!placementApplied_) {
        placementApplied_ = true;
        ApplyRememberedPlacement();
        if (view_) view_->ApplyTextMargins();
    }
    KillTimer(hwnd_, TIMER_FRAME_FIRST_SHOW);
    if (!bossKeyRegistered_) ::MessageBoxA(hwnd_, "老板键冲突！请重设或取消！", app_.AppTitle(), MB_OK);
}

void CMainFrame::ApplyRememberedPlacement() {
    pel::WindowPlacement p = rememberedPlacement_;
    RECT normal{p.left, p.top, p.right, p.bottom};
    // A window that would lie off every screen (a monitor gone, a hand-edited file) comes back
    // at the default place.
    RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    RECT visible;
    if (!IntersectRect(&visible, &normal, &screen) || visible.right - visible.left < 50 ||
        visible.bottom - visible.top < 30) {
        p = pel::WindowPlacement{};
        normal = {p.left, p.top, p.right, p.bottom};
    }
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    wp.flags = static_cast<UINT>(p.flags);
    // A window remembered hidden or minimised would leave the reader with nothing to see.
    wp.showCmd = p.showCmd == SW_SHOWMAXIMIZED || p.showCmd == SW_MAXIMIZE ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    wp.ptMinPosition = {p.minX, p.minY};
    wp.ptMaxPosition = {p.maxX, p.maxY};
    wp.rcNormalPosition = normal;
    SetWindowPlacement(hwnd_, &wp);
}

void CMainFrame::FillExitSnapshot(pel::ExitSnapshot& s) const {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    // While full screen the placement worth keeping is the one before it.
    if (fullScreen_)
        wp = preFullScreenPlacement_;
    else
        GetWindowPlacement(hwnd_, &wp);
    pel::WindowPlacement& p = s.placement;
    p.length = static_cast<std::int32_t>(wp.length);
    p.flags = static_cast<std::int32_t>(wp.flags);
    p.showCmd = static_cast<std::int32_t>(wp.showCmd);
    p.minX = wp.ptMinPosition.x;
    p.minY = wp.ptMinPosition.y;
    p.maxX = wp.ptMaxPosition.x;
    p.maxY = wp.ptMaxPosition.y;
    p.left = wp.rcNormalPosition.left;
    p.top = wp.rcNormalPosition.top;
    p.right = wp.rcNormalPosition.right;
    p.bottom = wp.rcNormalPosition.bottom;
    s.toolFlag = toolflag;
    s.statusFlag = statusflag;
}

// ---- boss key and tray

bool CMainFrame::AddTrayIcon(bool orUpdate) {
    if (trayIconShown_) return true;
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd_;
    nid.uID = kTrayIconId;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kTrayMessage;
    nid.hIcon = LoadIconA(Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    std::string tip = "Pelin阅读器 V2.8\r\n正在阅读：" + app_.readingState.bookTitle;
    if (tip.size() > 62) tip = "Pelin阅读器 V2.8";
    lstrcpynA(nid.szTip, tip.c_str(), sizeof nid.szTip);
    trayIconShown_ = Shell_NotifyIconA(NIM_ADD, &nid) != FALSE;
    // A taskbar that announces itself may still know the icon: then it only takes it afresh.
    if (!trayIconShown_ && orUpdate) trayIconShown_ = Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
    return trayIconShown_;
}

void CMainFrame::RemoveTrayIcon() {
    if (!trayIconShown_) return;
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd_;
    nid.uID = kTrayIconId;
    Shell_NotifyIconA(NIM_DELETE, &nid);
    trayIconShown_ = false;
}

bool CMainFrame::HideToTray(bool byBossKey) {
    // Without its tray icon a hidden window could never be brought back.
    if (!AddTrayIcon()) return false;
    ShowWindow(hwnd_, SW_HIDE);
    if (view_) view_->CreditReadingTime();
    clock_.hidden = true;
    clock_.hiddenSince = static_cast<long long>(std::time(nullptr));
    if (byBossKey && view_) view_->RevealCursor();
    return true;
}

void CMainFrame::OnTaskbarCreated() {
    // The taskbar was restarted and has forgotten the icon of the hidden window: put it back, or show
    // the window when that fails.
    if (!trayIconShown_) return;
    trayIconShown_ = false;
    if (!AddTrayIcon(true) && !IsWindowVisible(hwnd_)) ShowFromTray();
}

void CMainFrame::ShowFromTray() {
    ShowWindow(hwnd_, SW_SHOW);
    if (view_) view_->ResumeReadingTime();
    RemoveTrayIcon();
    if (clock_.hidden) clock_.hiddenTotal += static_cast<long long>(std::time(nullptr)) - clock_.hiddenSince;
    clock_.hidden = false;
}

LRESULT CMainFrame::OnHotKey(WPARAM, LPARAM) {
    if (IsWindowVisible(hwnd_))
        HideToTray(true);
    else
        ShowFromTray();
    return 0;
}

LRESULT CMainFrame::OnSysCommand(WPARAM wp, LPARAM lp) {
    const UINT command = static_cast<UINT>(wp);
    if (command == SC_MINIMIZE || command == SC_CLOSE) {
        if (app_.TrayFlag == -1) {
            const int answer =
                ::MessageBoxA(hwnd_,
                              "首次使用，请选择托盘按钮：\n【是】：最小化按钮托盘；\n【否】：关闭按钮托盘；\n"
                              "【取消】：始终不托盘。",
                              "托盘按钮选择", MB_YESNOCANCEL | MB_ICONQUESTION);
            app_.TrayFlag = answer == IDYES ? 1 : answer == IDNO ? 2 : 0;
        }
        if ((command == SC_MINIMIZE && app_.TrayFlag == 1) || (command == SC_CLOSE && app_.TrayFlag == 2)) {
            // When the icon cannot be added the button does what it does without a tray.
            if (HideToTray(false)) return 0;
        }
    }
    return DefaultProc(WM_SYSCOMMAND, wp, lp);
}

LRESULT CMainFrame::OnTrayNotify(WPARAM, LPARAM lp) {
    if (lp == WM_LBUTTONUP) {
        ShowFromTray();
    } else if (lp == WM_RBUTTONUP) {
        fw::UniqueMenu menu(CreatePopupMenu());
        AppendMenuA(menu.get(), MF_STRING, ID_APP_ABOUT, "关于V2.8");
        AppendMenuA(menu.get(), MF_STRING, ID_FILE_RECORDS, "阅读记录");
        AppendMenuA(menu.get(), MF_STRING, ID_APP_EXIT, "退出");
        POINT pt;
        GetCursorPos(&pt);
        SetForegroundWindow(hwnd_);
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
        PostMessageA(hwnd_, WM_NULL, 0, 0);
    }
    return 0;
}

void CMainFrame::OnBossKey(UINT) {
    CBossKeyDlg dlg(app_.KeyA, app_.KeyV);
    if (dlg.DoModal(hwnd_) != IDOK) return;
    UnregisterHotKey(hwnd_, kBossHotKeyId);
    if (RegisterHotKey(hwnd_, kBossHotKeyId, static_cast<UINT>(dlg.modifiers),
                       static_cast<UINT>(dlg.virtualKey))) {
        app_.KeyA = dlg.modifiers;
        app_.KeyV = dlg.virtualKey;
        bossKeyRegistered_ = true;
    } else {
        bossKeyRegistered_ = false;
        ::MessageBoxA(hwnd_, "老板键冲突！请重设或取消！", app_.AppTitle(), MB_OK);
    }
}

// ---- full screen

bool CMainFrame::PreTranslate(MSG& msg) {
    // The view filters its keys first; Escape then leaves full screen before normal processing.
    if (view_ && view_->PreTranslateMessage(msg)) return true;
    if (fullScreen_ && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) ToggleFullScreen();
    return false;
}

void CMainFrame::OnFullScreen(UINT) { ToggleFullScreen(); }

void CMainFrame::ToggleFullScreen() {
    fullScreen_ = !fullScreen_;
    if (fullScreen_) {
        preFullScreenPlacement_.length = sizeof preFullScreenPlacement_;
        GetWindowPlacement(hwnd_, &preFullScreenPlacement_);
        RECT w;
        GetWindowRect(hwnd_, &w);
        RECT c = ViewRect();
        MapWindowPoints(hwnd_, HWND_DESKTOP, reinterpret_cast<POINT*>(&c), 2);
        int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
        fullScreenRect_ = {w.left - c.left - 2, w.top - c.top - 2, sw + (w.right - c.right) + 20,
                           sh + (w.bottom - c.bottom) + 2};
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        wp.flags = 0;
        wp.showCmd = SW_SHOWNORMAL;
        wp.rcNormalPosition = fullScreenRect_;
        SetWindowPlacement(hwnd_, &wp);
    } else {
        ShowWindow(hwnd_, SW_HIDE);
        SetWindowPlacement(hwnd_, &preFullScreenPlacement_);
    }
    if (view_) view_->OnFullScreenToggled();
}

LRESULT CMainFrame::OnGetMinMaxInfo(WPARAM, LPARAM lp) {
    if (fullScreen_) {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
        POINT size{fullScreenRect_.right - fullScreenRect_.left,
                   fullScreenRect_.bottom - fullScreenRect_.top};
        mmi->ptMaxSize = size;
        mmi->ptMaxTrackSize = size;
        return 0;
    }
    return DefaultProc(WM_GETMINMAXINFO, 0, lp);
}

// ---- timers and idle

LRESULT CMainFrame::OnTimer(WPARAM wp, LPARAM) {
    UINT id = static_cast<UINT>(wp);
    if (id == TIMER_FRAME_FIRST_SHOW) {
        FirstShowSetUp();
        return 0;
    }
    if (id == TIMER_FRAME_READING_TIME) clock_.readingTimeShown = true;
    UpdateClock();
    return 0;
}

void CMainFrame::UpdateClock() {
    const std::time_t t = std::time(nullptr);
    const long long now = static_cast<long long>(t);
    std::tm local{};
    localtime_s(&local, &t);
    const ClockFace face{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min,         local.tm_sec,     local.tm_wday};
    const std::string text = ClockPaneText(face);
    if (status_) {
        fw::WindowDC dc(hwnd_);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(status_, WM_GETFONT, 0, 0));
        fw::SelectObjectScope sel(dc.get(),
                                  font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        SIZE sz{};
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &sz);
        if (sz.cx + 12 != clockPaneWidth_) {
            clockPaneWidth_ = sz.cx + 12;
            SetStatusParts();
        }
        SetPaneText(1, text);
    }
    if (clock_.readingTimeShown && !clock_.hidden) {
        clock_.readingSeconds = clock_.SecondsRead(now);
        if (!inMenu_ && !flyByShown_) SetPaneText(0, ReadingTimeText(clock_.readingSeconds));
    }
    int minutes = 0;
    if (!clock_.ReminderDue(now, app_.TimeSpanTip, minutes)) return;
    if (view_) view_->RevealCursor();
    if (clock_.hidden) return;
    ShowReminder(ReminderText(minutes));
}

void CMainFrame::ShowReminder(const std::string& text) {
    if (clock_.reminderBoxState == 0) {
        clock_.reminderBoxState = 1;
        ::MessageBoxA(hwnd_, text.c_str(), "温馨提示！", MB_OK | MB_ICONEXCLAMATION);
        // The away message may have replaced this box meanwhile; it resets the state itself.
        if (clock_.reminderBoxState == 1) clock_.reminderBoxState = 0;
        return;
    }
    if (clock_.reminderBoxState != 1) return;
    // The previous reminder is still open: the reader is away.
    clock_.reminderBoxState = 2;
    HWND open = FindWindowA("#32770", "温馨提示！");
    if (!open) {
        clock_.reminderBoxState = 0;
        return;
    }
    PostMessageA(open, WM_CLOSE, 0, 0);
    const std::string away = text + "\r嗯？主人已离开...";
    ::MessageBoxA(hwnd_, away.c_str(), "新消息！", MB_OK | MB_ICONEXCLAMATION);
    clock_.reminderBoxState = 0;
    ::MessageBoxA(hwnd_, "嗨！欢迎主人回来，请继续阅读...", "新消息！", MB_OK | MB_ICONEXCLAMATION);
}

void CMainFrame::OnIdle() {
    if (!view_) return;
    if (toolbar_) {
        for (const auto& b : kToolButtons) {
            fw::CommandUI ui;
            ui.id = static_cast<UINT>(b.command);
            bool known = RouteUpdate(ui);
            bool enabled = known && ui.enabled;
            if ((SendMessageA(toolbar_, TB_ISBUTTONENABLED, b.command, 0) != 0) != enabled)
                SendMessageA(toolbar_, TB_ENABLEBUTTON, b.command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
            // The edit-mode button shows pressed while edit mode is on.
            const bool pressed = known && ui.check == 1;
            if (b.command == ID_EDIT_MODE &&
                (SendMessageA(toolbar_, TB_ISBUTTONCHECKED, b.command, 0) != 0) != pressed)
                SendMessageA(toolbar_, TB_CHECKBUTTON, b.command, MAKELPARAM(pressed ? TRUE : FALSE, 0));
        }
    }
    if (status_ && IsWindowVisible(status_)) {
        for (int pane = 2; pane <= 3; ++pane) {
            fw::CommandUI ui;
            ui.id = pane == 2 ? ID_PANE_SIZE : ID_PANE_PROGRESS;
            if (RouteUpdate(ui) && ui.hasText) SetPaneText(pane, ui.text);
        }
    }
}

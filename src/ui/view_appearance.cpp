// The look of the page, the quote line, auto-scroll and the advanced settings.
#include <windows.h>

#include "app/pelinreader_app.h"
#include "resource.h"
#include "ui/pelinreader_view.h"
#include "ui/settings_dialog.h"

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
    if (dlg.DoModal(app_.MainWindow()) != IDOK) {
        // An OK refused for want of a tray button has already stored the quote, auto-scroll and tray
        // values it read; Cancel keeps them (they are written at exit), without applying anything.
        app_.Quote = s.quote;
        app_.Roll.timeSpan = s.autoScroll.timeSpan;
        app_.Roll.rollType = s.autoScroll.rollType;
        app_.TrayFlag = s.trayFlag;
        return;
    }
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

void CPelinreaderView::SetQuoteText(const std::string& text) {
    SetDlgItemTextA(hwnd_, IDC_QUOTE_LINE, text.c_str());
}

void CPelinreaderView::MoveQuote(const pel::QuoteRect& where, bool repaint) {
    quoteHeight_ = where.height;
    MoveWindow(Item(IDC_QUOTE_LINE), where.x, where.y, where.width, where.height, repaint ? TRUE : FALSE);
}

void CPelinreaderView::RelayoutView() {
    bottomBarHidden = quote_.BottomBarHidden();
    RelayoutControls();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void CPelinreaderView::OnAppearance(UINT id) {
    HWND owner = app_.MainWindow();
    bool measureAgain = false;
    switch (id) {
        case ID_FONT:
            measureAgain = look_.PickFont(owner);
            break;
        case ID_TEXT_COLOR:
            look_.ChooseTextColor(owner);
            break;
        case ID_BK_DEFAULT:
            look_.DefaultBackground();
            break;
        case ID_BK_OTHER:
            look_.ChooseBackground(owner);
            break;
        case ID_BK_PICTURE:
            look_.ChoosePicture(owner);
            break;
        case ID_SPACING_DEFAULT:
            look_.SetSpacing(100), measureAgain = true;
            break;
        case ID_SPACING_15:
            look_.SetSpacing(150), measureAgain = true;
            break;
        case ID_SPACING_20:
            look_.SetSpacing(200), measureAgain = true;
            break;
        case ID_SPACING_25:
            look_.SetSpacing(250), measureAgain = true;
            break;
        case ID_SPACING_30:
            look_.SetSpacing(300), measureAgain = true;
            break;
        case ID_SIZE_SMALL:
            look_.SetSize(280), measureAgain = true;
            break;
        case ID_SIZE_MEDIUM:
            look_.SetSize(320), measureAgain = true;
            break;
        case ID_SIZE_LARGE:
            look_.SetSize(360), measureAgain = true;
            break;
        case ID_FONT_SMALLER:
            look_.Smaller(), measureAgain = true;
            break;
        case ID_FONT_LARGER:
            look_.Larger(), measureAgain = true;
            break;
        case ID_SPACING_SMALLER:
            look_.LessSpacing(), measureAgain = true;
            break;
        case ID_SPACING_LARGER:
            look_.MoreSpacing(), measureAgain = true;
            break;
        case ID_NIGHT_MODE:
            look_.ToggleNight();
            break;
        default:
            return;
    }
    if (measureAgain) reader_.SetScreenStep(-1);
    reader_.SyncTitle();
}

void CPelinreaderView::OnUpdateNight(fw::CommandUI& ui) { ui.SetCheck(look_.night); }

void CPelinreaderView::OnAutoScroll(UINT id) { scroller_.OnCommand(static_cast<int>(id)); }

void CPelinreaderView::OnUpdateAutoScroll(fw::CommandUI& ui) { ui.SetCheck(scroller_.IsOn()); }

// Paging modes, page turning, the jump dialog, chapter rules, the table of contents and the
// mouse cursor that hides while the reader reads.
#include <windows.h>

#include <cstdlib>

#include "app/pelinreader_app.h"
#include "book/chapters.h"
#include "book/contents.h"
#include "resource.h"
#include "ui/custom_rule_dialog.h"
#include "ui/jump_dialog.h"
#include "ui/pelinreader_view.h"
#include "ui/toc_dialog.h"

void CPelinreaderView::OnPagingMode(UINT id) {
    int mode = id == ID_PAGING_LINES      ? pel::kPagingLines
               : id == ID_PAGING_CHAPTERS ? pel::kPagingChapters
                                          : pel::kPagingWhole;
    // Each of these reads or pages the book anew and so fills the page again: an edited page is offered
    // for saving first, and a save that failed stops the command.
    if (!OfferToSave(pel::SavePlace::kReload)) return;
    reader_.SwitchPagingMode(mode);
}

void CPelinreaderView::OnPagingCycle(UINT) {
    if (!OfferToSave(pel::SavePlace::kReload)) return;
    reader_.CyclePagingMode();
}

void CPelinreaderView::OnDeleteBlankLines(UINT) {
    if (!OfferToSave(pel::SavePlace::kReload)) return;
    reader_.ToggleDeleteBlankLines();
    app_.delblank = reader_.deleteBlankLines;
}

void CPelinreaderView::OnForceUtf8(UINT) {
    if (!OfferToSave(pel::SavePlace::kReload)) return;
    reader_.ForceUtf8Reload();
}

void CPelinreaderView::OnUpdatePagingMode(fw::CommandUI& ui) {
    int mode = ui.id == ID_PAGING_LINES ? 0 : ui.id == ID_PAGING_CHAPTERS ? 1 : 2;
    ui.SetCheck(reader_.pagingMode == mode);
}

void CPelinreaderView::OnUpdateSizePane(fw::CommandUI& ui) { ui.SetText(reader_.SizePaneText()); }

void CPelinreaderView::OnUpdateProgressPane(fw::CommandUI& ui) { ui.SetText(reader_.ProgressPaneText()); }

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

void CPelinreaderView::OnChapterRule(UINT id) {
    if (!OfferToSave(pel::SavePlace::kReload)) return;
    reader_.SelectChapterRule(pel::ChapterRuleOfCommand(static_cast<int>(id)));
}

void CPelinreaderView::OnUpdateChapterRule(fw::CommandUI& ui) {
    ui.SetCheck(reader_.chapterRule == pel::ChapterRuleOfCommand(static_cast<int>(ui.id)));
}

void CPelinreaderView::OnCustomRule(UINT) {
    app_.RuleDiy[0] = reader_.customRuleText;
    CCustomRuleDlg dlg(app_.RuleDiy);
    if (dlg.DoModal(app_.MainWindow()) != IDOK) return;
    if (!OfferToSave(pel::SavePlace::kReload)) return;
    reader_.ApplyCustomRule(app_.RuleDiy[0]);
}

void CPelinreaderView::OnContents(UINT) {
    if (!pel::CanShowContents(reader_.pagingMode)) {
        MessageBox(pel::kContentsNeedChapterMode, "", MB_OK);
        return;
    }
    const int shown = app_.readingState.currentPage;
    CTocDlg dlg(app_.readingState);
    dlg.DoModal(app_.MainWindow());
    if (app_.readingState.currentPage != reader_.CurrentPage() && !OfferToSave(pel::SavePlace::kReload)) {
        app_.readingState.currentPage = shown;
        return;
    }
    reader_.ReturnFromContents(app_.readingState.currentPage);
}

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

#include "ui/toc_dialog.h"

#include <commctrl.h>

#include "book/contents.h"
#include "resource.h"

CTocDlg::CTocDlg(pel::ReadingState& state) : fw::Dialog(IDD_CONTENTS), state_(state) {}

BOOL CTocDlg::OnInitDialog() {
    HWND list = Item(IDC_TOC_LIST);
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = LVCFMT_LEFT;
        col.cx = pel::kContentsColumns[i].width;
        col.pszText = const_cast<char*>(pel::kContentsColumns[i].heading);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    }
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const std::vector<pel::ContentsRow> rows = pel::ContentsRows(state_);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, rows.size(), 0);
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(rows[i].number.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(rows[i].title.c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 2;
        item.pszText = const_cast<char*>(rows[i].progress.c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    const int hot = pel::ContentsHotRow(state_);
    if (hot >= 0 && hot < static_cast<int>(rows.size())) {
        SendMessageA(list, LVM_ENSUREVISIBLE, hot, FALSE);
        SendMessageA(list, LVM_SETHOTITEM, hot, 0);
    }
    return TRUE;
}

int CTocDlg::FirstSelectedRow() const {
    return static_cast<int>(
        SendMessageA(Item(IDC_TOC_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CTocDlg::OnClick() {
    selectedRow_ = FirstSelectedRow();
    const std::string preview = pel::ChapterPreview(state_, selectedRow_);
    SetDlgItemTextA(hwnd_, IDC_TOC_PREVIEW, preview.c_str());
}

void CTocDlg::OnDoubleClick() {
    selectedRow_ = FirstSelectedRow();
    state_.currentPage = pel::ContentsPageOfRow(selectedRow_);
    EndDialog(IDOK);
}

bool CTocDlg::DialogProc(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) {
    if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->idFrom == IDC_TOC_LIST && (hdr->code == NM_CLICK || hdr->code == NM_DBLCLK)) {
            if (hdr->code == NM_CLICK)
                OnClick();
            else
                OnDoubleClick();
            result = 1;
            return true;
        }
    }
    return fw::Dialog::DialogProc(message, wp, lp, result);
}

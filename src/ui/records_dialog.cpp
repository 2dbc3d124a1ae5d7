#include "ui/records_dialog.h"

#include <commctrl.h>

#include <vector>

#include "resource.h"

namespace {

struct Column {
    const char* heading;
    int width;
};
constexpr Column kColumns[pel::kRecordColumns] = {
    {"No.", 40},           {"小说名称", 170},     {"阅读时间总计", 130}, {"进度[%]", 70},
    {"上次阅读时间", 130}, {"首次阅读时间", 130}, {"已阅读字符", 90},    {"路径", 300}};

}  // namespace

CRecordsDlg::CRecordsDlg(pel::IProfile& profile, const std::string& iniPath, const std::string& programDir)
    : fw::Dialog(IDD_READING_RECORDS), config_(profile, iniPath), programDir_(programDir) {}

int CRecordsDlg::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return ::MessageBoxA(hwnd_, text.c_str(), caption.empty() ? "Pelinreader" : caption.c_str(), flags);
}

BOOL CRecordsDlg::OnInitDialog() {
    for (auto [button, id] :
         {std::pair{&open_, IDOK}, std::pair{&folder_, IDC_RECORD_OPEN_FOLDER},
          std::pair{&delete_, IDC_RECORD_DELETE}, std::pair{&deleteAll_, IDC_RECORD_DELETE_ALL}})
        button->AttachWithProgramSkin(Item(id));

    HWND list = Item(IDC_RECORD_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int i = 0; i < pel::kRecordColumns; ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = LVCFMT_LEFT;
        col.cx = kColumns[i].width;
        col.pszText = const_cast<char*>(kColumns[i].heading);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    }
    FillRows(-1);
    return TRUE;
}

void CRecordsDlg::FillRows(int highlight) {
    config_.LoadReadingRecords();
    HWND list = Item(IDC_RECORD_LIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    const std::vector<pel::RecordRow> rows = pel::RecordRows(config_);
    for (size_t r = 0; r < rows.size(); ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<char*>(rows[r][0].c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < pel::kRecordColumns; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<char*>(rows[r][c].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
        }
    }
    if (highlight >= 0 && highlight < static_cast<int>(rows.size())) {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, highlight, reinterpret_cast<LPARAM>(&state));
        SendMessageA(list, LVM_ENSUREVISIBLE, highlight, FALSE);
    }
}

int CRecordsDlg::SelectedRow() const {
    return static_cast<int>(
        SendMessageA(Item(IDC_RECORD_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CRecordsDlg::OnOK() {
    if (pel::ChooseRecord(config_, SelectedRow(), *this, choice)) EndDialog(IDOK);
}

bool CRecordsDlg::OnCommand(UINT id, UINT notifyCode, HWND) {
    if (notifyCode != BN_CLICKED) return false;
    switch (id) {
        case IDC_RECORD_OPEN_FOLDER: {
            const std::string command =
                pel::ContainingFolderCommand(config_, SelectedRow(), programDir_, *this);
            if (!command.empty()) {
                STARTUPINFOA si{};
                si.cb = sizeof si;
                si.dwFlags = STARTF_USESHOWWINDOW;
                si.wShowWindow = SW_SHOWMAXIMIZED;
                PROCESS_INFORMATION pi{};
                std::vector<char> line(command.begin(), command.end());
                line.push_back('\0');
                if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                                   &pi)) {
                    CloseHandle(pi.hThread);
                    CloseHandle(pi.hProcess);
                }
            }
            return true;
        }
        case IDC_RECORD_DELETE: {
            const int row = pel::DeleteSelectedRecord(config_, SelectedRow(), *this);
            if (row >= 0) FillRows(row);
            return true;
        }
        case IDC_RECORD_DELETE_ALL:
            if (pel::DeleteAllRecords(config_, *this)) FillRows(-1);
            return true;
        default:
            return false;
    }
}

bool CRecordsDlg::DialogProc(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) {
    if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->idFrom == IDC_RECORD_LIST && hdr->code == NM_DBLCLK) {
            OnOK();
            result = 0;
            return true;
        }
    }
    return fw::Dialog::DialogProc(message, wp, lp, result);
}

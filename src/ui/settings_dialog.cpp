#include "ui/settings_dialog.h"

#include <commdlg.h>

#include <tuple>

#include "resource.h"

namespace {
struct TextField {
    int id;
    std::string pel::AdvancedDialogData::*field;
};
const TextField kTextFields[] = {
    {IDC_QUOTE_FILE, &pel::AdvancedDialogData::quotePathShown},
    {IDC_TIME_SPAN, &pel::AdvancedDialogData::timeSpan},
    {IDC_TIME_END, &pel::AdvancedDialogData::timeEnd},
    {IDC_TIME_FIRST, &pel::AdvancedDialogData::timeFirst},
    {IDC_REMINDER_SPAN, &pel::AdvancedDialogData::timeSpanTip},
    {IDC_MARGIN_LEFT, &pel::AdvancedDialogData::marginLeft},
    {IDC_MARGIN_RIGHT, &pel::AdvancedDialogData::marginRight},
    {IDC_MARGIN_TOP, &pel::AdvancedDialogData::marginTop},
    {IDC_MARGIN_BOTTOM, &pel::AdvancedDialogData::marginBottom},
    {IDC_CUSTOM_TITLE, &pel::AdvancedDialogData::diyName},
};
const int kQuoteRadios[3] = {IDC_QUOTE_DEFAULT, IDC_QUOTE_CUSTOM, IDC_QUOTE_OFF};
}  // namespace

CSettingsDlg::CSettingsDlg(pel::AdvancedSettings& settings)
    : fw::Dialog(IDD_ADVANCED_SETTINGS), settings_(settings) {}

BOOL CSettingsDlg::OnInitDialog() {
    for (auto [button, id] :
         {std::pair{&ok_, IDOK}, std::pair{&cancel_, IDCANCEL}, std::pair{&browse_, IDC_QUOTE_BROWSE}})
        button->AttachWithProgramSkin(Item(id));

    for (const char* item : pel::kRollTypeItems)
        SendMessageA(Item(IDC_ROLL_TYPE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    for (const char* item : pel::kTrayButtonItems)
        SendMessageA(Item(IDC_TRAY_BUTTON), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    data_ = pel::OpenAdvancedDialog(settings_);
    Show();
    return TRUE;
}

void CSettingsDlg::Show() {
    for (int i = 0; i < 3; ++i)
        CheckDlgButton(hwnd_, kQuoteRadios[i], data_.quoteRadio == i ? BST_CHECKED : BST_UNCHECKED);
    for (const TextField& f : kTextFields) SetDlgItemTextA(hwnd_, f.id, (data_.*f.field).c_str());
    CheckDlgButton(hwnd_, IDC_QUOTE_LOOP, data_.loop ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_QUOTE_SCROLL, data_.scroll ? BST_CHECKED : BST_UNCHECKED);
    for (int id : {IDC_QUOTE_BROWSE, IDC_QUOTE_LOOP, IDC_QUOTE_FILE_LABEL, IDC_QUOTE_FILE, IDC_QUOTE_SCROLL})
        EnableWindow(Item(id), data_.customControlsEnabled);
    // A text typed into a list's field selects no item; it stays in the field.
    for (auto [id, index, typed] : {std::tuple{IDC_ROLL_TYPE, data_.rollType, &rollTypeText_},
                                    std::tuple{IDC_TRAY_BUTTON, data_.trayFlag, &trayButtonText_}}) {
        SendMessageA(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        if (index < 0) SetWindowTextA(Item(id), typed->c_str());
    }
}

void CSettingsDlg::ReadControls() {
    for (const TextField& f : kTextFields) {
        if (f.id == IDC_QUOTE_FILE) continue;  // shows the name only; the dialog keeps the full path
        data_.*f.field = fw::GetWindowTextString(Item(f.id));
    }
    data_.loop = IsDlgButtonChecked(hwnd_, IDC_QUOTE_LOOP) == BST_CHECKED;
    data_.scroll = IsDlgButtonChecked(hwnd_, IDC_QUOTE_SCROLL) == BST_CHECKED;
    data_.rollType = static_cast<int>(SendMessageA(Item(IDC_ROLL_TYPE), CB_GETCURSEL, 0, 0));
    data_.trayFlag = static_cast<int>(SendMessageA(Item(IDC_TRAY_BUTTON), CB_GETCURSEL, 0, 0));
    rollTypeText_ = fw::GetWindowTextString(Item(IDC_ROLL_TYPE));
    trayButtonText_ = fw::GetWindowTextString(Item(IDC_TRAY_BUTTON));
}

bool CSettingsDlg::OnCommand(UINT id, UINT notifyCode, HWND) {
    for (int i = 0; i < 3; ++i) {
        if (id == static_cast<UINT>(kQuoteRadios[i]) && notifyCode == BN_CLICKED) {
            ReadControls();
            pel::ClickQuoteRadio(data_, i);
            Show();
            return true;
        }
    }
    if (id == IDC_ROLL_TYPE && notifyCode == CBN_SELCHANGE) {
        ReadControls();
        pel::ChooseRollType(data_, static_cast<int>(SendMessageA(Item(IDC_ROLL_TYPE), CB_GETCURSEL, 0, 0)));
        Show();
        return true;
    }
    if (id == IDC_QUOTE_BROWSE && notifyCode == BN_CLICKED) {
        char file[MAX_PATH * 4] = "";
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = hwnd_;
        ofn.lpstrFilter = pel::kQuoteFileFilter;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrTitle = pel::kQuoteFileDialogTitle;
        ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
        if (GetOpenFileNameA(&ofn)) {
            ReadControls();
            pel::ChooseQuoteFile(data_, file);
            Show();
        }
        return true;
    }
    return false;
}

void CSettingsDlg::OnOK() {
    ReadControls();
    if (!pel::AcceptAdvancedDialog(data_, settings_)) {
        MessageBoxA(hwnd_, pel::kChooseTrayButton, "Pelinreader", MB_OK);
        return;
    }
    EndDialog(IDOK);
}

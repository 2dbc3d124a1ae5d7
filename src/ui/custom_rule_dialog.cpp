#include "ui/custom_rule_dialog.h"

#include "resource.h"

CCustomRuleDlg::CCustomRuleDlg(pel::RuleSlots& slots) : fw::Dialog(IDD_CUSTOM_RULE), slots_(slots) {}

BOOL CCustomRuleDlg::OnInitDialog() {
    for (auto [button, id] : {std::pair{&ok_, IDOK}, std::pair{&cancel_, IDCANCEL},
                              std::pair{&add_, IDC_RULE_ADD}, std::pair{&delete_, IDC_RULE_DELETE}})
        button->AttachWithProgramSkin(Item(id));

    SetDlgItemTextA(hwnd_, IDC_RULE_HELP, pel::kRuleHelpText);
    state_ = pel::OpenRuleDialog(slots_);
    FillList();
    SetDlgItemTextA(hwnd_, IDC_RULE_COMBO, state_.editText.c_str());
    return TRUE;
}

void CCustomRuleDlg::FillList() {
    HWND combo = Item(IDC_RULE_COMBO);
    // Refilling the list must not lose what the reader typed.
    const std::string typed = fw::GetWindowTextString(combo);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& rule : state_.list)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rule.c_str()));
    SetWindowTextA(combo, typed.c_str());
}

void CCustomRuleDlg::ReadEditField() { state_.editText = fw::GetWindowTextString(Item(IDC_RULE_COMBO)); }

void CCustomRuleDlg::ShowMessages(const std::vector<std::string>& messages) {
    for (const std::string& m : messages) MessageBoxA(hwnd_, m.c_str(), "Pelinreader", MB_OK);
}

bool CCustomRuleDlg::OnCommand(UINT id, UINT notifyCode, HWND) {
    if (notifyCode != BN_CLICKED) return false;
    if (id == IDC_RULE_ADD) {
        ReadEditField();
        pel::RuleDialogResult r = pel::AddRule(state_);
        ShowMessages(r.messages);
        if (r.done) FillList();
        return true;
    }
    if (id == IDC_RULE_DELETE) {
        const int selected = static_cast<int>(SendMessageA(Item(IDC_RULE_COMBO), CB_GETCURSEL, 0, 0));
        pel::RuleDialogResult r = pel::DeleteRule(state_, selected);
        ShowMessages(r.messages);
        if (r.done) FillList();
        return true;
    }
    return false;
}

void CCustomRuleDlg::OnOK() {
    ReadEditField();
    pel::RuleDialogResult r = pel::ApplyRule(state_, slots_);
    ShowMessages(r.messages);
    if (r.done) EndDialog(IDOK);
}

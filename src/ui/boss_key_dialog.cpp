#include "ui/boss_key_dialog.h"

#include <commctrl.h>

#include "resource.h"

CBossKeyDlg::CBossKeyDlg(int mods, int key) : fw::Dialog(IDD_BOSS_KEY), modifiers(mods), virtualKey(key) {}

void CBossKeyDlg::Show(int mods, int key) {
    SendMessageA(Item(IDC_BOSS_HOTKEY), HKM_SETHOTKEY, MAKEWORD(key & 0xFF, 0), 0);
    CheckDlgButton(hwnd_, IDC_BOSS_ALT, (mods & MOD_ALT) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_BOSS_CTRL, (mods & MOD_CONTROL) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_BOSS_SHIFT, (mods & MOD_SHIFT) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_BOSS_WIN, (mods & MOD_WIN) ? BST_CHECKED : BST_UNCHECKED);
}

BOOL CBossKeyDlg::OnInitDialog() {
    for (auto [button, id] :
         {std::pair{&ok_, IDOK}, std::pair{&cancel_, IDCANCEL}, std::pair{&default_, IDC_BOSS_DEFAULT}})
        button->AttachWithProgramSkin(Item(id));

    Show(modifiers, virtualKey);
    return TRUE;
}

bool CBossKeyDlg::OnCommand(UINT id, UINT notifyCode, HWND) {
    if (id == IDC_BOSS_DEFAULT && notifyCode == BN_CLICKED) {
        Show(MOD_ALT, VK_SPACE);
        return true;
    }
    return false;
}

void CBossKeyDlg::OnOK() {
    const LRESULT hot = SendMessageA(Item(IDC_BOSS_HOTKEY), HKM_GETHOTKEY, 0, 0);
    // Modifiers are chosen with the check boxes; those typed into the key field mean other bits.
    int mods = 0;
    if (IsDlgButtonChecked(hwnd_, IDC_BOSS_CTRL) == BST_CHECKED) mods |= MOD_CONTROL;
    if (IsDlgButtonChecked(hwnd_, IDC_BOSS_ALT) == BST_CHECKED) mods |= MOD_ALT;
    if (IsDlgButtonChecked(hwnd_, IDC_BOSS_SHIFT) == BST_CHECKED) mods |= MOD_SHIFT;
    if (IsDlgButtonChecked(hwnd_, IDC_BOSS_WIN) == BST_CHECKED) mods |= MOD_WIN;
    modifiers = mods;
    virtualKey = LOBYTE(LOWORD(hot));
    EndDialog(IDOK);
}

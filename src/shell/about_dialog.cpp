#include "shell/about_dialog.h"

#include "resource.h"
#include "shell/help.h"

CAboutBox::CAboutBox() : fw::Dialog(IDD_ABOUTBOX) {}

CUrlLabel& CAboutBox::Label(int id) {
    if (id == IDC_ABOUT_MAIL) return mail_;
    if (id == IDC_ABOUT_HOME) return home_;
    return slogan_;
}

BOOL CAboutBox::OnInitDialog() {
    // Each label takes its address from its template text here; the slogan keeps the one of 2009
    // although its text changes below.
    slogan_.Attach(Item(IDC_ABOUT_SLOGAN));
    mail_.Attach(Item(IDC_ABOUT_MAIL));
    home_.Attach(Item(IDC_ABOUT_HOME));
    ExchangeText(hwnd_, IDC_ABOUT_NOTES, notes, false);

    mail_.SetURL(std::string("mailto:") + kMakerMail);
    mail_.SetUnderline(false);
    home_.SetURL(kMakerHomePage);
    home_.SetUnderline(false);

    SetDlgItemTextA(hwnd_, IDC_ABOUT_MAIL, kAboutMailLine);
    SetDlgItemTextA(hwnd_, IDC_ABOUT_HOME, kMakerHomePage);
    SetDlgItemTextA(hwnd_, IDC_ABOUT_AUTHOR, kAboutAuthorLine);
    SetDlgItemTextA(hwnd_, IDC_ABOUT_SLOGAN, kAboutSlogan);

    notes = AboutUsageNotes();
    ExchangeText(hwnd_, IDC_ABOUT_NOTES, notes, false);
    // The notes get the focus with the caret at their start, so that they are read from the top
    // rather than shown scrolled to their end and all selected.
    HWND notesBox = Item(IDC_ABOUT_NOTES);
    SetFocus(notesBox);
    SendMessageA(notesBox, EM_SETSEL, 0, 0);
    return FALSE;
}

CUrlLabel* CAboutBox::LabelOf(HWND control) {
    if (!control) return nullptr;
    for (CUrlLabel* label : {&slogan_, &mail_, &home_})
        if (label->hwnd() == control) return label;
    return nullptr;
}

bool CAboutBox::DialogProc(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) {
    if (message == WM_CTLCOLORSTATIC) {
        if (CUrlLabel* label = LabelOf(reinterpret_cast<HWND>(lp))) {
            result = reinterpret_cast<INT_PTR>(label->OnCtlColor(reinterpret_cast<HDC>(wp)));
            return true;
        }
        return false;
    }
    return fw::Dialog::DialogProc(message, wp, lp, result);
}

bool CAboutBox::OnCommand(UINT, UINT notifyCode, HWND control) {
    if (notifyCode != STN_CLICKED) return false;
    CUrlLabel* label = LabelOf(control);
    if (!label) return false;
    label->OnClicked();
    return true;
}

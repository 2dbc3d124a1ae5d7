// "小说阅读时间记录": every book read, with its reading time and progress; opens a book where it
// was left, shows it in the file manager, deletes records.
#pragma once
#include "framework/window.h"
#include "state/config_file.h"
#include "state/reading_records.h"
#include "ui/skin_button.h"

class CRecordsDlg : public fw::Dialog, public pel::IMessageHost {
public:
    CRecordsDlg(pel::IProfile& profile, const std::string& iniPath, const std::string& programDir);

    // Set when the dialog closed with "打开".
    pel::RecordChoice choice;

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool DialogProc(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) override;
    void OnOK() override;

private:
    void FillRows(int highlight);
    int SelectedRow() const;

    pel::CConfigFile config_;
    std::string programDir_;
    SkinButton open_, folder_, delete_, deleteAll_;
};

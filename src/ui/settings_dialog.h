// "高级设置": quote line, auto-scroll, reminder, tray button, text margins and the window title.
#pragma once
#include "framework/window.h"
#include "state/advanced_settings.h"
#include "ui/skin_button.h"

class CSettingsDlg : public fw::Dialog {
public:
    explicit CSettingsDlg(pel::AdvancedSettings& settings);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    void OnOK() override;

private:
    void Show();
    void ReadControls();

    pel::AdvancedSettings& settings_;
    pel::AdvancedDialogData data_;
    SkinButton ok_, cancel_, browse_;
    // The texts of the two lists' fields, kept over a new showing of the controls.
    std::string rollTypeText_, trayButtonText_;
};

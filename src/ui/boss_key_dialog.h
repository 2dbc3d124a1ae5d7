// "老板键设置": the modifiers and key of the boss key.
#pragma once
#include "framework/window.h"
#include "ui/skin_button.h"

class CBossKeyDlg : public fw::Dialog {
public:
    CBossKeyDlg(int modifiers, int virtualKey);
    int modifiers;  // Alt 1, Ctrl 2, Shift 4, Win 8
    int virtualKey;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    void OnOK() override;

private:
    void Show(int mods, int key);
    SkinButton ok_, cancel_, default_;
};

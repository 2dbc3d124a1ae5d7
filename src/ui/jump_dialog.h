// "跳转到百分比": asks for the percentage of the book to jump to.
#pragma once
#include "framework/window.h"
#include "ui/skin_button.h"

class CJumpDialog : public fw::Dialog {
public:
    CJumpDialog();
    double percent = 0.0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    SkinButton ok_, cancel_;
};

// Reads a floating-point number the way the dialog fields accept it: blanks around it, nothing after.
bool ParseDialogNumber(const std::string& text, double& value);

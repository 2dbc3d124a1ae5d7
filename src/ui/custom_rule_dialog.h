// "自定义分章规则设置": writes, checks, keeps and applies the reader's own chapter rules.
#pragma once
#include "book/chapter_rules.h"
#include "framework/window.h"
#include "ui/skin_button.h"

class CCustomRuleDlg : public fw::Dialog {
public:
    explicit CCustomRuleDlg(pel::RuleSlots& slots);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    void OnOK() override;

private:
    void ReadEditField();
    void FillList();
    void ShowMessages(const std::vector<std::string>& messages);

    pel::RuleSlots& slots_;
    pel::RuleDialogState state_;
    SkinButton ok_, cancel_, add_, delete_;
};

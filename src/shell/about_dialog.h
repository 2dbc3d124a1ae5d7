// "关于 ": the About box with the program icon and picture, the contact lines as hyperlink labels
// and the usage notes.
#pragma once
#include <string>

#include "framework/window.h"
#include "shell/url_label.h"

// The maker's contact lines. These are this project's own placeholders.
constexpr char kMakerMail[] = "pelin@example.com";
constexpr char kMakerHomePage[] = "https://example.com/pelin";
constexpr char kAboutMailLine[] = "邮箱：pelin@example.com";
constexpr char kAboutAuthorLine[] = "作者：Pelin";
constexpr char kAboutSlogan[] = "意识决定行动！→穹顶之下，雾霾思考→2017+你能做什么？";

class CAboutBox : public fw::Dialog {
public:
    CAboutBox();

    // The usage notes shown in box 1001.
    std::string notes;

    // The labels of the slogan (1038), the mail line (1039) and the home page (1040).
    CUrlLabel& Label(int id);

protected:
    BOOL OnInitDialog() override;
    bool DialogProc(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

private:
    CUrlLabel* LabelOf(HWND control);

    CUrlLabel slogan_, mail_, home_;
};

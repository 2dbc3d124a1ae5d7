// The About box created hidden from its template: labels, texts and notes as it opens.
#include "shell/about_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "shell/help.h"

namespace {

std::string ItemText(HWND dlg, int id) {
    char text[4096] = {};
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(box_.CreateForm(nullptr)); }
    CAboutBox box_;
};

TEST_F(AboutBoxTest, TextsAfterOpening) {
    HWND dlg = box_.hwnd();
    EXPECT_EQ(ItemText(dlg, IDC_ABOUT_NOTES), AboutUsageNotes());
    EXPECT_EQ(box_.notes, AboutUsageNotes());
    EXPECT_EQ(ItemText(dlg, IDC_ABOUT_SLOGAN), "意识决定行动！→穹顶之下，雾霾思考→2017+你能做什么？");
    EXPECT_EQ(ItemText(dlg, IDC_ABOUT_MAIL), kAboutMailLine);
    EXPECT_EQ(ItemText(dlg, IDC_ABOUT_HOME), kMakerHomePage);
    EXPECT_EQ(ItemText(dlg, IDC_ABOUT_AUTHOR), kAboutAuthorLine);
    char caption[64] = {};
    GetWindowTextA(dlg, caption, sizeof caption);
    EXPECT_STREQ(caption, "关于 ");
    EXPECT_TRUE(GetWindowLongPtrA(box_.Item(IDC_ABOUT_NOTES), GWL_STYLE) & ES_READONLY);
    // The notes open at their start, nothing selected.
    DWORD start = 1, end = 1;
    SendMessageA(box_.Item(IDC_ABOUT_NOTES), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

TEST_F(AboutBoxTest, LabelsKeepTheirAddresses) {
    // The slogan keeps the address it took from its template text, the 2009 slogan.
    EXPECT_EQ(box_.Label(IDC_ABOUT_SLOGAN).GetURL(),
              "保护我们的家园！2009哥本哈根气候大会，“环保节能”从你我开始！");
    EXPECT_TRUE(box_.Label(IDC_ABOUT_SLOGAN).GetUnderline());
    EXPECT_EQ(box_.Label(IDC_ABOUT_MAIL).GetURL(), std::string("mailto:") + kMakerMail);
    EXPECT_FALSE(box_.Label(IDC_ABOUT_MAIL).GetUnderline());
    EXPECT_EQ(box_.Label(IDC_ABOUT_HOME).GetURL(), kMakerHomePage);
    EXPECT_FALSE(box_.Label(IDC_ABOUT_HOME).GetUnderline());
    for (int id : {IDC_ABOUT_SLOGAN, IDC_ABOUT_MAIL, IDC_ABOUT_HOME})
        EXPECT_EQ(box_.Label(id).hwnd(), box_.Item(id)) << id;
}

TEST_F(AboutBoxTest, LabelsAreSizedToTheirTexts) {
    for (int id : {IDC_ABOUT_SLOGAN, IDC_ABOUT_MAIL, IDC_ABOUT_HOME}) {
        HWND label = box_.Item(id);
        std::string text = ItemText(box_.hwnd(), id);
        HDC dc = GetDC(label);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        RECT rc{};
        GetWindowRect(label, &rc);
        EXPECT_EQ(rc.right - rc.left, extent.cx) << id;
        EXPECT_EQ(rc.bottom - rc.top, extent.cy) << id;
    }
    // The slogan stays centred in the box.
    RECT dlg{}, slogan{};
    GetClientRect(box_.hwnd(), &dlg);
    GetWindowRect(box_.Item(IDC_ABOUT_SLOGAN), &slogan);
    MapWindowPoints(nullptr, box_.hwnd(), reinterpret_cast<POINT*>(&slogan), 2);
    EXPECT_NEAR((slogan.left + slogan.right) / 2, dlg.right / 2, 3);
}

TEST_F(AboutBoxTest, BoxDrawsItsLabelsAndNothingElse) {
    HWND dlg = box_.hwnd();
    HDC dc = GetDC(dlg);
    auto brush = SendMessageA(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(box_.Item(IDC_ABOUT_HOME)));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 238));
    // The author line is a plain static: the dialog's own colours paint it.
    auto plain = SendMessageA(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(box_.Item(IDC_ABOUT_AUTHOR)));
    EXPECT_NE(reinterpret_cast<HBRUSH>(plain), static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_NE(GetTextColor(dc), RGB(0, 0, 238));
    ReleaseDC(dlg, dc);
}

}  // namespace

// The hyperlink label: its colours, hover, font, fit to the text, tooltip and the opening helpers.
#include "shell/url_label.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string TextOf(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// A hidden top-level window holding one static text, as a dialog would.
class LabelHost : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        font_.reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                "Arial"));
    }
    void TearDown() override {
        if (parent_) DestroyWindow(parent_);
    }
    HWND MakeStatic(const char* text, DWORD style, int x = 10, int y = 10, int w = 300, int h = 20) {
        HWND s = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent_,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(s, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return s;
    }
    RECT RectInParent(HWND child) const {
        RECT rc{};
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    SIZE TextExtent(HWND label) const {
        HDC dc = GetDC(label);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        std::string text = TextOf(label);
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        return size;
    }
    LOGFONTA FontOf(HWND label) const {
        LOGFONTA lf{};
        GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return lf;
    }

    HWND parent_ = nullptr;
    fw::UniqueFont font_;
};

TEST_F(LabelHost, ColourIsHoverThenVisitedThenLink) {
    CUrlLabel label;
    ASSERT_TRUE(label.Attach(MakeStatic("https://example.com/pelin", SS_LEFT)));
    EXPECT_EQ(label.TextColour(), RGB(0, 0, 238));
    label.SetVisited(true);
    EXPECT_EQ(label.TextColour(), RGB(85, 26, 139));

    // The first move over the label takes the mouse and the highlight colour.
    SendMessageA(label.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(label.IsOver());
    EXPECT_EQ(GetCapture(), label.hwnd());
    EXPECT_EQ(label.TextColour(), GetSysColor(COLOR_HIGHLIGHT));
    SendMessageA(label.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(label.IsOver());

    // Leaving the client area lets the mouse go and brings the visited colour back.
    SendMessageA(label.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(-5), 2));
    EXPECT_FALSE(label.IsOver());
    EXPECT_NE(GetCapture(), label.hwnd());
    EXPECT_EQ(label.TextColour(), RGB(85, 26, 139));
}

TEST_F(LabelHost, HoverEndsWhenAnotherWindowTakesTheMouse) {
    CUrlLabel label;
    label.Attach(MakeStatic("x", SS_LEFT));
    SendMessageA(label.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    ASSERT_TRUE(label.IsOver());
    SetCapture(parent_);
    EXPECT_FALSE(label.IsOver());
    EXPECT_EQ(label.TextColour(), RGB(0, 0, 238));
    ReleaseCapture();
}

TEST_F(LabelHost, ParentColourMessageDrawsTransparentlyInTheLabelColour) {
    CUrlLabel label;
    label.Attach(MakeStatic("x", SS_LEFT));
    HDC dc = GetDC(label.hwnd());
    HBRUSH brush = label.OnCtlColor(dc);
    EXPECT_EQ(brush, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 238));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    label.SetVisited(true);
    label.OnCtlColor(dc);
    EXPECT_EQ(GetTextColor(dc), RGB(85, 26, 139));
    ReleaseDC(label.hwnd(), dc);
}

TEST_F(LabelHost, AttachTakesAddressAndTextFromEachOther) {
    CUrlLabel fromText;
    HWND withText = MakeStatic("https://example.com/a", SS_LEFT);
    fromText.Attach(withText);
    EXPECT_EQ(fromText.GetURL(), "https://example.com/a");
    EXPECT_TRUE(GetWindowLongPtrA(withText, GWL_STYLE) & SS_NOTIFY);

    CUrlLabel fromAddress;
    fromAddress.SetURL("https://example.com/b");
    HWND empty = MakeStatic("", SS_LEFT);
    fromAddress.Attach(empty);
    EXPECT_EQ(TextOf(empty), "https://example.com/b");
    EXPECT_EQ(fromAddress.GetURL(), "https://example.com/b");

    CUrlLabel both;
    both.SetURL("mailto:a@example.com");
    HWND named = MakeStatic("write to us", SS_LEFT);
    both.Attach(named);
    EXPECT_EQ(both.GetURL(), "mailto:a@example.com");
    EXPECT_EQ(TextOf(named), "write to us");
}

TEST_F(LabelHost, UnderlineFollowsTheFlagAndKeepsTheTemplateFont) {
    CUrlLabel label;
    HWND s = MakeStatic("link", SS_LEFT);
    label.Attach(s);
    LOGFONTA underlined = FontOf(s);
    EXPECT_TRUE(underlined.lfUnderline);
    EXPECT_STREQ(underlined.lfFaceName, "Arial");
    label.SetUnderline(false);
    EXPECT_FALSE(FontOf(s).lfUnderline);
    EXPECT_EQ(FontOf(s).lfHeight, underlined.lfHeight);
}

TEST_F(LabelHost, LabelIsSizedToItsTextAndRefitsOnNewText) {
    CUrlLabel left;
    HWND l = MakeStatic("left text", SS_LEFT, 10, 10, 300, 30);
    left.Attach(l);
    SIZE extent = TextExtent(l);
    RECT rc = RectInParent(l);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.top, 10);
    EXPECT_EQ(rc.right - rc.left, extent.cx);
    EXPECT_EQ(rc.bottom - rc.top, extent.cy);

    SetWindowTextA(l, "a much longer text than before");
    extent = TextExtent(l);
    rc = RectInParent(l);
    EXPECT_EQ(rc.right - rc.left, extent.cx);

    CUrlLabel centred;
    HWND c = MakeStatic("centre", SS_CENTER, 0, 50, 400, 20);
    centred.Attach(c);
    rc = RectInParent(c);
    EXPECT_EQ(rc.right - rc.left, TextExtent(c).cx);
    EXPECT_NEAR((rc.left + rc.right) / 2, 200, 1);

    CUrlLabel fixed;
    fixed.SetAutoSize(false);
    HWND f = MakeStatic("fixed", SS_LEFT, 10, 80, 300, 30);
    fixed.Attach(f);
    rc = RectInParent(f);
    EXPECT_EQ(rc.right - rc.left, 300);
}

TEST_F(LabelHost, TooltipShowsTheAddressAsToolOne) {
    CUrlLabel label;
    HWND s = MakeStatic("text", SS_LEFT);
    label.Attach(s);
    label.SetURL("https://example.com/tip");
    // The tooltip is the popup the label owns.
    HWND tip = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            char cls[64] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (std::string(cls) == TOOLTIPS_CLASSA) {
                *reinterpret_cast<HWND*>(lp) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip, nullptr);
    char text[256] = {};
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = s;
    info.uId = 1;
    info.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, "https://example.com/tip");
}

TEST(FitLabelRectTest, StylesDecideWhatStays) {
    const RECT box{10, 20, 110, 60};  // 100 wide, 40 high
    const SIZE text{40, 12};
    RECT r = FitLabelRect(box, text, SS_LEFT);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 50);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.bottom, 32);

    r = FitLabelRect(box, text, SS_RIGHT);
    EXPECT_EQ(r.left, 70);
    EXPECT_EQ(r.right, 110);

    r = FitLabelRect(box, text, SS_CENTER | SS_CENTERIMAGE);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.right, 80);
    EXPECT_EQ(r.top, 34);
    EXPECT_EQ(r.bottom, 46);

    // A text wider than the control makes it grow from the edge or centre that stays.
    r = FitLabelRect(box, SIZE{160, 12}, SS_CENTER);
    EXPECT_EQ(r.left, -20);
    EXPECT_EQ(r.right, 140);
}

TEST(BrowserCommandLineTest, AddressTakesThePlaceOfThePlaceholder) {
    EXPECT_EQ(BrowserCommandLine("\"C:\\b\\browser.exe\" -nohome \"%1\"", "https://example.com"),
              "\"C:\\b\\browser.exe\" -nohome  https://example.com");
    EXPECT_EQ(BrowserCommandLine("C:\\b\\browser.exe %1", "https://example.com"),
              "C:\\b\\browser.exe  https://example.com");
    EXPECT_EQ(BrowserCommandLine("C:\\b\\browser.exe", "https://example.com"),
              "C:\\b\\browser.exe https://example.com");
    // The quoted placeholder is found first even when a bare one comes earlier.
    EXPECT_EQ(BrowserCommandLine("b.exe %1x \"%1\"", "u"), "b.exe %1x  u");
}

TEST(HyperlinkErrorTextTest, ReasonsByCode) {
    EXPECT_EQ(HyperlinkErrorText(0),
              "Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(HyperlinkErrorText(2), "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(HyperlinkErrorText(26), "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(HyperlinkErrorText(31),
              "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename "
              "extension.");
    EXPECT_EQ(HyperlinkErrorText(7), "Unable to open hyperlink:\n\nUnknown Error (7) occurred.");
    EXPECT_EQ(HyperlinkErrorText(-3), "Unable to open hyperlink:\n\nUnknown Error (-3) occurred.");
}

}  // namespace

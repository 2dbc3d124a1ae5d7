// Skinned buttons painted into a bitmap for each state: the strip's frame for the state, cut in nine and
// scaled with its borders kept, key-coloured pixels showing the button face, and the caption's colour and
// place.
#include "ui/skin_button.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFrames = 5, kFrameW = 20, kFrameH = 16;
constexpr int kTop = 5, kBottom = 5, kLeft = 5, kRight = 4;
constexpr int kButtonW = 70, kButtonH = 30;
enum Frame { kNormal = 0, kPressed = 1, kDisabled = 2, kFocused = 3, kUnused = 4 };
constexpr COLORREF kKey = RGB(255, 0, 255);

// Region of the nine-slice cut, row-major from the top-left corner (0) to the bottom-right (8).
int Region(int x, int y, int w, int h, int left, int right, int top, int bottom) {
    const int col = x < left ? 0 : x >= w - right ? 2 : 1;
    const int row = y < top ? 0 : y >= h - bottom ? 2 : 1;
    return row * 3 + col;
}

// A flat colour for each frame and region; the top-left corner is key-coloured in every frame (a rounded
// corner), and so is the centre of the pressed frame, which is drawn over the focused one.
COLORREF StripColour(int frame, int region, bool plainCentres) {
    if (region == 0) return kKey;
    if (region == 4 && plainCentres) return RGB(240, 240, 240);
    if (frame == kPressed && region == 4) return kKey;
    return RGB(16 + frame * 48, 16 + region * 16, 96 + frame * 16);
}

struct Dib {
    HBITMAP bitmap = nullptr;
    std::uint32_t* bits = nullptr;
    int w = 0, h = 0;
    Dib(int width, int height) : w(width), h(height) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* p = nullptr;
        bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<std::uint32_t*>(p);
    }
    ~Dib() {
        if (bitmap) DeleteObject(bitmap);
    }
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;
    COLORREF At(int x, int y) const {
        const std::uint32_t v = bits[y * w + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    void Set(int x, int y, COLORREF c) {
        bits[y * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
};

std::string Hex(COLORREF c) {
    char s[16];
    wsprintfA(s, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return s;
}

class SkinButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ =
            CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        button_ = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, kButtonW,
                                  kButtonH, parent_, reinterpret_cast<HMENU>(1), nullptr, nullptr);
        ASSERT_NE(button_, nullptr);
    }
    void TearDown() override {
        skin_.reset();
        if (parent_) DestroyWindow(parent_);
    }

    // Skins the button from a strip of the colours above, with the program's borders.
    void Skin(bool plainCentres) {
        Dib strip(kFrames * kFrameW, kFrameH);
        ASSERT_NE(strip.bitmap, nullptr);
        for (int f = 0; f < kFrames; ++f)
            for (int y = 0; y < kFrameH; ++y)
                for (int x = 0; x < kFrameW; ++x)
                    strip.Set(f * kFrameW + x, y,
                              StripColour(f, Region(x, y, kFrameW, kFrameH, kLeft, kRight, kTop, kBottom),
                                          plainCentres));
        skin_ = std::make_unique<SkinButton>();
        ASSERT_TRUE(skin_->Attach(button_));
        EXPECT_EQ(GetWindowLongPtrA(button_, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
        ASSERT_TRUE(skin_->SetSkinFromStrip(strip.bitmap, kFrames, kTop, kBottom, kLeft, kRight));
    }

    // The button painted for an owner-draw state into a bitmap of its size.
    std::unique_ptr<Dib> Render(UINT state) {
        auto out = std::make_unique<Dib>(kButtonW, kButtonH);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, out->bitmap);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = 1;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = button_;
        dis.hDC = dc;
        dis.rcItem = {0, 0, kButtonW, kButtonH};
        SendMessageA(button_, kReflectedDrawItem, 0, reinterpret_cast<LPARAM>(&dis));
        GdiFlush();
        SelectObject(dc, old);
        DeleteDC(dc);
        return out;
    }

    // Every pixel against the frame's region colour (key colour: the button face; `under` the frame whose
    // pixels show where the frame's own are key-coloured).
    void ExpectFrame(const Dib& image, int frame, int under, const char* state) {
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        int wrong = 0;
        for (int y = 0; y < kButtonH; ++y) {
            for (int x = 0; x < kButtonW; ++x) {
                const int region = Region(x, y, kButtonW, kButtonH, kLeft, kRight, kTop, kBottom);
                COLORREF want = StripColour(frame, region, false);
                if (want == kKey && under >= 0) want = StripColour(under, region, false);
                if (want == kKey) want = face;
                if (image.At(x, y) != want && ++wrong <= 5)
                    ADD_FAILURE() << state << ": pixel " << x << "," << y << " (region " << region << ") is "
                                  << Hex(image.At(x, y)) << ", not " << Hex(want);
            }
        }
        EXPECT_EQ(wrong, 0) << state;
    }

    // Columns of the image holding a pixel of `colour`, the leftmost first; -1 when none.
    static int LeftmostOf(const Dib& image, COLORREF colour) {
        for (int x = 0; x < image.w; ++x)
            for (int y = 0; y < image.h; ++y)
                if (image.At(x, y) == colour) return x;
        return -1;
    }

    HWND parent_ = nullptr;
    HWND button_ = nullptr;
    std::unique_ptr<SkinButton> skin_;
};

TEST_F(SkinButtonTest, EachStateShowsItsFrameCutInNineWithTheKeyColourTransparent) {
    Skin(false);
    ExpectFrame(*Render(0), kNormal, -1, "normal");
    // The focused (hot) image; pressed draws its frame over it, the focused centre showing through the
    // pressed frame's key-coloured centre.
    ExpectFrame(*Render(ODS_FOCUS), kFocused, -1, "focused");
    ExpectFrame(*Render(ODS_FOCUS | ODS_SELECTED), kPressed, kFocused, "pressed");
    ExpectFrame(*Render(ODS_DISABLED), kDisabled, -1, "disabled");
    // A disabled button never shows the focused image.
    ExpectFrame(*Render(ODS_DISABLED | ODS_FOCUS), kDisabled, -1, "disabled with the focus");
}

TEST_F(SkinButtonTest, WithoutASkinOnlyTheFaceIsPainted) {
    skin_ = std::make_unique<SkinButton>();
    ASSERT_TRUE(skin_->Attach(button_));
    EXPECT_FALSE(skin_->SetSkinFromStrip(nullptr, kFrames, kTop, kBottom, kLeft, kRight));
    // Borders that leave no middle cannot be cut.
    Dib tiny(kFrames * 8, 8);
    EXPECT_FALSE(skin_->SetSkinFromStrip(tiny.bitmap, kFrames, kTop, kBottom, kLeft, kRight));
    const auto image = Render(0);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < kButtonH; ++y)
        for (int x = 0; x < kButtonW; ++x) ASSERT_EQ(image->At(x, y), face) << x << "," << y;
}

TEST_F(SkinButtonTest, TheCaptionIsBlackGreyWhenDisabledAndMovesRightWhenPressed) {
    Skin(true);
    SetWindowTextA(button_, "确定");
    const COLORREF black = RGB(0, 0, 0), grey = GetSysColor(COLOR_GRAYTEXT);
    const auto normal = Render(0);
    const int normalLeft = LeftmostOf(*normal, black);
    ASSERT_GE(normalLeft, kLeft) << "no black caption on the normal button";
    // Centred: about as much room on the right of the caption as on its left.
    int right = -1;
    for (int x = kButtonW - 1; x >= 0 && right < 0; --x)
        for (int y = 0; y < kButtonH; ++y)
            if (normal->At(x, y) == black) right = x;
    EXPECT_LE(std::abs(normalLeft - (kButtonW - 1 - right)), 2) << normalLeft << " " << right;

    const auto disabled = Render(ODS_DISABLED);
    EXPECT_EQ(LeftmostOf(*disabled, black), -1) << "a black caption on the disabled button";
    EXPECT_EQ(LeftmostOf(*disabled, grey), normalLeft);

    const int focusedLeft = LeftmostOf(*Render(ODS_FOCUS), black);
    const int pressedLeft = LeftmostOf(*Render(ODS_FOCUS | ODS_SELECTED), black);
    EXPECT_EQ(focusedLeft, normalLeft);
    EXPECT_NEAR(pressedLeft - focusedLeft, 3, 1);  // half of the 5 pixels the centred rectangle gave up
}

}  // namespace

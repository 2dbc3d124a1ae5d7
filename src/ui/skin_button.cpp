#include "ui/skin_button.h"

#include "resource.h"

namespace {
constexpr char kProp[] = "Pelin.SkinButton";
enum { kNormal = 0, kPressed = 1, kDisabled = 2, kFocused = 3 };
}  // namespace

SkinButton::~SkinButton() {
    if (button_ && IsWindow(button_)) {
        RemovePropA(button_, kProp);
        if (previous_) SetWindowLongPtrA(button_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    }
}

bool SkinButton::Attach(HWND button) {
    if (!button) return false;
    button_ = button;
    SetPropA(button_, kProp, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinButton::Proc)));
    LONG_PTR style = GetWindowLongPtrA(button_, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW;
    SetWindowLongPtrA(button_, GWL_STYLE, style);
    font_.reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_SWISS, "宋体"));
    InvalidateRect(button_, nullptr, TRUE);
    return true;
}

bool SkinButton::AttachWithProgramSkin(HWND button) {
    return Attach(button) && SetSkin(IDB_SKIN_BUTTON, 5, 5, 5, 5, 4);
}

bool SkinButton::SetSkin(int bitmapId, int frameCount, int top, int bottom, int left, int right) {
    bitmapId_ = bitmapId;
    fw::UniqueBitmap strip(static_cast<HBITMAP>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return SetSkinFromStrip(strip.get(), frameCount, top, bottom, left, right);
}

bool SkinButton::SetSkinFromStrip(HBITMAP strip, int frameCount, int top, int bottom, int left, int right) {
    frameCount_ = frameCount;
    top_ = top;
    bottom_ = bottom;
    left_ = left;
    right_ = right;
    imagesReady_ = false;
    if (!strip || frameCount <= 0 || !button_) return false;
    fw::WindowDC screen(button_);
    for (int f = kNormal; f <= kFocused; ++f)
        if (!BuildImage(screen.get(), strip, f, images_[f])) return false;
    imagesReady_ = true;
    InvalidateRect(button_, nullptr, TRUE);
    return true;
}

bool SkinButton::BuildImage(HDC screen, HBITMAP strip, int frame, fw::UniqueBitmap& out) {
    BITMAP bm{};
    if (!GetObjectA(strip, sizeof bm, &bm)) return false;
    const int W = bm.bmWidth / frameCount_, H = bm.bmHeight, x0 = frame * W;
    RECT rc;
    GetClientRect(button_, &rc);
    const int w = rc.right, h = rc.bottom;
    if (w <= 0 || h <= 0 || W <= left_ + right_ || H <= top_ + bottom_) return false;
    out.reset(CreateCompatibleBitmap(screen, w, h));
    if (!out) return false;
    HDC src = CreateCompatibleDC(screen);
    HDC dst = CreateCompatibleDC(screen);
    {
        fw::SelectObjectScope s1(src, strip);
        fw::SelectObjectScope s2(dst, out.get());
        SetStretchBltMode(dst, COLORONCOLOR);
        const int midW = W - right_ - left_, midH = H - bottom_ - top_;
        const int dMidW = w - right_ - left_, dMidH = h - bottom_ - top_;
        // Corners unscaled.
        BitBlt(dst, 0, 0, left_, top_, src, x0, 0, SRCCOPY);
        BitBlt(dst, 0, h - bottom_, left_, bottom_, src, x0, H - bottom_, SRCCOPY);
        BitBlt(dst, w - right_, 0, right_, top_, src, x0 + W - right_, 0, SRCCOPY);
        BitBlt(dst, w - right_, h - bottom_, right_, bottom_, src, x0 + W - right_, H - bottom_, SRCCOPY);
        // Centre and edges stretched.
        StretchBlt(dst, left_, top_, dMidW, dMidH, src, x0 + left_, top_, midW, midH, SRCCOPY);
        StretchBlt(dst, left_, 0, dMidW, top_, src, x0 + left_, 0, midW, top_, SRCCOPY);
        StretchBlt(dst, left_, h - bottom_, dMidW, bottom_, src, x0 + left_, H - bottom_, midW, bottom_,
                   SRCCOPY);
        StretchBlt(dst, 0, top_, left_, dMidH, src, x0, top_, left_, midH, SRCCOPY);
        StretchBlt(dst, w - right_, top_, right_, dMidH, src, x0 + W - right_, top_, right_, midH, SRCCOPY);
    }
    DeleteDC(src);
    DeleteDC(dst);
    return true;
}

void SkinButton::DrawImage(HDC target, HBITMAP image, int w, int h) {
    if (!imagesReady_ || !image) return;
    HDC img = CreateCompatibleDC(target);
    HDC mask = CreateCompatibleDC(target);
    fw::UniqueBitmap maskBits(CreateBitmap(w, h, 1, 1, nullptr));
    {
        fw::SelectObjectScope s1(img, image);
        fw::SelectObjectScope s2(mask, maskBits.get());
        // Mask: 1 where the image has the key colour.
        SetBkColor(img, kKeyColor);
        BitBlt(mask, 0, 0, w, h, img, 0, 0, SRCCOPY);
        COLORREF oldBk = SetBkColor(target, RGB(255, 255, 255));
        COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
        BitBlt(target, 0, 0, w, h, img, 0, 0, SRCINVERT);
        BitBlt(target, 0, 0, w, h, mask, 0, 0, SRCAND);
        BitBlt(target, 0, 0, w, h, img, 0, 0, SRCINVERT);
        SetBkColor(target, oldBk);
        SetTextColor(target, oldText);
    }
    DeleteDC(mask);
    DeleteDC(img);
}

void SkinButton::DrawItem(const DRAWITEMSTRUCT& dis) {
    RECT rc;
    GetClientRect(button_, &rc);
    const int w = rc.right, h = rc.bottom;
    if (w <= 0 || h <= 0) return;
    HDC mem = CreateCompatibleDC(dis.hDC);
    fw::UniqueBitmap canvas(CreateCompatibleBitmap(dis.hDC, w, h));
    {
        fw::SelectObjectScope sel(mem, canvas.get());
        FillRect(mem, &rc, GetSysColorBrush(COLOR_BTNFACE));
        RECT caption = rc;
        COLORREF captionColor = RGB(0, 0, 0);
        const bool focused = (dis.itemState & ODS_FOCUS) != 0;
        const bool pressed = (dis.itemState & ODS_SELECTED) != 0;
        const bool disabled = (dis.itemState & ODS_DISABLED) != 0;
        if (focused && !disabled) {
            DrawImage(mem, images_[kFocused].get(), w, h);
            if (pressed) {
                DrawImage(mem, images_[kPressed].get(), w, h);
                caption.left += 5;
            }
        } else if (disabled) {
            DrawImage(mem, images_[kDisabled].get(), w, h);
            captionColor = GetSysColor(COLOR_GRAYTEXT);
        } else {
            DrawImage(mem, images_[kNormal].get(), w, h);
        }
        char text[256];
        int n = GetWindowTextA(button_, text, sizeof text);
        fw::SelectObjectScope font(
            mem, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(mem, TRANSPARENT);
        SetTextColor(mem, captionColor);
        DrawTextA(mem, text, n, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        BitBlt(dis.hDC, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    }
    DeleteDC(mem);
}

LRESULT CALLBACK SkinButton::Proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<SkinButton*>(GetPropA(hwnd, kProp));
    if (!self) return DefWindowProcA(hwnd, message, wp, lp);
    switch (message) {
        case kReflectedDrawItem:
            self->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_ERASEBKGND:
            return FALSE;  // the whole face is painted by DrawItem
        case WM_LBUTTONDBLCLK:
            // Quick clicks turn pages as fast as the reader clicks.
            message = WM_LBUTTONDOWN;
            break;
        default:
            break;
    }
    return CallWindowProcA(self->previous_, hwnd, message, wp, lp);
}

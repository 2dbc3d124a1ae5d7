// An owner-drawn push button painted from a strip of state images (normal, pressed,
// disabled, focused), each scaled to the button with its borders kept unscaled.
#pragma once
#include <windows.h>

#include "framework/handles.h"
#include "framework/window.h"

class SkinButton {
public:
    SkinButton() = default;
    ~SkinButton();
    SkinButton(const SkinButton&) = delete;
    SkinButton& operator=(const SkinButton&) = delete;

    // Subclasses the dialog's button and makes it owner-drawn.
    bool Attach(HWND button);
    bool SetSkin(int bitmapId, int frameCount, int top, int bottom, int left, int right);
    // The same from a strip already loaded (the caller keeps it).
    bool SetSkinFromStrip(HBITMAP strip, int frameCount, int top, int bottom, int left, int right);
    // Attach and the program's one skin: strip 162, five frames, borders 5, 5, 5, 4.
    bool AttachWithProgramSkin(HWND button);
    HWND hwnd() const { return button_; }

    // Key-coloured pixels of the strip let the button face show through.
    static constexpr COLORREF kKeyColor = RGB(255, 0, 255);

private:
    bool BuildImage(HDC screen, HBITMAP strip, int frame, fw::UniqueBitmap& out);
    void DrawItem(const DRAWITEMSTRUCT& dis);
    void DrawImage(HDC target, HBITMAP image, int w, int h);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);

    HWND button_ = nullptr;
    WNDPROC previous_ = nullptr;
    fw::UniqueBitmap images_[4];  // normal, pressed, disabled, focused
    bool imagesReady_ = false;
    int bitmapId_ = 0;
    int frameCount_ = 0;
    int top_ = 8, bottom_ = 8, left_ = 8, right_ = 17;
    fw::UniqueFont font_;
};

constexpr UINT kReflectedDrawItem = fw::kReflectBase + WM_DRAWITEM;

// The look of the page: font, size, colours, line spacing, effects, night mode and the background
// picture, turned into the page control's default character format.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <memory>
#include <string>

#include "framework/handles.h"
#include "state/settings.h"

class Appearance {
public:
    static constexpr COLORREF kDefaultBack = RGB(204, 232, 207);
    static constexpr COLORREF kNightBack = RGB(60, 60, 60);
    static constexpr COLORREF kNightText = RGB(128, 128, 128);

    Appearance() = default;
    ~Appearance();
    Appearance(const Appearance&) = delete;
    Appearance& operator=(const Appearance&) = delete;

    // Start-up: the values read from the settings file, applied to the control.
    void Start(HWND page, HWND view, const pel::StyleValues& style, int bold, int italic, int underline,
               const std::string& picPath, int nightFlag);
    void ApplyTextFormat();

    // Commands; true when the font, size or spacing changed (the screen step is then measured again).
    bool PickFont(HWND owner);
    bool ChooseTextColor(HWND owner);
    bool DefaultBackground();
    bool ChooseBackground(HWND owner);
    bool ChoosePicture(HWND owner);
    void SetSpacing(int twips) {
        lineSpacing = twips;
        ApplyTextFormat();
    }
    void SetSize(int twips) {
        textSize = twips;
        ApplyTextFormat();
    }
    bool Smaller();
    bool Larger();
    bool LessSpacing();
    bool MoreSpacing();
    void ToggleNight();

    // Draws the picture behind the transparent page (the view's paint step).
    void PaintBackground(HDC dc);

    pel::StyleValues Style() const;

    COLORREF textColor = 0;
    COLORREF backColor = kDefaultBack;
    std::string fontName = "宋体";
    int textSize = 270;
    int lineSpacing = 100;
    int bold = 0, italic = 0, underline = 0;
    bool night = false;
    std::string picPath;

private:
    struct ComRelease {
        void operator()(IUnknown* p) const { p->Release(); }
    };

    void LoadPicture(const std::string& path);
    void SetTransparent(bool on);
    COLORREF ShownTextColor() const { return night ? kNightText : textColor; }
    // The page's own background: the picture key while a picture shows, else the view's green when the
    // picture could not be decoded (the page is see-through over the view).
    void SetPictureBackground();
    static LRESULT CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void PaintPicturePage();

    HWND page_ = nullptr;
    HWND view_ = nullptr;
    LONG_PTR normalExStyle_ = 0;
    std::unique_ptr<IPicture, ComRelease> picture_;
    // The picture stretched to the page, kept between paints (auto-scroll repaints every tick) and made
    // again when the page's size or the picture changes.
    fw::UniqueBitmap pictureLayer_;
    void* pictureBits_ = nullptr;
    SIZE pictureLayerSize_{};
    bool pictureShown_ = false;
    bool subclassed_ = false;
};

// The look of the page: font, size, colours, line spacing, effects, night mode and the background
// picture, turned into the page control's default character format.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <string>

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

    // The page control draws its text on kPictureKey; its picture frame puts the picture under the
    // text: a pixel of the key shows the picture, a pixel of the text colour stays, and the pixels
    // between (smoothed edges) are mixed in the same proportion over the picture. `pixels` are 32-bit
    // BGRX, `picture` the same size.
    static constexpr COLORREF kPictureKey = RGB(255, 255, 255);
    static void PutTextOverPicture(unsigned char* pixels, const unsigned char* picture, size_t count,
                                   COLORREF text, COLORREF key);

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
    void LoadPicture(const std::string& path);
    void SetTransparent(bool on);
    static LRESULT CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void PaintPicturePage();

    HWND page_ = nullptr;
    HWND view_ = nullptr;
    LONG_PTR normalExStyle_ = 0;
    IPicture* picture_ = nullptr;
    bool pictureShown_ = false;
    bool subclassed_ = false;
};

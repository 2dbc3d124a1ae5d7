#include "ui/appearance.h"

#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

Appearance::~Appearance() {
    if (subclassed_ && page_ && IsWindow(page_)) RemoveWindowSubclass(page_, PageProc, 1);
    if (picture_) picture_->Release();
}

void Appearance::Start(HWND page, HWND view, const pel::StyleValues& style, int b, int i, int u,
                       const std::string& path, int nightFlag) {
    page_ = page;
    view_ = view;
    textColor = static_cast<COLORREF>(style.textColor);
    backColor = static_cast<COLORREF>(style.backColor);
    fontName = style.fontName;
    textSize = style.textSize;
    lineSpacing = style.lineSpacing;
    bold = b;
    italic = i;
    underline = u;
    ApplyTextFormat();
    normalExStyle_ = GetWindowLongPtrA(page_, GWL_EXSTYLE);
    picPath = path;
    if (picPath.empty() || GetFileAttributesA(picPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        picPath.clear();
        SendMessageA(page_, EM_SETBKGNDCOLOR, 0, backColor);
    } else {
        SetTransparent(true);
        LoadPicture(picPath);
        InvalidateRect(view_, nullptr, TRUE);
    }
    if (nightFlag != 0) {
        night = false;
        ToggleNight();
    }
}

void Appearance::ApplyTextFormat() {
    if (!page_) return;
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_OFFSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    cf.dwEffects =
        (bold == 1 ? CFE_BOLD : 0) | (italic == 1 ? CFE_ITALIC : 0) | (underline == 1 ? CFE_UNDERLINE : 0);
    cf.yHeight = textSize;
    cf.yOffset = lineSpacing;
    cf.crTextColor = night ? kNightText : textColor;
    lstrcpynA(cf.szFaceName, fontName.c_str(), LF_FACESIZE);
    cf.bCharSet = GB2312_CHARSET;
    SendMessageA(page_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    SendMessageA(page_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    // The control keeps the format it replaced for undoing; a page being read has nothing to undo, and a
    // long session of appearance changes would otherwise hold every format it ever had.
    if (GetWindowLongPtrA(page_, GWL_STYLE) & ES_READONLY) SendMessageA(page_, EM_EMPTYUNDOBUFFER, 0, 0);
}

bool Appearance::PickFont(HWND owner) {
    LOGFONTA lf{};
    lstrcpynA(lf.lfFaceName, fontName.c_str(), LF_FACESIZE);
    lf.lfHeight = textSize / 20;
    lf.lfWeight = bold == 1 ? FW_BOLD : 0;
    lf.lfItalic = italic == 1;
    lf.lfUnderline = underline == 1;
    lf.lfCharSet = GB2312_CHARSET;
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    cf.rgbColors = textColor;
    if (!::ChooseFontA(&cf)) return false;
    fontName = lf.lfFaceName;
    textColor = cf.rgbColors;
    textSize = -lf.lfHeight * 20;
    underline = lf.lfUnderline ? 1 : 0;
    italic = lf.lfItalic ? 1 : 0;
    bold = lf.lfWeight == FW_BOLD ? 1 : 0;
    ApplyTextFormat();
    return true;
}

namespace {
bool PickColor(HWND owner, COLORREF& color) {
    static COLORREF custom[16];
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = 0;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    if (!ChooseColorA(&cc)) return false;
    color = cc.rgbResult;
    return true;
}
}  // namespace

bool Appearance::ChooseTextColor(HWND owner) {
    COLORREF c;
    if (!PickColor(owner, c)) return false;
    textColor = c;
    ApplyTextFormat();
    return true;
}

bool Appearance::DefaultBackground() {
    picPath.clear();
    SetTransparent(false);
    backColor = kDefaultBack;
    SendMessageA(page_, EM_SETBKGNDCOLOR, 0, backColor);
    InvalidateRect(view_, nullptr, TRUE);
    return true;
}

bool Appearance::ChooseBackground(HWND owner) {
    COLORREF c;
    if (!PickColor(owner, c)) return false;
    picPath.clear();
    SetTransparent(false);
    backColor = c;
    SendMessageA(page_, EM_SETBKGNDCOLOR, 0, backColor);
    InvalidateRect(view_, nullptr, TRUE);
    return true;
}

bool Appearance::ChoosePicture(HWND owner) {
    char file[MAX_PATH * 4] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "常见格式图片(*.jpg,*.bmp,*.jpeg)\0*.jpg;*.bmp;*.jpeg\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "打开图片文件";
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!GetOpenFileNameA(&ofn)) return false;
    SetTransparent(true);
    picPath = file;
    LoadPicture(picPath);
    InvalidateRect(view_, nullptr, TRUE);
    return true;
}

bool Appearance::Smaller() {
    if (textSize - 40 <= 160) return false;
    textSize -= 40;
    ApplyTextFormat();
    return true;
}

bool Appearance::Larger() {
    if (textSize + 40 >= 1440) return false;
    textSize += 40;
    ApplyTextFormat();
    return true;
}

bool Appearance::LessSpacing() {
    lineSpacing = lineSpacing - 50 < 0 ? 0 : lineSpacing - 50;
    ApplyTextFormat();
    return true;
}

bool Appearance::MoreSpacing() {
    if (lineSpacing + 50 >= 800) return false;
    lineSpacing += 50;
    ApplyTextFormat();
    return true;
}

void Appearance::ToggleNight() {
    night = !night;
    if (night) {
        SetTransparent(false);
        SendMessageA(page_, EM_SETBKGNDCOLOR, 0, kNightBack);
    } else if (picPath.empty()) {
        SendMessageA(page_, EM_SETBKGNDCOLOR, 0, backColor);
    } else {
        SetTransparent(true);
    }
    ApplyTextFormat();
    InvalidateRect(view_, nullptr, TRUE);
}

void Appearance::SetTransparent(bool on) {
    // The page control of this platform paints its background itself whatever its window style says;
    // its own painting is therefore taken as the text layer and put over the picture (PageProc).
    pictureShown_ = on;
    if (on && !subclassed_ && page_)
        subclassed_ = SetWindowSubclass(page_, PageProc, 1, reinterpret_cast<DWORD_PTR>(this));
    if (on) SendMessageA(page_, EM_SETBKGNDCOLOR, 0, kPictureKey);
    InvalidateRect(page_, nullptr, TRUE);
}

void Appearance::PutTextOverPicture(unsigned char* pixels, const unsigned char* picture, size_t count,
                                    COLORREF text, COLORREF key) {
    const int t[3] = {GetBValue(text), GetGValue(text), GetRValue(text)};
    const int k[3] = {GetBValue(key), GetGValue(key), GetRValue(key)};
    // The channel in which text and key differ most tells how much of the text a pixel holds.
    int c = 0;
    for (int i = 1; i < 3; ++i)
        if (std::abs(t[i] - k[i]) > std::abs(t[c] - k[c])) c = i;
    const int span = t[c] - k[c];
    for (size_t n = 0; n < count; ++n) {
        unsigned char* p = pixels + 4 * n;
        const unsigned char* q = picture + 4 * n;
        if (p[0] == k[0] && p[1] == k[1] && p[2] == k[2]) {
            p[0] = q[0], p[1] = q[1], p[2] = q[2];
            continue;
        }
        if (span == 0) continue;  // text in the key's colour: nothing to tell apart, the text stays
        // Share of the text, 0..256.
        const int a = std::clamp((p[c] - k[c]) * 256 / span, 0, 256);
        for (int i = 0; i < 3; ++i) p[i] = static_cast<unsigned char>((t[i] * a + q[i] * (256 - a)) / 256);
    }
}

LRESULT CALLBACK Appearance::PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<Appearance*>(ref);
    if (!self->pictureShown_ || !self->picture_ || self->night) return DefSubclassProc(hwnd, msg, wp, lp);
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            // The whole page is drawn again each time: the layer read back must be the control's own.
            InvalidateRect(hwnd, nullptr, FALSE);
            DefSubclassProc(hwnd, msg, wp, lp);
            self->PaintPicturePage();
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, PageProc, 1);
            self->subclassed_ = false;
            return DefSubclassProc(hwnd, msg, wp, lp);
        default:
            break;
    }
    // The control moves the drawn text when it scrolls; the picture stays, so all of it is drawn anew.
    const int before = GetScrollPos(hwnd, SB_VERT);
    const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    if (GetScrollPos(hwnd, SB_VERT) != before) InvalidateRect(hwnd, nullptr, FALSE);
    return result;
}

void Appearance::PaintPicturePage() {
    RECT rc;
    GetClientRect(page_, &rc);
    const int w = rc.right, h = rc.bottom;
    if (w <= 0 || h <= 0) return;
    HDC screen = GetDC(page_);
    if (!screen) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* textBits = nullptr;
    void* pictureBits = nullptr;
    HBITMAP textLayer = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &textBits, nullptr, 0);
    HBITMAP pictureLayer = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &pictureBits, nullptr, 0);
    HDC mem = CreateCompatibleDC(screen);
    if (textLayer && pictureLayer && mem) {
        HGDIOBJ old = SelectObject(mem, pictureLayer);
        OLE_XSIZE_HIMETRIC pw = 0;
        OLE_YSIZE_HIMETRIC ph = 0;
        picture_->get_Width(&pw);
        picture_->get_Height(&ph);
        picture_->Render(mem, 0, 0, w, h, 0, ph, pw, -ph, nullptr);
        SelectObject(mem, textLayer);
        BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
        GdiFlush();
        PutTextOverPicture(static_cast<unsigned char*>(textBits),
                           static_cast<const unsigned char*>(pictureBits),
                           static_cast<size_t>(w) * static_cast<size_t>(h), textColor, kPictureKey);
        BitBlt(screen, 0, 0, w, h, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
    }
    if (mem) DeleteDC(mem);
    if (textLayer) DeleteObject(textLayer);
    if (pictureLayer) DeleteObject(pictureLayer);
    ReleaseDC(page_, screen);
}

void Appearance::LoadPicture(const std::string& path) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size{};
    std::vector<char> bytes;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (256LL << 20)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
            got != bytes.size())
            bytes.clear();
    }
    CloseHandle(file);
    if (picture_) {
        picture_->Release();
        picture_ = nullptr;
    }
    if (bytes.empty()) return;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!mem) return;
    void* p = GlobalLock(mem);
    memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(mem, TRUE, &stream) != S_OK) {
        GlobalFree(mem);
        return;
    }
    void* pic = nullptr;
    if (OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, &pic) == S_OK)
        picture_ = static_cast<IPicture*>(pic);
    stream->Release();
}

void Appearance::PaintBackground(HDC dc) {
    if (picPath.empty() || !picture_ || !page_) return;
    RECT rc;
    GetWindowRect(page_, &rc);
    MapWindowPoints(HWND_DESKTOP, view_, reinterpret_cast<POINT*>(&rc), 2);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture_->get_Width(&w);
    picture_->get_Height(&h);
    picture_->Render(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, 0, h, w, -h, nullptr);
}

pel::StyleValues Appearance::Style() const {
    pel::StyleValues s;
    s.backColor = static_cast<int>(backColor);
    s.textColor = static_cast<int>(textColor);
    s.fontName = fontName;
    s.textSize = textSize;
    s.lineSpacing = lineSpacing;
    return s;
}

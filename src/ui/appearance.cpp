#include "ui/appearance.h"

#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>

#include <vector>

#include "framework/handles.h"
#include "ui/text_over_picture.h"

Appearance::~Appearance() {
    if (subclassed_ && page_ && IsWindow(page_)) RemoveWindowSubclass(page_, PageProc, 1);
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
        LoadPicture(picPath);
        SetTransparent(true);
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
    cf.crTextColor = ShownTextColor();
    lstrcpynA(cf.szFaceName, fontName.c_str(), LF_FACESIZE);
    cf.bCharSet = GB2312_CHARSET;
    SendMessageA(page_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    SendMessageA(page_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    // Text that turns light (or dark) over a picture needs the other key to stand apart from.
    if (pictureShown_) SetPictureBackground();
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
    picPath = file;
    LoadPicture(picPath);
    SetTransparent(true);
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
    if (on) SetPictureBackground();
    InvalidateRect(page_, nullptr, TRUE);
}

void Appearance::SetPictureBackground() {
    if (!page_) return;
    const COLORREF back = picture_ ? pel::PictureKeyFor(ShownTextColor()) : kDefaultBack;
    SendMessageA(page_, EM_SETBKGNDCOLOR, 0, back);
}

LRESULT CALLBACK Appearance::PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<Appearance*>(ref);
    // Night mode hides the picture by clearing pictureShown_; a picture chosen while it is on shows
    // under the grey text.
    if (!self->pictureShown_ || !self->picture_) return DefSubclassProc(hwnd, msg, wp, lp);
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

namespace {
// A memory device context for the length of a scope.
class MemoryDC {
public:
    explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

fw::UniqueBitmap TopDownBitmap(HDC like, int w, int h, void*& bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    return fw::UniqueBitmap(CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
}
}  // namespace

void Appearance::PaintPicturePage() {
    RECT rc;
    GetClientRect(page_, &rc);
    const int w = rc.right, h = rc.bottom;
    if (w <= 0 || h <= 0) return;
    fw::WindowDC screen(page_);
    if (!screen.get()) return;
    void* textBits = nullptr;
    fw::UniqueBitmap textLayer = TopDownBitmap(screen.get(), w, h, textBits);
    MemoryDC mem(screen.get());
    if (!textLayer || !mem.get()) return;
    if (!pictureLayer_ || pictureLayerSize_.cx != w || pictureLayerSize_.cy != h) {
        pictureLayer_ = TopDownBitmap(screen.get(), w, h, pictureBits_);
        pictureLayerSize_ = SIZE{w, h};
        if (!pictureLayer_) return;
        fw::SelectObjectScope picture(mem.get(), pictureLayer_.get());
        OLE_XSIZE_HIMETRIC pw = 0;
        OLE_YSIZE_HIMETRIC ph = 0;
        picture_->get_Width(&pw);
        picture_->get_Height(&ph);
        picture_->Render(mem.get(), 0, 0, w, h, 0, ph, pw, -ph, nullptr);
    }
    fw::SelectObjectScope text(mem.get(), textLayer.get());
    BitBlt(mem.get(), 0, 0, w, h, screen.get(), 0, 0, SRCCOPY);
    GdiFlush();
    const COLORREF shown = ShownTextColor();
    pel::PutTextOverPicture(
        static_cast<unsigned char*>(textBits), static_cast<const unsigned char*>(pictureBits_),
        static_cast<size_t>(w) * static_cast<size_t>(h), shown, pel::PictureKeyFor(shown));
    BitBlt(screen.get(), 0, 0, w, h, mem.get(), 0, 0, SRCCOPY);
}

void Appearance::LoadPicture(const std::string& path) {
    fw::Unique<HANDLE, fw::FileDeleter> file(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return;  // the picture shown so far stays
    LARGE_INTEGER size{};
    std::vector<char> bytes;
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && size.QuadPart < (256LL << 20)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
            got != bytes.size())
            bytes.clear();
    }
    file.reset();
    picture_.reset();
    pictureLayer_.reset();
    if (bytes.empty()) return;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!mem) return;
    void* p = GlobalLock(mem);
    memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(mem);
    IStream* raw = nullptr;
    if (CreateStreamOnHGlobal(mem, TRUE, &raw) != S_OK) {
        GlobalFree(mem);
        return;
    }
    std::unique_ptr<IStream, ComRelease> stream(raw);  // frees the memory with it
    void* pic = nullptr;
    if (OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, &pic) == S_OK)
        picture_.reset(static_cast<IPicture*>(pic));
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

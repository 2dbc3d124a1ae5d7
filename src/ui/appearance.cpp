#include "ui/appearance.h"

#include <commdlg.h>
#include <richedit.h>

#include <vector>

Appearance::~Appearance() {
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
    SetWindowLongPtrA(page_, GWL_EXSTYLE, on ? (normalExStyle_ | WS_EX_TRANSPARENT) : normalExStyle_);
    InvalidateRect(page_, nullptr, TRUE);
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

#include "shell/url_label.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "shell/help.h"

namespace {

constexpr char kProp[] = "Pelin.UrlLabel";
constexpr UINT_PTR kToolId = 1;

// The default value of a key under HKEY_CLASSES_ROOT, whatever its length.
bool ReadClassesDefault(const std::string& path, std::string& value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    fw::UniqueKey key(opened);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    value.assign(buffer.data());
    if (type == REG_EXPAND_SZ) {
        DWORD n = ExpandEnvironmentStringsA(value.c_str(), nullptr, 0);
        std::vector<char> expanded(n + 1, '\0');
        if (n && ExpandEnvironmentStringsA(value.c_str(), expanded.data(), n + 1)) value = expanded.data();
    }
    return !value.empty();
}

TTTOOLINFOA ToolInfo(HWND label, const std::string& text) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;  // accepted by every comctl32 version
    info.uFlags = 0;
    info.hwnd = label;
    info.uId = kToolId;
    info.lpszText = const_cast<char*>(text.c_str());
    GetClientRect(label, &info.rect);
    return info;
}

}  // namespace

CUrlLabel::CUrlLabel() : hoverColour_(GetSysColor(COLOR_HIGHLIGHT)) {}

CUrlLabel::~CUrlLabel() { Detach(); }

void CUrlLabel::Detach() {
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    if (label_ && IsWindow(label_)) {
        if (GetCapture() == label_) ReleaseCapture();
        RemovePropA(label_, kProp);
        if (previous_) SetWindowLongPtrA(label_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        if (font_) SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(templateFont_), FALSE);
    }
    label_ = nullptr;
    previous_ = nullptr;
}

bool CUrlLabel::Attach(HWND control) {
    if (!control || label_) return false;
    label_ = control;
    SetPropA(label_, kProp, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(label_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CUrlLabel::Proc)));

    SetWindowLongPtrA(label_, GWL_STYLE, GetWindowLongPtrA(label_, GWL_STYLE) | SS_NOTIFY);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(label_)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(label_, text.data(), static_cast<int>(text.size()))));
    if (address_.empty()) address_ = text;
    if (text.empty()) SetWindowTextA(label_, address_.c_str());

    templateFont_ = reinterpret_cast<HFONT>(SendMessageA(label_, WM_GETFONT, 0, 0));
    BuildFont();
    FitToText();
    LoadHandPointer();
    CreateTooltip();
    return true;
}

void CUrlLabel::SetURL(const std::string& address) {
    address_ = address;
    if (!label_) return;
    FitToText();
    if (tooltip_) {
        TTTOOLINFOA info = ToolInfo(label_, address_);
        SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void CUrlLabel::SetVisited(bool visited) {
    visited_ = visited;
    if (label_) RedrawNow();
}

void CUrlLabel::SetUnderline(bool underline) {
    underline_ = underline;
    if (!label_) return;
    BuildFont();
    FitToText();
    RedrawNow();
}

void CUrlLabel::SetAutoSize(bool fit) {
    fitToText_ = fit;
    if (label_) FitToText();
}

COLORREF CUrlLabel::TextColour() const {
    if (over_) return hoverColour_;
    return visited_ ? visitedColour_ : linkColour_;
}

HBRUSH CUrlLabel::OnCtlColor(HDC dc) const {
    SetTextColor(dc, TextColour());
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CUrlLabel::OnClicked() {
    int result = GotoURL(address_, SW_SHOW);
    if (result > 32) {
        SetVisited(true);
        return;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    ReportError(label_ ? GetParent(label_) : nullptr, result);
}

void CUrlLabel::BuildFont() {
    HGDIOBJ source = templateFont_ ? static_cast<HGDIOBJ>(templateFont_) : GetStockObject(SYSTEM_FONT);
    LOGFONTA lf{};
    if (!GetObjectA(source, sizeof lf, &lf)) return;
    lf.lfUnderline = underline_ ? TRUE : FALSE;
    fw::UniqueFont font(CreateFontIndirectA(&lf));
    if (!font) return;
    SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
}

void CUrlLabel::FitToText() {
    if (!label_ || !IsWindow(label_) || !fitToText_) return;
    std::string text(static_cast<size_t>(GetWindowTextLengthA(label_)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(label_, text.data(), static_cast<int>(text.size()))));
    SIZE extent{};
    {
        fw::WindowDC dc(label_);
        if (!dc.get()) return;
        HFONT font = font_ ? font_.get() : reinterpret_cast<HFONT>(SendMessageA(label_, WM_GETFONT, 0, 0));
        fw::SelectObjectScope select(dc.get(),
                                     font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
        if (!GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent)) return;
    }
    RECT rc{};
    GetWindowRect(label_, &rc);
    MapWindowPoints(nullptr, GetParent(label_), reinterpret_cast<POINT*>(&rc), 2);
    RECT fitted = FitLabelRect(rc, extent, static_cast<DWORD>(GetWindowLongPtrA(label_, GWL_STYLE)));
    SetWindowPos(label_, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                 fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (tooltip_) {
        TTTOOLINFOA info = ToolInfo(label_, address_);
        SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

// The hand pointer of the Windows help program; a copy is kept so that the file can be let go at once.
void CUrlLabel::LoadHandPointer() {
    if (pointer_) return;
    char windows[MAX_PATH] = {};
    UINT n = GetWindowsDirectoryA(windows, sizeof windows);
    if (n == 0 || n >= sizeof windows) return;
    std::string path = std::string(windows) + "\\winhlp32.exe";
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return;
    if (HCURSOR cursor = LoadCursorA(module, MAKEINTRESOURCEA(106))) pointer_.reset(CopyIcon(cursor));
    FreeLibrary(module);
}

void CUrlLabel::CreateTooltip() {
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, label_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!tooltip_) return;
    TTTOOLINFOA info = ToolInfo(label_, address_);
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

// The background is the parent's: it is painted again under the label so that the new colour is not
// drawn over the old one.
void CUrlLabel::RedrawNow() {
    HWND parent = GetParent(label_);
    if (!parent) {
        RedrawWindow(label_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        return;
    }
    RECT rc{};
    GetWindowRect(label_, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    RedrawWindow(parent, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CUrlLabel::OnMouseMove(LPARAM lp) {
    if (!over_) {
        over_ = true;
        RedrawNow();
        SetCapture(label_);
        return;
    }
    RECT client{};
    GetClientRect(label_, &client);
    POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    if (!PtInRect(&client, pt)) {
        over_ = false;
        ReleaseCapture();
        RedrawNow();
    }
}

LRESULT CALLBACK CUrlLabel::Proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<CUrlLabel*>(GetPropA(hwnd, kProp));
    if (!self) return DefWindowProcA(hwnd, message, wp, lp);
    WNDPROC previous = self->previous_;
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && self->tooltip_) {
        MSG msg{hwnd, message, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
        DWORD pos = GetMessagePos();
        msg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        SendMessageA(self->tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    switch (message) {
        case WM_MOUSEMOVE: {
            LRESULT result = CallWindowProcA(previous, hwnd, message, wp, lp);
            self->OnMouseMove(lp);
            return result;
        }
        case WM_CAPTURECHANGED:
            // Another window took the mouse (a message box, the started browser): the hover ends here.
            if (self->over_ && reinterpret_cast<HWND>(lp) != hwnd) {
                self->over_ = false;
                self->RedrawNow();
            }
            break;
        case WM_SETCURSOR:
            if (self->pointer_) {
                SetCursor(self->pointer_.get());
                return TRUE;
            }
            break;
        case WM_SETTEXT: {
            // A new text is measured again, so that a label set after the dialog opened still fits.
            LRESULT result = CallWindowProcA(previous, hwnd, message, wp, lp);
            self->FitToText();
            return result;
        }
        case WM_NCDESTROY:
            self->Detach();
            return CallWindowProcA(previous, hwnd, message, wp, lp);
        default:
            break;
    }
    return CallWindowProcA(previous, hwnd, message, wp, lp);
}

int CUrlLabel::GotoURL(const std::string& address, int showCommand) {
    auto shell = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, showCommand));
    int result = static_cast<int>(shell);
    if (result > 32) return result;
    std::string type, command;
    if (!ReadClassesDefault(".htm", type)) return result;
    if (!ReadClassesDefault(type + "\\shell\\open\\command", command)) return result;
    std::string line = BrowserCommandLine(command, address);
    return static_cast<int>(WinExec(line.c_str(), static_cast<UINT>(showCommand)));
}

void CUrlLabel::ReportError(HWND owner, int code) {
    MessageBoxA(owner, HyperlinkErrorText(code).c_str(), MessageCaption().c_str(),
                MB_ICONEXCLAMATION | MB_OK);
}

RECT FitLabelRect(const RECT& current, SIZE text, DWORD style) {
    RECT rc = current;
    if (style & SS_CENTERIMAGE) {
        int centre = (current.top + current.bottom) / 2;
        rc.top = centre - text.cy / 2;
    }
    rc.bottom = rc.top + text.cy;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER: {
            int centre = (current.left + current.right) / 2;
            rc.left = centre - text.cx / 2;
            rc.right = rc.left + text.cx;
            break;
        }
        case SS_RIGHT:
            rc.left = current.right - text.cx;
            break;
        default:
            rc.right = rc.left + text.cx;
            break;
    }
    return rc;
}

std::string BrowserCommandLine(std::string openCommand, const std::string& address) {
    size_t cut = openCommand.find("\"%1\"");
    if (cut == std::string::npos) cut = openCommand.find("%1");
    if (cut != std::string::npos) openCommand.resize(cut);
    return openCommand + " " + address;
}

std::string HyperlinkErrorText(int code) {
    const char* reason = nullptr;
    switch (code) {
        case 0:
            reason = "The operating system is out\nof memory or resources.";
            break;
        case 2:
            reason = "The specified file was not found.";
            break;
        case 3:
            reason = "The specified path was not found.";
            break;
        case 5:
            reason = "The operating system denied\naccess to the specified file.";
            break;
        case 8:
            reason = "There was not enough memory to complete the operation.";
            break;
        case 11:
            reason = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
            break;
        case 26:
            reason = "A sharing violation occurred. ";
            break;
        case 27:
            reason = "The filename association is\nincomplete or invalid.";
            break;
        case 28:
            reason = "The DDE transaction could not\nbe completed because the request timed out.";
            break;
        case 29:
            reason = "The DDE transaction failed.";
            break;
        case 30:
            reason =
                "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
                "processed.";
            break;
        case 31:
            reason = "There is no application associated\nwith the given filename extension.";
            break;
        case 32:
            reason = "The specified dynamic-link library was not found.";
            break;
        default:
            break;
    }
    std::string text = "Unable to open hyperlink:\n\n";
    if (reason) return text + reason;
    char unknown[64];
    std::snprintf(unknown, sizeof unknown, "Unknown Error (%d) occurred.", code);
    return text + unknown;
}

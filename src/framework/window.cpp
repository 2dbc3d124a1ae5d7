#include "framework/window.h"

#include <vector>

namespace fw {

namespace {
HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Owner-drawn child controls draw themselves: the parent hands the request back to them.
bool ReflectDrawItem(LPARAM lp) {
    auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (!dis || dis->CtlType == ODT_MENU || !dis->hwndItem) return false;
    return SendMessageA(dis->hwndItem, kReflectBase + WM_DRAWITEM, 0, lp) != 0;
}
}  // namespace

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool Window::RegisterClass(const char* className, HICON icon, HICON smallIcon, HBRUSH background,
                           UINT style) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &Window::StaticProc;
    wc.hInstance = Instance();
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y, int w,
                    int h, HWND parent, HMENU menu) {
    HWND created =
        CreateWindowExA(exStyle, className, title, style, x, y, w, h, parent, menu, Instance(), this);
    return created != nullptr;
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        self = static_cast<Window*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, message, wp, lp);
    if (message == WM_DRAWITEM && ReflectDrawItem(lp)) return TRUE;
    LRESULT result = self->WindowProc(message, wp, lp);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
    }
    return result;
}

LRESULT Window::WindowProc(UINT message, WPARAM wp, LPARAM lp) { return DefaultProc(message, wp, lp); }

LRESULT Window::DefaultProc(UINT message, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd_, message, wp, lp);
}

Dialog::~Dialog() {
    if (hwnd_ && !modal_) {
        SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::DoModal(HWND parent) {
    modal_ = true;
    return DialogBoxParamA(Instance(), MAKEINTRESOURCEA(templateId_), parent, &Dialog::StaticProc,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateForm(HWND parent) {
    modal_ = false;
    return CreateDialogParamA(Instance(), MAKEINTRESOURCEA(templateId_), parent, &Dialog::StaticProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lp);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        return self->OnInitDialog();
    }
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_DRAWITEM && ReflectDrawItem(lp)) {
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    INT_PTR result = 0;
    bool handled = self->DialogProc(message, wp, lp, result);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    if (!handled) return FALSE;
    switch (message) {
        // These messages return their result directly, not through DWLP_MSGRESULT.
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return result;
        default:
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

bool Dialog::DialogProc(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) {
    if (message == WM_COMMAND) {
        UINT id = LOWORD(wp);
        if (OnCommand(id, HIWORD(wp), reinterpret_cast<HWND>(lp))) {
            result = 0;
            return true;
        }
        if (modal_ && id == IDOK) {
            OnOK();
            return true;
        }
        if (modal_ && id == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

void Dialog::ExchangeInt(HWND dlg, int id, int& value, bool save, bool* ok) {
    if (save) {
        BOOL translated = FALSE;
        int v = static_cast<int>(GetDlgItemInt(dlg, id, &translated, TRUE));
        if (translated) value = v;
        if (ok) *ok = translated != FALSE;
    } else {
        SetDlgItemInt(dlg, id, static_cast<UINT>(value), TRUE);
    }
}

void Dialog::ExchangeText(HWND dlg, int id, std::string& value, bool save) {
    if (save)
        value = GetWindowTextString(GetDlgItem(dlg, id));
    else
        SetDlgItemTextA(dlg, id, value.c_str());
}

std::string GetWindowTextString(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    if (n <= 0) return {};
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    int got = GetWindowTextA(hwnd, buf.data(), n + 1);
    return std::string(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

std::string LoadStringResource(UINT id) {
    char buf[1024];
    int n = LoadStringA(Instance(), id, buf, sizeof buf);
    return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

void UpdateMenuItems(HMENU menu, CommandTarget& chain) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.hSubMenu || (info.fType & MFT_SEPARATOR) || info.wID == 0) continue;
        CommandUI ui;
        ui.id = info.wID;
        bool known = chain.OnUpdateCommand(ui);
        if (!known) {
            // A command that nobody handles cannot be chosen.
            ui.enabled = false;
        }
        EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (ui.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (ui.check ? MF_CHECKED : MF_UNCHECKED));
    }
}

}  // namespace fw

#include "ui/wait_notice.h"

namespace pel {

namespace {

constexpr char kClassName[] = "PelinreaderWaitNotice";
constexpr int kWidth = 380;
constexpr int kHeight = 150;
constexpr int kTextId = 100;

bool RegisterOnce() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }();
    return registered;
}

}  // namespace

LRESULT CALLBACK WaitNotice::WindowProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<WaitNotice*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
        if (message == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
            self->gaveUp_ = true;
            return 0;
        }
        if (message == WM_CLOSE) {
            self->gaveUp_ = true;
            return 0;
        }
    }
    return DefWindowProcA(hwnd, message, wp, lp);
}

void WaitNotice::Show(HWND owner, const std::string& text) {
    gaveUp_ = false;
    if (window_) {
        SetWindowTextA(GetDlgItem(window_, kTextId), text.c_str());
        return;
    }
    if (!RegisterOnce()) return;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    RECT rc;
    if (owner && GetWindowRect(owner, &rc)) {
        x = rc.left + ((rc.right - rc.left) - kWidth) / 2;
        y = rc.top + ((rc.bottom - rc.top) - kHeight) / 2;
    }
    HINSTANCE inst = GetModuleHandleA(nullptr);
    window_ = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kClassName, "Pelinreader",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, kWidth, kHeight, owner, nullptr, inst,
                              nullptr);
    if (!window_) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    RECT client;
    GetClientRect(window_, &client);
    HWND label = CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 16, 14,
                                 client.right - 32, client.bottom - 64, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), inst, nullptr);
    button_ =
        CreateWindowExA(0, "BUTTON", kWaitNoticeCancel, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                        (client.right - 90) / 2, client.bottom - 40, 90, 28, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), inst, nullptr);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font_ = CreateFontIndirectA(&metrics.lfMessageFont);
    if (font_) {
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        SendMessageA(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetFocus(button_);
}

void WaitNotice::Hide() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    window_ = nullptr;
    button_ = nullptr;
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

bool WaitNotice::GaveUp() {
    if (!window_) return gaveUp_;
    MSG msg;
    // Only the notice's own messages (and its children's); the reader's window waits its turn.
    while (!gaveUp_ && PeekMessageA(&msg, window_, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            gaveUp_ = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return gaveUp_;
}

}  // namespace pel

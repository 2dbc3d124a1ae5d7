// The small window shown while the extractor works on a big archive: the notice text and a 取消 button
// that gives the wait up. The user-interface thread is waiting meanwhile, so the window's messages are
// handled only when the wait asks GaveUp(); other windows' messages stay queued for later.
#pragma once
#include <windows.h>

#include <string>

namespace pel {

class WaitNotice {
public:
    WaitNotice() = default;
    WaitNotice(const WaitNotice&) = delete;
    WaitNotice& operator=(const WaitNotice&) = delete;
    ~WaitNotice() { Hide(); }

    // Shows the notice centred over `owner` (which may be null); a second Show keeps the one window.
    void Show(HWND owner, const std::string& text);
    void Hide();
    bool Shown() const { return window_ != nullptr; }
    // Handles the notice's queued messages; true once the reader pressed 取消, Esc or closed it.
    bool GaveUp();

    HWND Window() const { return window_; }
    HWND CancelButton() const { return button_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);

    HWND window_ = nullptr;
    HWND button_ = nullptr;
    HFONT font_ = nullptr;
    bool gaveUp_ = false;
};

inline constexpr char kWaitNoticeCancel[] = "取消";

}  // namespace pel

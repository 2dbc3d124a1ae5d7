#include "message_box_catcher.h"

namespace {
MessageBoxCatcher* active = nullptr;

std::string TextOf(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}
}  // namespace

MessageBoxCatcher::MessageBoxCatcher(int answer, std::function<void(HWND)> inspect)
    : answer_(answer), inspect_(std::move(inspect)) {
    active = this;
    timer_ = SetTimer(nullptr, 0, 50, &MessageBoxCatcher::OnTimer);
}

MessageBoxCatcher::~MessageBoxCatcher() {
    if (timer_) KillTimer(nullptr, timer_);
    active = nullptr;
}

BOOL CALLBACK MessageBoxCatcher::FindBox(HWND hwnd, LPARAM lp) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK MessageBoxCatcher::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    MessageBoxCatcher* self = active;
    if (!self) return;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &MessageBoxCatcher::FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box || box == self->answered_) return;
    self->answered_ = box;
    if (!self->box.seen) {
        self->box.seen = true;
        self->box.caption = TextOf(box);
        if (HWND text = GetDlgItem(box, 0xFFFF)) self->box.text = TextOf(text);
        self->box.hasOk = GetDlgItem(box, IDOK) != nullptr;
        self->box.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
        if (self->inspect_) self->inspect_(box);
    }
    ++self->boxes;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(self->answer_, BN_CLICKED), 0);
}

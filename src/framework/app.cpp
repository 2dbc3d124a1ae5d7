#include "framework/app.h"

namespace fw {

Application* Application::instance_ = nullptr;

Application::Application() {
    instance_ = this;
    args_ = SplitCommandLine(GetCommandLineA());
    if (!args_.empty()) args_.erase(args_.begin());
}

Application::~Application() { instance_ = nullptr; }

int Application::Run() {
    MSG msg;
    for (;;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (idle_) idle_(idleContext_);
        }
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        bool eaten = false;
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_MOUSELAST) {
            for (auto& f : filters_) {
                if (f.fn(f.context, msg)) {
                    eaten = true;
                    break;
                }
            }
            if (!eaten && main_ && accelerators_ && (msg.hwnd == main_ || IsChild(main_, msg.hwnd)))
                eaten = TranslateAcceleratorA(main_, accelerators_, &msg) != 0;
        }
        if (eaten) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace fw

// The application object and its message loop.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/command.h"
#include "framework/command_line.h"

namespace fw {

class Application : public CommandTarget {
public:
    Application();
    virtual ~Application();

    static Application* Instance() { return instance_; }

    // Runs the message loop until WM_QUIT; returns its exit code.
    int Run();

    // The window whose accelerators and pre-translation see every message first.
    void SetMainWindow(HWND main, HACCEL accelerators) {
        main_ = main;
        accelerators_ = accelerators;
    }
    HWND MainWindow() const { return main_; }

    // Receivers of PreTranslateMessage, in the order they are asked.
    using PreTranslateFn = bool (*)(void* context, MSG& msg);
    void AddPreTranslate(void* context, PreTranslateFn fn) { filters_.push_back({context, fn}); }
    // Called when the queue runs empty: the place for command-update of bars and panes.
    using IdleFn = void (*)(void* context);
    void SetIdleHandler(void* context, IdleFn fn) {
        idleContext_ = context;
        idle_ = fn;
    }

    // Command-line arguments after the program name, as CP936 strings.
    const std::vector<std::string>& Arguments() const { return args_; }

private:
    struct Filter {
        void* context;
        PreTranslateFn fn;
    };
    static Application* instance_;
    HWND main_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::vector<Filter> filters_;
    void* idleContext_ = nullptr;
    IdleFn idle_ = nullptr;
    std::vector<std::string> args_;
};

}  // namespace fw

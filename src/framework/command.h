// Command routing and command-update handling.
//
// A command (menu item, accelerator, tool-bar button) is offered to a chain of targets
// (view, frame, application), each with a table from command id to handler. The same
// chain answers "update" queries, which decide the check mark, greying and text of a
// menu item, tool-bar button or status-bar pane before it is shown.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

// The state of one user-interface element as its update handler leaves it.
struct CommandUI {
    UINT id = 0;
    bool enabled = true;
    int check = 0;  // 0 unchecked, 1 checked
    bool hasText = false;
    std::string text;
    bool handled = false;  // some handler looked at it

    void Enable(bool on) {
        enabled = on;
        handled = true;
    }
    void SetCheck(bool on) {
        check = on ? 1 : 0;
        handled = true;
    }
    void SetText(std::string t) {
        text = std::move(t);
        hasText = true;
        handled = true;
    }
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // True when the command was handled.
    virtual bool OnCommand(UINT id, UINT notifyCode, HWND control) {
        (void)id, (void)notifyCode, (void)control;
        return false;
    }
    // True when the target knows the element.
    virtual bool OnUpdateCommand(CommandUI& ui) {
        (void)ui;
        return false;
    }
};

// Table entries for the common shapes of handlers. A class keeps
//   static const CommandEntry<CMyClass> kCommands[];
// and dispatches with DispatchCommand(this, kCommands, id).
template <typename T>
struct CommandEntry {
    UINT first;
    UINT last;  // inclusive; equal to `first` for a single command
    void (T::*handler)(UINT id);
};

template <typename T>
struct UpdateEntry {
    UINT first;
    UINT last;
    void (T::*handler)(CommandUI& ui);
};

template <typename T, size_t N>
bool DispatchCommand(T* self, const CommandEntry<T> (&table)[N], UINT id) {
    for (const auto& e : table) {
        if (id >= e.first && id <= e.last) {
            (self->*e.handler)(id);
            return true;
        }
    }
    return false;
}

template <typename T, size_t N>
bool DispatchUpdate(T* self, const UpdateEntry<T> (&table)[N], CommandUI& ui) {
    for (const auto& e : table) {
        if (ui.id >= e.first && ui.id <= e.last) {
            (self->*e.handler)(ui);
            return true;
        }
    }
    return false;
}

template <typename T, size_t N>
bool TableHas(const CommandEntry<T> (&table)[N], UINT id) {
    for (const auto& e : table)
        if (id >= e.first && id <= e.last) return true;
    return false;
}

// Updates every item of a pop-up menu through the chain before it opens. Items that no
// handler knows are greyed, as commands without a handler are.
void UpdateMenuItems(HMENU menu, CommandTarget& chain);

}  // namespace fw

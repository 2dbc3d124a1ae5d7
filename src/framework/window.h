// Window and dialog classes: an object owns its HWND and receives its messages through
// one virtual procedure; derived classes dispatch with message tables.
#pragma once
#include <windows.h>

#include <string>

#include "framework/command.h"

namespace fw {

// Notifications a parent hands back to the child they concern are sent as kReflectBase + message.
constexpr UINT kReflectBase = 0x2000;

template <typename T>
struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM wp, LPARAM lp);
};

// Finds `message` in the table; false when the class has no entry for it.
template <typename T, size_t N>
bool DispatchMessageTable(T* self, const MessageEntry<T> (&table)[N], UINT message, WPARAM wp, LPARAM lp,
                          LRESULT& result) {
    for (const auto& e : table) {
        if (e.message == message) {
            result = (self->*e.handler)(wp, lp);
            return true;
        }
    }
    return false;
}

class Window : public CommandTarget {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y, int w,
                int h, HWND parent, HMENU menu);
    // Registers a window class whose procedure forwards to Window objects.
    static bool RegisterClass(const char* className, HICON icon, HICON smallIcon, HBRUSH background,
                              UINT style = CS_DBLCLKS);

    // Key and mouse messages are offered here before they are translated and dispatched.
    virtual bool PreTranslateMessage(MSG& msg) {
        (void)msg;
        return false;
    }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp);
    LRESULT DefaultProc(UINT message, WPARAM wp, LPARAM lp);
    virtual void OnFinalMessage() {}

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);
};

// A dialog from a resource template: modal (DoModal) or a modeless child form (CreateForm).
class Dialog : public CommandTarget {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    INT_PTR DoModal(HWND parent);
    bool CreateForm(HWND parent);
    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    void EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

    virtual bool PreTranslateMessage(MSG& msg) {
        (void)msg;
        return false;
    }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // Dialog messages; return true with `result` set when handled.
    virtual bool DialogProc(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // Data exchange between members and controls: `save` true reads the controls.
    static void ExchangeInt(HWND dlg, int id, int& value, bool save, bool* ok = nullptr);
    static void ExchangeText(HWND dlg, int id, std::string& value, bool save);

    HWND hwnd_ = nullptr;
    int templateId_;
    bool modal_ = false;

private:
    static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);
};

std::string GetWindowTextString(HWND hwnd);
std::string LoadStringResource(UINT id);

}  // namespace fw

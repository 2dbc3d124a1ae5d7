// Answers the next dialog box the test's own thread shows (a message box or a modal dialog) and
// keeps what it held, so that code showing modal boxes can be tested without a person at the screen.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

struct CaughtBox {
    bool seen = false;
    std::string caption;
    std::string text;  // the message text of a message box
    bool hasOk = false;
    bool hasCancel = false;
};

class MessageBoxCatcher {
public:
    // `answer` is the command sent to the box (IDOK, IDCANCEL). `inspect` runs on the box first.
    explicit MessageBoxCatcher(int answer, std::function<void(HWND)> inspect = {});
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    CaughtBox box;
    int boxes = 0;  // how many boxes were answered

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK FindBox(HWND hwnd, LPARAM lp);

    int answer_;
    std::function<void(HWND)> inspect_;
    UINT_PTR timer_ = 0;
    HWND answered_ = nullptr;  // asked to close, perhaps not gone yet
};

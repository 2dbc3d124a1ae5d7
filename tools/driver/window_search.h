// Finding the reader's windows from outside: the frame by class name, controls by id anywhere below it,
// and the message boxes its process shows.
#pragma once

#include <windows.h>

#include <string>

struct Target {
    HWND frame = nullptr;
    DWORD pid = 0;
    DWORD thread = 0;
};

constexpr UINT kSendTimeoutMs = 5000;

// Polls for a top-level window of the class until it exists (and, when asked, is visible).
bool WaitForFrame(const std::wstring& className, DWORD timeoutMs, bool visible, Target& out);

// First descendant (depth first) of `root` whose control id is `id`, or null.
HWND FindControl(HWND root, int id);

// A top-level dialog-class window ("#32770") of the process, visible, or null; the topmost one first.
// With `plainOnly`, only a message box: a dialog whose controls are all buttons and statics, so that a
// find or records dialog left open is not taken for the box it shows.
HWND FindMessageBox(DWORD pid, bool plainOnly = false);
HWND WaitForMessageBox(DWORD pid, DWORD timeoutMs);
// Waits for a message box; when none comes within the time, any dialog of the process (or null).
HWND WaitForPlainMessageBox(DWORD pid, DWORD timeoutMs);

// The text of a message box: the static control holding the message.
std::wstring MessageBoxText(HWND box);

std::wstring ClassOf(HWND hwnd);
// WM_GETTEXT with a timeout, so a busy reader cannot hang the driver.
// Sends a message to a window of the reader and waits for the answer. A reader busy starting up or loading a
// book does not read its messages for a while and counts as hung: the send is tried again for up to about
// three seconds before it is given up.
bool SendPatiently(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result);
std::wstring TextOf(HWND hwnd);

bool ProcessAlive(DWORD pid);
bool WaitProcessEnd(DWORD pid, DWORD timeoutMs);

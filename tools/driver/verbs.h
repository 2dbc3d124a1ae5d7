// The driver's verbs. Each runs one action against the reader and prints its result on stdout.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "window_search.h"

struct Invocation {
    std::vector<std::wstring> args;   // positional arguments after the verb
    std::vector<std::wstring> flags;  // words such as ctrl, shift, --input
    DWORD timeoutMs = 10000;
    int toId = 0;  // --to ID: the control a key, drop or text goes to
    Target target;

    bool Has(const wchar_t* flag) const;
    // Positional argument i as an integer; false when missing or not a number.
    bool IntArg(size_t i, long& out) const;
};

// Exit codes: 0 done, 1 not found or failed, 2 wrong use.
int VerbTitle(Invocation& in);
int VerbText(Invocation& in);
int VerbStatus(Invocation& in);
int VerbFirstLine(Invocation& in);
int VerbMsgBox(Invocation& in);
int VerbMenuState(Invocation& in);
int VerbControls(Invocation& in);
int VerbPid(Invocation& in);
int VerbRect(Invocation& in);
int VerbScreen(Invocation& in);
int VerbFocused(Invocation& in);
int VerbVisible(Invocation& in);
int VerbRows(Invocation& in);
int VerbWaitGoneMsgBox(Invocation& in);
int VerbSelectRow(Invocation& in);

int VerbCommand(Invocation& in);
int VerbKey(Invocation& in);
int VerbType(Invocation& in);
int VerbSetText(Invocation& in);
int VerbAnswer(Invocation& in);
int VerbDrop(Invocation& in);
int VerbClose(Invocation& in);
int VerbMove(Invocation& in);
int VerbFocus(Invocation& in);
int VerbDismiss(Invocation& in);
int VerbClick(Invocation& in);
// verbs_edit.cpp
int VerbSelect(Invocation& in);
int VerbSelection(Invocation& in);
int VerbEnabled(Invocation& in);
int VerbToolbarPressed(Invocation& in);
int VerbDoubleClick(Invocation& in);
// verbs_look.cpp
int VerbPostFrame(Invocation& in);
// verbs_appearance.cpp
int VerbCharFormat(Invocation& in);
int VerbFormatRect(Invocation& in);
int VerbComboPick(Invocation& in);
int VerbTick(Invocation& in);
// verbs_soak.cpp
int VerbResources(Invocation& in);
int VerbSoakTurns(Invocation& in);
int VerbOpenBooks(Invocation& in);
int VerbCommands(Invocation& in);
// verbs_shell.cpp
int VerbTooltip(Invocation& in);
int VerbHover(Invocation& in);
int VerbHoverAt(Invocation& in);
int VerbMouseClick(Invocation& in);
int VerbSysColor(Invocation& in);
int VerbOpenMenu(Invocation& in);
int VerbCloseMenu(Invocation& in);
int VerbFileVersion(Invocation& in);
int VerbRegVolatile(Invocation& in);
// Moves the pointer to a screen point as a real mouse would (verbs_shell.cpp).
bool MovePointer(int x, int y);
// The top-level windows of process PID whose class is CLASS_NAME.
std::vector<HWND> TopLevelOfClass(DWORD pid, const wchar_t* className);
// verbs_library.cpp
int VerbHoverForm(Invocation& in);
int VerbMenuItems(Invocation& in);

// The WM_DROPFILES block that names one file, as Explorer hands a drop to a window.
std::vector<char> DropBlockFor(const std::wstring& path);

// Brings the reader forward with the focus on `control`, so that synthesized input reaches it.
void FocusControl(const Target& target, HWND control);
bool WaitMessageBoxGone(HWND box, DWORD timeoutMs);

// The length of a rich edit's text in characters, from its last line (verbs_pages.cpp).
bool EditTextLength(HWND edit, size_t& length);
// A rich edit's text from its start, at most maxChars characters, as Unicode (verbs_pages.cpp).
bool RichTextHead(const Target& target, HWND edit, size_t maxChars, std::wstring& out);

// The control a verb addresses: --to ID, else the given default id; prints an error when it is missing.
HWND ControlOrReport(const Invocation& in, int defaultId);
// verbs_pages.cpp
int VerbPageText(Invocation& in);
int VerbReadPages(Invocation& in);
int VerbTurnPages(Invocation& in);
// verbs_bench.cpp
int VerbWaitPage(const std::wstring& className, Invocation& in);
int VerbTimeTurns(Invocation& in);
// verbs_tray_settings.cpp
int VerbTrayTips(Invocation& in);
int VerbTrayIcon(Invocation& in);
int VerbPopupChoose(Invocation& in);
int VerbFrameState(Invocation& in);
int VerbChecked(Invocation& in);
int VerbCombo(Invocation& in);
int VerbComboPickIndex(Invocation& in);
int VerbComboType(Invocation& in);
int VerbPress(Invocation& in);
int VerbDialogState(Invocation& in);
int VerbToolbarLayout(Invocation& in);
int VerbStatusParts(Invocation& in);
int VerbBoxIcon(Invocation& in);
int VerbSetHotKey(Invocation& in);
// verbs_page_extras.cpp
int VerbWatchScroll(Invocation& in);
int VerbWatchText(Invocation& in);
int VerbScrollBack(Invocation& in);
int VerbBoxIconRect(Invocation& in);

// The Help menu's shortcut help and web links, and the texts the About box and the help share.
#pragma once
#include <windows.h>

#include <string>

// Caption of the shell side's message boxes: the program's title.
std::string MessageCaption();

// The keyboard shortcuts as command 32845 shows them, every line ending in CR LF.
std::string ShortcutHelpText();
// The usage notes of the About box, every line ending in CR LF.
std::string AboutUsageNotes();

// The web address a link command opens, or nullptr when `id` is not a link command.
const char* HelpLinkAddress(UINT id);

// Opens a web address in the system's browser with the shell's "open" verb; the result is not looked at.
void OpenWebAddress(HWND owner, const char* address);
using OpenAddressFn = void (*)(HWND owner, const char* address);

// Commands 57664 (About box), 32845 (shortcut help) and the link commands 32814, 32828, 32811, 32826,
// 32812, 32810 and 32825. False when `id` is none of them. Tests pass their own `open`.
bool HandleHelpCommand(HWND owner, UINT id, OpenAddressFn open = &OpenWebAddress);
// True for the commands HandleHelpCommand takes: their update handler enables them.
bool IsHelpCommand(UINT id);

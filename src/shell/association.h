// The ".txt" context-menu entry: a verb "Pelin阅读器" under the shell's existing txtfile type that runs
// the program with the file's path. The registry root is a parameter so that tests can work under a
// scratch key instead of HKEY_CLASSES_ROOT.
#pragma once
#include <windows.h>

#include <string>

#include "framework/command.h"

constexpr char kTxtVerbKey[] = "txtfile\\shell\\Pelin阅读器";
constexpr char kTxtVerbCommandKey[] = "txtfile\\shell\\Pelin阅读器\\command";
constexpr char kTxtVerbText[] = "用Pelin阅读器打开";

// The command value of the verb: the quoted program path, a blank, the quoted "%1".
std::string TxtVerbCommand(const std::string& programPath);
// The full path of the running program's file, however long it is.
std::string ProgramFilePath();

// True when the verb key can be opened for reading (a verb without its command subkey counts).
bool TxtVerbPresent(HKEY root);
// Writes both keys; only the command value decides the result.
bool AddTxtVerb(HKEY root, const std::string& programPath);
// Deletes the command subkey, then the verb key; the second deletion decides the result.
bool RemoveTxtVerb(HKEY root);

// The association flag of the view with its command 32855.
class CTxtAssociation {
public:
    explicit CTxtAssociation(HKEY root = HKEY_CLASSES_ROOT) : root_(root) {}

    // At start-up: the flag mirrors whether the verb is in the registry.
    void ReadFlag() { flag_ = TxtVerbPresent(root_) ? 1 : 0; }
    int Flag() const { return flag_; }

    // Adds the verb when the flag is 0, removes it when 1, and returns the message to show;
    // the flag changes only when the registry took the change.
    const char* Toggle(const std::string& programPath);
    // Command 32855 as the menu runs it: toggles for the running program and tells the reader.
    void OnToggleCommand(HWND owner);
    // The menu item is ticked exactly while the verb is present.
    void OnUpdateToggle(fw::CommandUI& ui) const { ui.SetCheck(flag_ == 1); }

private:
    HKEY root_;
    int flag_ = 0;
};

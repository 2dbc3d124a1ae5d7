// pel_driver: one action against a running Pelinreader per call, results on stdout in UTF-8.
//
//   pel_driver [--class NAME] [--timeout MS] [--to ID] [--box] VERB ARGS...
//
// Verbs: wait-window [--visible], pid, rect [ID], screen, title, text ID, status PANE, first-line, controls,
// visible ID, focused, rows ID, select-row ID ROW, msgbox, wait-gone-msgbox, menu-state ID, command ID,
// key KEY [ctrl] [shift] [alt] [--input], focus ID, type ID TEXT, set-text ID TEXT,
// answer ok|cancel|yes|no|..., dismiss, click ID, drop PATH, move X Y W H, close [--exit], gone;
// select ID START END, selection ID, enabled ID, toolbar-pressed ID,
// double-click ID;
// tooltip ID, hover ID, hover-at X Y, mouse-click ID, syscolor N, open-menu LETTER, close-menu,
// file-version PATH, reg-volatile KEY;
// hover-form, menu-items POPUP (a pop-up of the menu bar, read inside the reader by pel_menu_probe.dll).
// char-format [ID] [--selection], format-rect [ID], combo-pick ID TEXT, tick ID [off].
// tray-tips, tray-icon add|delete, popup-choose N, frame-state, checked ID, combo ID, combo-pick-index ID N,
// combo-type ID TEXT, press ID, dialog-state ID..., toolbar-layout, status-parts TEXT,
// box-icon, set-hotkey ID VK.
// --box aims the verb at the reader's message box or dialog instead of its frame (title, text, controls,
// rows of a dialog's list, select-row, click). --catch-box after a key or command prints the caption and text
// of the message box it brings up and then the milliseconds until that box has gone.
#include <windows.h>
// The headers below need windows.h first.
#include <shellapi.h>

#include <cwchar>
#include <map>

#include "utf8_out.h"
#include "verbs.h"

bool Invocation::Has(const wchar_t* flag) const {
    for (const std::wstring& f : flags)
        if (_wcsicmp(f.c_str(), flag) == 0) return true;
    return false;
}

bool Invocation::IntArg(size_t i, long& out) const {
    if (i >= args.size() || args[i].empty()) return false;
    wchar_t* end = nullptr;
    out = std::wcstol(args[i].c_str(), &end, 10);
    return end && *end == L'\0';
}

namespace {

using VerbFn = int (*)(Invocation&);

const std::map<std::wstring, VerbFn> kVerbs = {
    {L"pid", VerbPid},
    {L"rect", VerbRect},
    {L"title", VerbTitle},
    {L"text", VerbText},
    {L"status", VerbStatus},
    {L"first-line", VerbFirstLine},
    {L"controls", VerbControls},
    {L"msgbox", VerbMsgBox},
    {L"menu-state", VerbMenuState},
    {L"command", VerbCommand},
    {L"key", VerbKey},
    {L"type", VerbType},
    {L"set-text", VerbSetText},
    {L"answer", VerbAnswer},
    {L"drop", VerbDrop},
    {L"close", VerbClose},
    {L"screen", VerbScreen},
    {L"focused", VerbFocused},
    {L"visible", VerbVisible},
    {L"rows", VerbRows},
    {L"wait-gone-msgbox", VerbWaitGoneMsgBox},
    {L"move", VerbMove},
    {L"focus", VerbFocus},
    {L"dismiss", VerbDismiss},
    {L"select-row", VerbSelectRow},
    {L"click", VerbClick},
    {L"select", VerbSelect},
    {L"selection", VerbSelection},
    {L"enabled", VerbEnabled},
    {L"toolbar-pressed", VerbToolbarPressed},
    {L"double-click", VerbDoubleClick},
    {L"page-text", VerbPageText},
    {L"read-pages", VerbReadPages},
    {L"turn-pages", VerbTurnPages},
    {L"post-frame", VerbPostFrame},
    {L"resources", VerbResources},
    {L"soak-turns", VerbSoakTurns},
    {L"open-books", VerbOpenBooks},
    {L"commands", VerbCommands},
    {L"tooltip", VerbTooltip},
    {L"hover", VerbHover},
    {L"hover-at", VerbHoverAt},
    {L"mouse-click", VerbMouseClick},
    {L"syscolor", VerbSysColor},
    {L"open-menu", VerbOpenMenu},
    {L"close-menu", VerbCloseMenu},
    {L"file-version", VerbFileVersion},
    {L"reg-volatile", VerbRegVolatile},
    {L"time-turns", VerbTimeTurns},
    {L"hover-form", VerbHoverForm},
    {L"menu-items", VerbMenuItems},
    {L"char-format", VerbCharFormat},
    {L"format-rect", VerbFormatRect},
    {L"combo-pick", VerbComboPick},
    {L"tick", VerbTick},
    {L"tray-tips", VerbTrayTips},
    {L"tray-icon", VerbTrayIcon},
    {L"popup-choose", VerbPopupChoose},
    {L"frame-state", VerbFrameState},
    {L"checked", VerbChecked},
    {L"combo", VerbCombo},
    {L"combo-pick-index", VerbComboPickIndex},
    {L"combo-type", VerbComboType},
    {L"press", VerbPress},
    {L"dialog-state", VerbDialogState},
    {L"toolbar-layout", VerbToolbarLayout},
    {L"status-parts", VerbStatusParts},
    {L"box-icon", VerbBoxIcon},
    {L"set-hotkey", VerbSetHotKey},
    {L"watch-scroll", VerbWatchScroll},
    {L"watch-text", VerbWatchText},
    {L"scroll-back", VerbScrollBack},
    {L"box-icon-rect", VerbBoxIconRect},
};

// Words that are modifiers or switches rather than positional arguments.
bool IsFlag(const std::wstring& word) {
    return word == L"ctrl" || word == L"shift" || word == L"alt" || word == L"--input" ||
           word == L"--visible" || word == L"--exit" || word == L"--catch-box" || word == L"--selection" ||
           word == L"off";
}

int Usage() {
    PrintError(
        L"usage: pel_driver [--class NAME] [--timeout MS] [--to ID] [--box] VERB ARGS...\n"
        L"verbs: wait-window [--visible] | gone | pid | rect [ID] | screen | title | text ID | status PANE "
        L"|\n"
        L"       first-line | controls | visible ID | focused | rows ID | select-row ID ROW | msgbox |\n"
        L"       wait-gone-msgbox | menu-state ID | command ID | key KEY [ctrl] [shift] [alt] [--input] |\n"
        L"       focus ID | type ID TEXT | set-text ID TEXT | answer ok|cancel|yes|no | dismiss | click ID "
        L"|\n"
        L"       drop PATH | move X Y W H | close [--exit] |\n"
        L"       watch-scroll MS [answer [THEN_MS]] | scroll-back N MS | watch-text ID MS | box-icon-rect");
    return 2;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return 2;
    std::wstring className = L"PelinreaderFrame";
    std::wstring verb;
    Invocation in;
    bool timeoutGiven = false;
    bool inBox = false;
    for (int i = 1; i < argc; ++i) {
        std::wstring word = argv[i];
        if ((word == L"--class" || word == L"--timeout" || word == L"--to") && i + 1 < argc) {
            std::wstring value = argv[++i];
            if (word == L"--class") className = value;
            if (word == L"--timeout") {
                in.timeoutMs = static_cast<DWORD>(std::wcstoul(value.c_str(), nullptr, 10));
                timeoutGiven = true;
            }
            if (word == L"--to") in.toId = static_cast<int>(std::wcstol(value.c_str(), nullptr, 10));
        } else if (word == L"--box") {
            inBox = true;
        } else if (verb.empty()) {
            verb = word;
        } else if (IsFlag(word)) {
            in.flags.push_back(word);
        } else {
            in.args.push_back(word);
        }
    }
    LocalFree(argv);
    if (verb.empty()) return Usage();

    if (verb == L"wait-window") {
        if (!WaitForFrame(className, in.timeoutMs, in.Has(L"--visible"), in.target)) {
            PrintError(L"no window of class " + className);
            return 1;
        }
        return 0;
    }
    if (verb == L"wait-page") return VerbWaitPage(className, in);
    // gone: waits until no window of the class is left (the reader has ended or never started).
    if (verb == L"gone") {
        DWORD start = GetTickCount();
        while (FindWindowW(className.c_str(), nullptr)) {
            if (GetTickCount() - start >= in.timeoutMs) return 1;
            Sleep(50);
        }
        return 0;
    }
    auto it = kVerbs.find(verb);
    if (it == kVerbs.end()) return Usage();
    // Verbs about files and the registry need no reader.
    if (verb == L"file-version" || verb == L"reg-volatile") return it->second(in);
    // Every other verb needs the window; a short wait covers a reader that is still starting.
    if (!WaitForFrame(className, timeoutGiven ? in.timeoutMs : 3000, false, in.target)) {
        PrintError(L"no window of class " + className);
        return 1;
    }
    if (inBox) {
        HWND box = WaitForMessageBox(in.target.pid, timeoutGiven ? in.timeoutMs : 3000);
        if (!box) {
            PrintError(L"no message box");
            return 1;
        }
        in.target.frame = box;
    }
    int rc = it->second(in);
    // --catch-box: the box that the key or command brings up, read by the same process that sent it, and
    // how long it stayed; a box that closes itself after a second is gone before another driver has started.
    if (rc == 0 && in.Has(L"--catch-box")) {
        rc = VerbMsgBox(in);
        if (rc == 0) rc = VerbWaitGoneMsgBox(in);
    }
    return rc;
}

// Edit mode, the clipboard, find and replace, saving; the page's context menu and web search.
#include <windows.h>
#include <commdlg.h>
#include <richedit.h>
#include <shellapi.h>

#include "app/pelinreader_app.h"
#include "resource.h"
#include "ui/pelinreader_view.h"

void CPelinreaderView::OnEditCommand(UINT id) {
    switch (id) {
        case ID_EDIT_MODE:
            edit_.ToggleEditMode();
            break;
        case ID_EDIT_COPY:
            edit_.Copy();
            break;
        case ID_EDIT_CUT:
            edit_.Cut();
            break;
        case ID_EDIT_PASTE:
            edit_.Paste();
            break;
        case ID_EDIT_UNDO:
            edit_.Undo();
            break;
        case ID_EDIT_FIND:
            edit_.OpenFindDialog();
            break;
        case ID_EDIT_REPLACE:
            edit_.OpenReplaceDialog();
            break;
        case ID_FILE_SAVE:
            edit_.SavePageAndReload();
            break;
        case ID_FILE_SAVE_AS:
            edit_.SaveAs();
            break;
        default:
            break;
    }
}

void CPelinreaderView::OnUpdateEditMode(fw::CommandUI& ui) { ui.SetCheck(edit_.Editing()); }

void CPelinreaderView::ReapFindDialogs() {
    findDialogs_.remove_if([](const FindDialog& d) { return d.closing && !IsWindow(d.hwnd); });
}

void CPelinreaderView::CreateFindDialog(const std::string& findWhat, bool replace) {
    ReapFindDialogs();
    FindDialog& d = findDialogs_.emplace_back();
    // A long selection is cut at a character boundary, never inside a double-byte character.
    const std::size_t n = pel::CharBoundaryBefore(findWhat, sizeof d.findWhat - 1);
    findWhat.copy(d.findWhat, n);
    d.findWhat[n] = '\0';
    d.fr.lStructSize = sizeof d.fr;
    d.fr.hwndOwner = hwnd_;
    // Find only: the direction buttons are shown, disabled (the search always runs down).
    d.fr.Flags = FR_DOWN | (replace ? 0 : FR_NOUPDOWN);
    d.fr.lpstrFindWhat = d.findWhat;
    d.fr.wFindWhatLen = sizeof d.findWhat;
    d.fr.lpstrReplaceWith = d.replaceWith;
    d.fr.wReplaceWithLen = sizeof d.replaceWith;
    d.hwnd = replace ? ReplaceTextA(&d.fr) : FindTextA(&d.fr);
    if (!d.hwnd) {
        findDialogs_.pop_back();
        return;
    }
    ShowWindow(d.hwnd, SW_SHOW);
    SetActiveWindow(d.hwnd);
}

void CPelinreaderView::OnFindNotification(const FINDREPLACEA& fr) {
    pel::FindRequest request;
    request.findWhat = fr.lpstrFindWhat ? fr.lpstrFindWhat : "";
    request.replaceWith = fr.lpstrReplaceWith ? fr.lpstrReplaceWith : "";
    request.matchCase = (fr.Flags & FR_MATCHCASE) != 0;
    request.wholeWord = (fr.Flags & FR_WHOLEWORD) != 0;
    if (fr.Flags & FR_DIALOGTERM) {
        request.action = pel::FindAction::kClosing;
        edit_.OnFindNotification(request);
        // The dialog destroys its window after this notification and may still read the structure and
        // its buffers until then: they are freed once the window is gone.
        for (FindDialog& d : findDialogs_) {
            if (&d.fr == &fr) d.closing = true;
        }
        return;
    }
    request.action = (fr.Flags & FR_REPLACEALL) ? pel::FindAction::kReplaceAll
                     : (fr.Flags & FR_REPLACE)  ? pel::FindAction::kReplace
                                                : pel::FindAction::kFindNext;
    edit_.OnFindNotification(request);
}

void CPelinreaderView::ListOnlySavedBook(const std::string& fileName) {
    // The one line is the saved book, whichever folder or archive was listed before; it opens the
    // book's new file.
    const std::string& path = reader_.BookPath();
    library_.ShowOnly(pel::FileNameOf(path) == fileName ? path : fileName);
    ShowLibraryRows();
}

bool CPelinreaderView::AskSaveAsPath(std::string& path) {
    char file[MAX_PATH * 4] = "";
    std::string filter = std::string(pel::kSaveAsFilterName) + '\0' + pel::kSaveAsFilterPattern + '\0';
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app_.MainWindow();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = pel::kSaveAsTitle;
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!GetSaveFileNameA(&ofn)) return false;
    path = file;
    return true;
}

void CPelinreaderView::ShowContextMenu() {
    SetFocus(hwnd_);
    pel::ContextMenuState state;
    CHARRANGE sel{};
    SendMessageA(page_.hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    state.selectionEmpty = sel.cpMax <= sel.cpMin;
    state.canPaste = SendMessageA(page_.hwnd(), EM_CANPASTE, 0, 0) != 0;
    state.canUndo = SendMessageA(page_.hwnd(), EM_CANUNDO, 0, 0) != 0;
    state.editMode = edit_.Editing();
    fw::UniqueMenu menu(CreatePopupMenu());
    for (const pel::ContextMenuItem& item : pel::BuildContextMenu(state)) {
        if (item.IsSeparator())
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu.get(), MF_STRING | (item.grayed ? MF_GRAYED : 0), static_cast<UINT_PTR>(item.id),
                        item.label.c_str());
    }
    POINT pt;
    GetCursorPos(&pt);
    const UINT id = static_cast<UINT>(TrackPopupMenu(
        menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0, hwnd_, nullptr));
    // The chosen command goes the way of every command, so the frame's own ones are found too.
    if (id) PostMessageA(app_.MainWindow(), WM_COMMAND, id, 0);
}

void CPelinreaderView::OnWebSearch(UINT id) { pel::WebSearch(static_cast<int>(id), *this); }

void CPelinreaderView::OpenUrl(const std::string& url) {
    ShellExecuteA(app_.MainWindow(), "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CPelinreaderView::OnFullScreenKeys(UINT) {
    // Ctrl+Enter as keystrokes, so the accelerator reaches the frame as if typed.
    INPUT in[4]{};
    const WORD keys[4] = {VK_CONTROL, VK_RETURN, VK_RETURN, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (i >= 2 ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(4, in, sizeof(INPUT));
}

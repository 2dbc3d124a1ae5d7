// Edit mode of the page, the clipboard commands, find and replace over the page, and saving the edited
// page into the book (SavePage, SavePageAndReload, save-as) with the questions that lead to it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "book/platform.h"
#include "book/reader.h"
#include "edit/edit_control.h"
#include "edit/find_text.h"
#include "edit/save_place.h"

namespace pel {

// The page control's text limit while it can be edited: 0x6FFFFFFF characters.
constexpr int kEditTextLimit = 1879048191;

// The second button of a question is its default (MB_DEFBUTTON2).
constexpr unsigned kMbDefButton2 = 0x100;

// What a save did. After kFailed (the file-error or another message has been shown) and kDeclined (the
// reader said No to a warning before writing), the file is as it was, the edits are on the page, and the
// page turn, opening or exit that asked for the save does not go on.
enum class SaveOutcome { kNothingToSave, kSaved, kFailed, kDeclined };

inline bool Stops(SaveOutcome outcome) {
    return outcome == SaveOutcome::kFailed || outcome == SaveOutcome::kDeclined;
}

// The notice shown on entering edit mode for a book of `encoding` (nullptr for "ANSI").
const char* EditModeNotice(int encoding);

class EditSession {
public:
    EditSession(Reader& reader, IPageControl& page, IEditControl& edit, IEditHost& host, IFileSystem& files,
                ICodePage& codePage);

    // The edit-mode flag; command 108's button and menu item are pressed or ticked exactly when it is on.
    bool Editing() const { return editing_; }
    // Edit mode is on and the page has been edited since it was filled.
    bool EditedTextModified();

    void ToggleEditMode();  // 108
    // A book is loaded or reloaded (OpenBook, through IReaderHost::EndEditMode): back to reading.
    void EndForLoad();

    void Copy() { edit_.Copy(); }    // 57634
    void Cut() { edit_.Cut(); }      // 57635
    void Paste() { edit_.Paste(); }  // 57637
    void Undo() { edit_.Undo(); }    // 57643

    void OpenFindDialog() { OpenDialog(false); }    // 57636
    void OpenReplaceDialog() { OpenDialog(true); }  // 57641
    void OnFindNotification(const FindRequest& request);

    SaveOutcome SavePage();
    SaveOutcome SavePageAndReload();  // 57603
    void SaveAs();                    // 57604

    // Asks the question of `place` when its condition holds and carries out Yes. False when the save
    // failed and the caller must stay where it is.
    bool OfferToSave(SavePlace place);

    const std::string& FindText() const { return findText_; }
    const std::string& ReplaceText() const { return replaceText_; }
    long long SearchPosition() const { return searchPosition_; }

private:
    void OpenDialog(bool replace);
    void FindNext(FindOptions options);
    void Replace(FindOptions options);
    void ReplaceAll(FindOptions options);
    // Searches the control from the search position; selects a match and gives its position.
    bool FindAndSelect(FindOptions options, long long& found);
    void ShowNotFound();
    void DropEdits();
    // Makes `pieces` the whole content of `path`; shows the file-error message on failure.
    bool WriteFile(const std::string& path, const std::vector<std::string_view>& pieces);
    // Writes the page as the control holds it into the book file at `path`, keeping every byte of the file
    // outside the page; refuses (with a message) a file that no longer holds the working text, and asks
    // before characters would be lost. `keptPage` is the page as the working text takes it.
    SaveOutcome WriteIntoBook(const std::string& path, const std::string& controlText, std::string& keptPage);

    Reader& reader_;
    IPageControl& page_;
    IEditControl& edit_;
    IEditHost& host_;
    IFileSystem& files_;
    ICodePage& codePage_;

    bool editing_ = false;
    std::string findText_;
    std::string replaceText_;
    long long searchPosition_ = 0;
};

}  // namespace pel

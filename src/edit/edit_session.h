// Edit mode of the page, the clipboard commands, find and replace over the page, and saving the edited
// page into the book (SavePage, SavePageAndReload, save-as) with the questions that lead to it.
#pragma once
#include <string>
#include <string_view>

#include "book/platform.h"
#include "book/reader.h"
#include "edit/edit_control.h"
#include "edit/find_text.h"

namespace pel {

// The page control's text limit while it can be edited: 0x6FFFFFFF characters.
constexpr int kEditTextLimit = 1879048191;

// What a save did. The caller of a failed save does not go on with the page turn, opening or exit that
// asked for it; the file-error message has been shown.
enum class SaveOutcome { kNothingToSave, kSaved, kFailed };

// The places that ask whether to save before the page or the book is left.
enum class SavePlace {
    kPageTurn,       // next and previous page: "是否保存文本？", SavePageAndReload
    kLibraryBook,    // a book from the library sidebar: "是否保存文本？", SavePage
    kBookmark,       // a bookmark: "是否保存文本？", SavePage
    kReadingRecord,  // a reading record: "是否保存当前文本？", SavePage
    kJumpToPercent,  // the jump dialog confirmed: "是否保存当前文本？", SavePage
    kExit,           // exit, asked whenever edit mode is on: "是否保存文本？", SavePage
};

// The notice shown on entering edit mode for a book of `encoding` (nullptr for "ANSI").
const char* EditModeNotice(int encoding);

class EditSession {
public:
    EditSession(Reader& reader, IPageControl& page, IEditControl& edit, IEditHost& host, IFileSystem& files);

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
    // The page as it goes into the file, from the control's text.
    std::string PageToSave(std::string_view controlText) const;
    // Writes BookText before the page, `page` and BookText after the page to `path`; shows the file-error
    // message on failure. `keepFileBefore`: the bytes before the page are taken from the file itself.
    bool WriteBook(const std::string& path, std::string_view page, bool keepFileBefore);

    Reader& reader_;
    IPageControl& page_;
    IEditControl& edit_;
    IEditHost& host_;
    IFileSystem& files_;

    bool editing_ = false;
    std::string findText_;
    std::string replaceText_;
    long long searchPosition_ = 0;
};

}  // namespace pel

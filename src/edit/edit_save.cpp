// Saving the edited page into the book file, save-as, and the questions asked before leaving a page.
#include "book/decode.h"
#include "book/file_errors.h"
#include "book/message_flags.h"
#include "book/page_text.h"
#include "edit/edit_session.h"
#include "edit/saved_page.h"

namespace pel {

std::string EditSession::PageToSave(std::string_view controlText) const {
    const std::string_view original = reader_.CurrentPageBytes();
    if (reader_.pagingMode == kPagingWhole) return RestoreUneditedBytes(original, original, controlText);
    return RestoreUneditedBytes(original, MakePageText(original), controlText);
}

bool EditSession::WriteBook(const std::string& path, std::string_view page, bool keepFileBefore) {
    FileError error = FileError::kNone;
    // No book file behind the page, or a member inside an archive: there is no file of that name to write.
    if (path.empty() || FindLastOf(path, "|") != std::string::npos) {
        error = FileError::kBadPath;
    } else {
        const std::string_view text = reader_.Text();
        const std::string_view shown = reader_.CurrentPageBytes();
        const std::size_t start = static_cast<std::size_t>(shown.data() - text.data());
        std::string_view before = text.substr(0, start);
        std::string fileBefore;
        // An ANSI book keeps the bytes of its file before the page; a file that has become shorter than
        // that takes the working text's instead.
        if (keepFileBefore && start > 0 && files_.ReadPrefix(path, start, fileBefore) &&
            fileBefore.size() == start) {
            before = fileBefore;
        }
        const std::string_view after = text.substr(start + shown.size());
        if (files_.WriteAllReplacing(path, {before, page, after}, error)) return true;
    }
    host_.MessageBox(FileErrorText(error, path), kAppCaption, kMbOk | kMbIconStop);
    return false;
}

SaveOutcome EditSession::SavePage() {
    if (!editing_ || !edit_.IsModified()) return SaveOutcome::kNothingToSave;
    const std::string controlText = edit_.Text();
    // After a pagination stopped at the page limit the control holds no page of the book to write back.
    if (reader_.CurrentPage() > reader_.PageCount() || !reader_.ShowsPage())
        return SaveOutcome::kNothingToSave;
    const std::string page = PageToSave(controlText);
    // An archive member path names no file that could be written; any other book goes to the file it was
    // read from.
    const std::string& path = FindLastOf(reader_.BookPath(), "|") != std::string::npos
                                  ? reader_.BookPath()
                                  : reader_.BookFilePath();
    if (!WriteBook(path, page, reader_.TextEncoding() == kEncodingAnsi)) return SaveOutcome::kFailed;
    // The working text follows the file, so that a later save of another page keeps this one.
    reader_.ReplaceCurrentPage(page);
    return SaveOutcome::kSaved;
}

SaveOutcome EditSession::SavePageAndReload() {
    const SaveOutcome saved = SavePage();
    if (saved != SaveOutcome::kSaved) return saved;
    if (reader_.pagingMode == kPagingWhole) {
        page_.ClearModified();
        return saved;
    }
    const int pageNumber = reader_.CurrentPage();
    const int line = page_.FirstVisibleLine();
    const std::string path = reader_.BookPath();
    reader_.OpenBook(path);
    // The file holds the page; a reload that failed leaves the saved text in memory, still under its path.
    if (reader_.BookPath().empty()) reader_.SetBookPath(path);
    reader_.ShowPage(pageNumber);
    page_.ScrollLines(line);
    if (!editing_) {
        editing_ = true;
        edit_.SetReadOnly(false);
        page_.ClearModified();
    }
    return saved;
}

void EditSession::SaveAs() {
    const std::string controlText = edit_.Text();
    std::string chosen;
    if (!host_.AskSaveAsPath(chosen)) return;
    if (reader_.CurrentPage() > reader_.PageCount() || !reader_.ShowsPage()) return;
    const std::string page = PageToSave(controlText);
    const std::string target = SaveAsPath(chosen);
    // The book moves to the new file only once the file holds it.
    if (!WriteBook(target, page, false)) return;
    reader_.SetBookPath(target);
    host_.ShowOnlyInLibrary(FileNameOf(target));
    reader_.ReplaceCurrentPage(page);
    host_.MessageBox("文件已另保存为: " + target, kAppCaption, kMbOk);
    page_.ClearModified();
}

bool EditSession::OfferToSave(SavePlace place) {
    const bool ask = place == SavePlace::kExit ? editing_ : EditedTextModified();
    if (!ask) return true;
    const bool current = place == SavePlace::kReadingRecord || place == SavePlace::kJumpToPercent;
    const char* question = current ? "是否保存当前文本？" : "是否保存文本？";
    if (host_.MessageBox(question, kAppCaption, kMbYesNo | kMbIconExclamation) != kIdYes) return true;
    const SaveOutcome outcome = place == SavePlace::kPageTurn ? SavePageAndReload() : SavePage();
    return outcome != SaveOutcome::kFailed;
}

}  // namespace pel

// Saving the edited page into the book file, save-as, and the questions asked before leaving a page.
#include <new>

#include "book/decode.h"
#include "book/file_errors.h"
#include "book/message_flags.h"
#include "book/page_text.h"
#include "edit/book_file.h"
#include "edit/edit_session.h"
#include "edit/saved_page.h"

namespace pel {

namespace {

constexpr const char* kOutOfMemory = "内存不足，无法保存！文件未改动，编辑的文本仍在页面上。";
constexpr const char* kOutOfMemoryAfterWrite = "内存不足！文本已保存到文件，请重新打开本书。";
constexpr const char* kNotFullyRead =
    "此文本未能完整读出（编码不符或含有无法识别的内容），保存会毁掉文件中未读出的部分。未保存，文件未改动。";
constexpr const char* kChangedOnDisk = "文件在打开后已被改动，保存会覆盖这些改动。未保存，文件未改动。";

std::string LossQuestion(long long lost) {
    return "此文本有 " + std::to_string(lost) +
           " 个字符无法以ANSI编码保存，保存后将变成\"?\"，原字符无法恢复。是否仍然保存？";
}

bool NamesNoFile(const std::string& path) {
    return path.empty() || FindLastOf(path, "|") != std::string::npos;
}

}  // namespace

bool EditSession::WriteFile(const std::string& path, const std::vector<std::string_view>& pieces) {
    FileError error = FileError::kBadPath;
    // No book file behind the page, or a member inside an archive: there is no file of that name to write.
    if (!NamesNoFile(path) && files_.WriteAllReplacing(path, pieces, error)) return true;
    host_.MessageBox(FileErrorText(error, path), kAppCaption, kMbOk | kMbIconStop);
    return false;
}

SaveOutcome EditSession::WriteIntoBook(const std::string& path, const std::string& controlText,
                                       std::string& keptPage) {
    const std::string_view text = reader_.Text();
    const std::string_view shownBytes = reader_.CurrentPageBytes();
    const std::size_t start = static_cast<std::size_t>(shownBytes.data() - text.data());
    const std::size_t end = start + shownBytes.size();
    const std::string shown = reader_.ShownPageText();
    keptPage = RestoreUneditedBytes(shownBytes, shown, controlText);
    if (NamesNoFile(path)) return WriteFile(path, {}) ? SaveOutcome::kSaved : SaveOutcome::kFailed;

    const bool blanked = reader_.deleteBlankLines == 1;
    std::string file;
    if (files_.ReadAll(path, file) && FileHoldsText(file, text, blanked)) {
        // The file holds the text it was read from: only the page changes, every byte before and after it
        // stays as it is on disk (blank lines, a NUL and what follows it included).
        const std::string_view bytes = file;
        const std::string filePage =
            RestoreUneditedBytes(bytes.substr(start, end - start), shown, controlText);
        return WriteFile(path, {bytes.substr(0, start), filePage, bytes.substr(end)}) ? SaveOutcome::kSaved
                                                                                      : SaveOutcome::kFailed;
    }
    if (!file.empty()) {
        if (reader_.TextEncoding() == kEncodingAnsi) {
            host_.MessageBox(kChangedOnDisk, kAppCaption, kMbOk | kMbIconStop);
            return SaveOutcome::kFailed;
        }
        // The book is rewritten in code page 936: only a text that is the whole file may replace it.
        const RewriteCheck check = CheckRewrite(file, reader_.TextEncoding(), text, blanked, codePage_);
        std::string().swap(file);
        if (!check.holdsText) {
            host_.MessageBox(kNotFullyRead, kAppCaption, kMbOk | kMbIconStop);
            return SaveOutcome::kFailed;
        }
        if (check.lostCharacters > 0 &&
            host_.MessageBox(LossQuestion(check.lostCharacters), kAppCaption,
                             kMbYesNo | kMbIconExclamation | kMbDefButton2) != kIdYes) {
            return SaveOutcome::kDeclined;
        }
    }
    // A missing file is created; one that cannot be read is refused by the write with its cause.
    return WriteFile(path, {text.substr(0, start), keptPage, text.substr(end)}) ? SaveOutcome::kSaved
                                                                                : SaveOutcome::kFailed;
}

SaveOutcome EditSession::SavePage() {
    if (!editing_ || !edit_.IsModified()) return SaveOutcome::kNothingToSave;
    bool written = false;
    try {
        const std::string controlText = edit_.Text();
        // After a pagination stopped at the page limit the control holds no page of the book to write back.
        if (reader_.CurrentPage() > reader_.PageCount() || !reader_.ShowsPage())
            return SaveOutcome::kNothingToSave;
        // An archive member path names no file that could be written; any other book goes to the file it
        // was read from.
        const std::string& path =
            NamesNoFile(reader_.BookPath()) ? reader_.BookPath() : reader_.BookFilePath();
        std::string page;
        const SaveOutcome outcome = WriteIntoBook(path, controlText, page);
        if (outcome != SaveOutcome::kSaved) return outcome;
        written = true;
        // The working text follows the file, so that a later save of another page keeps this one.
        reader_.ReplaceCurrentPage(page);
        return SaveOutcome::kSaved;
    } catch (const std::bad_alloc&) {
        host_.MessageBox(written ? kOutOfMemoryAfterWrite : kOutOfMemory, kAppCaption, kMbOk | kMbIconStop);
        return written ? SaveOutcome::kSaved : SaveOutcome::kFailed;
    }
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
    bool written = false;
    try {
        const std::string controlText = edit_.Text();
        std::string chosen;
        if (!host_.AskSaveAsPath(chosen)) return;
        if (reader_.CurrentPage() > reader_.PageCount() || !reader_.ShowsPage()) return;
        const std::string target = SaveAsPath(chosen);
        // The dialog asked about the name as typed; a name that gained ".txt" may name another file.
        if (!SamePath(target, TrimmedPath(chosen)) && files_.CanOpenForReading(target) &&
            host_.MessageBox(target + " 已存在。\n要替换它吗？", kAppCaption,
                             kMbYesNo | kMbIconExclamation | kMbDefButton2) != kIdYes) {
            return;
        }
        std::string page;
        if (SamePath(target, reader_.BookFilePath())) {
            // Saved over the book itself: the same rule as saving the page.
            if (WriteIntoBook(target, controlText, page) != SaveOutcome::kSaved) return;
        } else {
            const std::string_view text = reader_.Text();
            const std::string_view shownBytes = reader_.CurrentPageBytes();
            const std::size_t start = static_cast<std::size_t>(shownBytes.data() - text.data());
            page = RestoreUneditedBytes(shownBytes, reader_.ShownPageText(), controlText);
            if (!WriteFile(target, {text.substr(0, start), page, text.substr(start + shownBytes.size())}))
                return;
        }
        written = true;
        // The book moves to the new file only once the file holds it.
        reader_.SetBookPath(target);
        host_.ListOnlySavedBook(FileNameOf(target));
        reader_.ReplaceCurrentPage(page);
        host_.MessageBox("文件已另保存为: " + target, kAppCaption, kMbOk);
        page_.ClearModified();
    } catch (const std::bad_alloc&) {
        host_.MessageBox(written ? kOutOfMemoryAfterWrite : kOutOfMemory, kAppCaption, kMbOk | kMbIconStop);
    }
}

bool EditSession::OfferToSave(SavePlace place) {
    const bool ask = place == SavePlace::kExit ? editing_ : EditedTextModified();
    if (!ask) return true;
    if (host_.MessageBox(SaveQuestion(place), kAppCaption, kMbYesNo | kMbIconExclamation) != kIdYes)
        return true;
    return !Stops(place == SavePlace::kPageTurn ? SavePageAndReload() : SavePage());
}

}  // namespace pel

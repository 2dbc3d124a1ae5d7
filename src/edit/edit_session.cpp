// Edit mode, the clipboard commands and find and replace over the page.
#include "edit/edit_session.h"

#include "book/decode.h"
#include "book/message_flags.h"
#include "book/page_index.h"

namespace pel {

const char* EditModeNotice(int encoding) {
    switch (encoding) {
        case kEncodingUnicode:
            return "注意！此文本编码为Unicode，将默认保存为ANSI编码！";
        case kEncodingUnicodeBig:
            return "注意！此文本编码为Unicode big endian，将默认保存为ANSI编码！";
        case kEncodingUtf8:
            return "注意！此文本编码为UTF-8，将默认保存为ANSI编码！";
        default:
            return nullptr;
    }
}

EditSession::EditSession(Reader& reader, IPageControl& page, IEditControl& edit, IEditHost& host,
                         IFileSystem& files, ICodePage& codePage)
    : reader_(reader), page_(page), edit_(edit), host_(host), files_(files), codePage_(codePage) {}

bool EditSession::EditedTextModified() { return editing_ && edit_.IsModified(); }

void EditSession::ToggleEditMode() {
    edit_.SetTextLimit(kEditTextLimit);
    editing_ = !editing_;
    if (editing_) {
        edit_.SetReadOnly(false);
        if (edit_.IsModified()) page_.ClearModified();
        if (const char* notice = EditModeNotice(reader_.TextEncoding())) {
            host_.MessageBox(notice, kAppCaption, kMbOk);
        }
        return;
    }
    if (edit_.IsModified()) {
        // Edit mode stays on while the question is open, so that the save finds it on.
        editing_ = true;
        if (host_.MessageBox("是否保存文本？", kAppCaption, kMbYesNo | kMbIconExclamation) == kIdYes) {
            // A save that failed keeps the reader in edit mode with the edits on the page.
            if (Stops(SavePageAndReload())) return;
        } else {
            DropEdits();
        }
        editing_ = false;
    }
    edit_.SetReadOnly(true);
}

void EditSession::EndForLoad() {
    if (!editing_) return;
    edit_.SetReadOnly(true);
    editing_ = false;
}

void EditSession::DropEdits() {
    const int line = page_.FirstVisibleLine();
    page_.SetText(reader_.ShownPageText());
    page_.ClearModified();
    page_.ScrollLines(line);
}

void EditSession::OpenDialog(bool replace) {
    findText_ = edit_.SelectedText();
    host_.CreateFindDialog(findText_, replace);
    int start = 0, end = 0;
    edit_.GetSelection(start, end);
    searchPosition_ = start;
}

void EditSession::OnFindNotification(const FindRequest& request) {
    findText_ = request.findWhat;
    replaceText_ = request.replaceWith;
    edit_.KeepSelectionShown();
    const FindOptions options{request.matchCase, request.wholeWord};
    switch (request.action) {
        case FindAction::kClosing:
            return;
        case FindAction::kFindNext:
            FindNext(options);
            return;
        case FindAction::kReplace:
            Replace(options);
            return;
        case FindAction::kReplaceAll:
            ReplaceAll(options);
            return;
    }
}

void EditSession::ShowNotFound() { host_.MessageBox("找不到 \"" + findText_ + "\"", kAppCaption, kMbOk); }

bool EditSession::FindAndSelect(FindOptions options, long long& found) {
    const std::string text = edit_.Text();
    TextPlace from, match;
    if (!PlaceOfPosition(text, searchPosition_, from) || !FindFrom(text, from, findText_, options, match)) {
        return false;
    }
    found = match.charPos;
    edit_.SetSelection(static_cast<int>(found), static_cast<int>(found + ControlLength(findText_)));
    edit_.ScrollCaretIntoView();
    return true;
}

void EditSession::FindNext(FindOptions options) {
    long long found = 0;
    if (FindAndSelect(options, found)) {
        searchPosition_ = found + ControlLength(findText_);
        return;
    }
    ShowNotFound();
    searchPosition_ = 0;
}

void EditSession::Replace(FindOptions options) {
    int start = 0, end = 0;
    edit_.GetSelection(start, end);
    if (start != end) {
        edit_.ReplaceSelection(replaceText_);
        // The search goes on right behind the replacement, wherever the selection was.
        searchPosition_ = start + ControlLength(replaceText_);
    }
    long long found = 0;
    if (FindAndSelect(options, found)) {
        searchPosition_ = found;
        return;
    }
    ShowNotFound();
    searchPosition_ = 0;
}

void EditSession::ReplaceAll(FindOptions options) {
    searchPosition_ = 0;
    // One pass over the text as it was: each search goes on behind the last replacement, where the text is
    // still the old one, and the control's positions are those of the old text moved by the replacements.
    const std::string text = edit_.Text();
    const long long findLength = ControlLength(findText_);
    const long long replaceLength = ControlLength(replaceText_);
    const auto* replaceBytes = reinterpret_cast<const unsigned char*>(replaceText_.data());
    bool replaceEndsInWord = false;
    for (std::size_t i = 0; i < replaceText_.size();) {
        const int width = ControlCharBytes(replaceBytes + i, replaceBytes + replaceText_.size());
        replaceEndsInWord = IsWordCharacter(replaceBytes + i, width);
        i += static_cast<std::size_t>(width);
    }
    TextPlace from, match;
    long long shift = 0;
    int count = 0;
    while (FindFrom(text, from, findText_, options, match)) {
        const long long at = match.charPos + shift;
        edit_.SetSelection(static_cast<int>(at), static_cast<int>(at + findLength));
        edit_.ReplaceSelection(replaceText_);
        searchPosition_ = at + replaceLength;
        shift += replaceLength - findLength;
        ++count;
        from.charPos = match.charPos + findLength;
        from.byteOffset = match.byteOffset + findText_.size();
        from.wordBefore = replaceText_.empty() ? match.wordBefore : replaceEndsInWord;
    }
    if (count > 0) {
        host_.MessageBox("总计完成 " + std::to_string(count) + " 次替换！", kAppCaption, kMbOk);
    } else {
        ShowNotFound();
    }
}

}  // namespace pel

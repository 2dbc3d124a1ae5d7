#include "ui/rich_edit_control.h"

#include <richedit.h>

#include <new>
#include <string>

#include "edit/find_text.h"

namespace pel {

namespace {

struct StreamTarget {
    std::string text;
    bool outOfMemory = false;
};

// Called by the control, so nothing may be thrown through it: a failed allocation ends the streaming.
DWORD CALLBACK AppendChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* target = reinterpret_cast<StreamTarget*>(cookie);
    try {
        target->text.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        target->outOfMemory = true;
        *done = 0;
        return 1;
    }
    *done = size;
    return 0;
}

}  // namespace

std::string RichEditControl::Text() {
    // Streaming out returns the whole text in CP936, however long and whatever it holds.
    StreamTarget target;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&target), 0, &AppendChunk};
    SendMessageA(edit_, EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    if (target.outOfMemory) throw std::bad_alloc();
    return std::move(target.text);
}

bool RichEditControl::IsModified() { return SendMessageA(edit_, EM_GETMODIFY, 0, 0) != 0; }

void RichEditControl::SetReadOnly(bool readOnly) {
    SendMessageA(edit_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void RichEditControl::SetTextLimit(int characters) { SendMessageA(edit_, EM_EXLIMITTEXT, 0, characters); }

void RichEditControl::GetSelection(int& start, int& end) {
    CHARRANGE cr{};
    SendMessageA(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    start = cr.cpMin;
    end = cr.cpMax;
}

void RichEditControl::SetSelection(int start, int end) {
    CHARRANGE cr{start, end};
    SendMessageA(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

std::string RichEditControl::SelectedText() {
    int start = 0, end = 0;
    GetSelection(start, end);
    if (end <= start) return {};
    // The control's own copy of the selection counts characters where CP936 needs bytes and cuts a
    // Chinese text short: the selection is taken from the whole text instead.
    const std::string text = Text();
    TextPlace from, to;
    if (!PlaceOfPosition(text, start, from)) return {};
    if (!PlaceOfPosition(text, end, to)) to.byteOffset = text.size();
    return text.substr(from.byteOffset, to.byteOffset - from.byteOffset);
}

void RichEditControl::ReplaceSelection(std::string_view cp936) {
    std::string text(cp936);
    SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(edit_, EM_SETMODIFY, TRUE, 0);
}

void RichEditControl::ScrollCaretIntoView() { SendMessageA(edit_, EM_SCROLLCARET, 0, 0); }

void RichEditControl::KeepSelectionShown() { SendMessageA(edit_, EM_HIDESELECTION, FALSE, 0); }

void RichEditControl::Copy() { SendMessageA(edit_, WM_COPY, 0, 0); }
void RichEditControl::Cut() { SendMessageA(edit_, WM_CUT, 0, 0); }
void RichEditControl::Paste() { SendMessageA(edit_, WM_PASTE, 0, 0); }
void RichEditControl::Undo() { SendMessageA(edit_, EM_UNDO, 0, 0); }

}  // namespace pel

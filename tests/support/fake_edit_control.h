// The page control with its editing side: a selection, a modified mark, a read-only state and the edits
// the find and replace commands make, counted the way the rich-edit control counts positions.
#pragma once
#include <algorithm>
#include <new>
#include <string>
#include <string_view>

#include "edit/edit_control.h"
#include "support/fake_page_control.h"

namespace pel::testing {

class FakeEditControl : public FakePageControl, public IEditControl {
public:
    explicit FakeEditControl(int visibleLines = 20) : FakePageControl(visibleLines) {}

    void SetText(std::string_view cp936) override {
        FakePageControl::SetText(cp936);
        selStart_ = selEnd_ = 0;
    }
    void ClearModified() override {
        FakePageControl::ClearModified();
        modified = false;
    }

    std::string Text() override {
        if (textTooLarge) throw std::bad_alloc();
        return text();
    }
    bool IsModified() override { return modified; }
    void SetReadOnly(bool value) override { readOnly = value; }
    void SetTextLimit(int characters) override { textLimit = characters; }
    void GetSelection(int& start, int& end) override {
        start = selStart_;
        end = selEnd_;
    }
    void SetSelection(int start, int end) override {
        selStart_ = std::clamp(start, 0, charCount());
        selEnd_ = std::clamp(end, selStart_, charCount());
    }
    std::string SelectedText() override {
        const std::size_t begin = ByteOfChar(selStart_);
        return text().substr(begin, ByteOfChar(selEnd_) - begin);
    }
    void ReplaceSelection(std::string_view cp936) override {
        const std::size_t begin = ByteOfChar(selStart_);
        std::string next = text();
        next.replace(begin, ByteOfChar(selEnd_) - begin, cp936);
        const int caret = selStart_ + CharsOf(cp936);
        Assign(next);
        selStart_ = selEnd_ = caret;
        modified = true;
        ++replaceCalls;
    }
    void ScrollCaretIntoView() override { ++caretScrolls; }
    void KeepSelectionShown() override { selectionKeptShown = true; }
    void Copy() override { clipboard += "copy;"; }
    void Cut() override { clipboard += "cut;"; }
    void Paste() override { clipboard += "paste;"; }
    void Undo() override { clipboard += "undo;"; }

    // The reader types over the selection (or at the caret).
    void Type(std::string_view cp936) {
        ReplaceSelection(cp936);
        --replaceCalls;
    }
    // The reader selects the bytes [begin, end) of the text.
    void SelectBytes(std::size_t begin, std::size_t end) {
        SetSelection(CharsOf(std::string_view(text()).substr(0, begin)),
                     CharsOf(std::string_view(text()).substr(0, end)));
    }
    std::string_view SelectionBytes() {
        const std::size_t begin = ByteOfChar(selStart_);
        return std::string_view(text()).substr(begin, ByteOfChar(selEnd_) - begin);
    }

    static int CharsOf(std::string_view s) {
        const auto* p = reinterpret_cast<const unsigned char*>(s.data());
        const auto* end = p + s.size();
        int n = 0;
        for (; p < end; ++n) p += ControlCharBytes(p, end);
        return n;
    }

    bool textTooLarge = false;  // the page text does not fit in memory when it is read out
    bool modified = false;
    bool readOnly = true;
    int textLimit = 0;
    int replaceCalls = 0;
    int caretScrolls = 0;
    bool selectionKeptShown = false;
    std::string clipboard;

private:
    int selStart_ = 0;
    int selEnd_ = 0;
};

}  // namespace pel::testing

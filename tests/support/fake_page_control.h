// A line-based stand-in for the rich-edit page control: CP936 text, lines split after each LF (and, when
// asked, wrapped after a number of characters), character positions counted the way the control counts
// them, and a window of visible lines that scrolls within its bounds.
#pragma once
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "book/page_index.h"
#include "book/platform.h"

namespace pel::testing {

class FakePageControl : public IPageControl {
public:
    explicit FakePageControl(int visibleLines = 20, int wrapChars = 0)
        : visibleLines_(visibleLines), wrapChars_(wrapChars) {
        SetText("");
        setTextCalls = 0;
    }

    void SetText(std::string_view cp936) override {
        Assign(cp936);
        first_ = 0;
        ++setTextCalls;
    }
    int FirstVisibleLine() override { return first_; }
    int LineCount() override { return static_cast<int>(lineStarts_.size()); }
    int LineIndex(int line) override {
        return line >= 0 && line < LineCount() ? lineStarts_[static_cast<std::size_t>(line)] : -1;
    }
    int LineFromChar(int charPos) override {
        charPos = std::clamp(charPos, 0, charCount_);
        return static_cast<int>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), charPos) -
                                lineStarts_.begin()) -
               1;
    }
    void ScrollLines(int lines) override {
        first_ = std::clamp(first_ + lines, 0, std::max(0, LineCount() - visibleLines_));
    }
    void Focus() override { ++focusCalls; }
    void ClearModified() override { ++clearModifiedCalls; }

    const std::string& text() const { return text_; }
    int charCount() const { return charCount_; }
    // Bytes of line `line` without its line end.
    std::string LineText(int line) const {
        if (line < 0 || line >= static_cast<int>(lineStarts_.size())) return {};
        const std::size_t l = static_cast<std::size_t>(line);
        const int endChar = l + 1 < lineStarts_.size() ? lineStarts_[l + 1] : charCount_;
        const std::size_t begin = ByteOfChar(lineStarts_[l]);
        std::string s = text_.substr(begin, ByteOfChar(endChar) - begin);
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
        return s;
    }

    int setTextCalls = 0;
    int focusCalls = 0;
    int clearModifiedCalls = 0;

protected:
    // New text in place of the old; the view stays where it was as far as the new text allows.
    void Assign(std::string_view cp936) {
        text_.assign(cp936);
        lineStarts_.assign(1, 0);
        const auto* b = reinterpret_cast<const unsigned char*>(text_.data());
        const auto* end = b + text_.size();
        int chars = 0;
        int inLine = 0;
        for (const unsigned char* p = b; p < end;) {
            const int width = ControlCharBytes(p, end);
            const bool lineFeed = *p == '\n';
            p += width;
            ++chars;
            ++inLine;
            if (lineFeed || (wrapChars_ > 0 && inLine == wrapChars_ && p < end && *p != '\n')) {
                lineStarts_.push_back(chars);
                inLine = 0;
            }
        }
        charCount_ = chars;
        first_ = std::clamp(first_, 0, std::max(0, LineCount() - visibleLines_));
    }

    int first() const { return first_; }
    int visibleLines() const { return visibleLines_; }
    // Scrolls so that `first` is the first visible line, as far as the text allows.
    void MoveTo(int first) { first_ = std::clamp(first, 0, std::max(0, LineCount() - visibleLines_)); }

    std::size_t ByteOfChar(int charPos) const {
        const auto* b = reinterpret_cast<const unsigned char*>(text_.data());
        std::size_t pos = 0;
        for (int c = 0; c < charPos && pos < text_.size(); ++c) {
            pos += static_cast<std::size_t>(ControlCharBytes(b + pos, b + text_.size()));
        }
        return pos;
    }

private:
    int visibleLines_;
    int wrapChars_;
    std::string text_;
    std::vector<int> lineStarts_;
    int charCount_ = 0;
    int first_ = 0;
};

}  // namespace pel::testing

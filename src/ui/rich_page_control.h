// The rich-edit 1.0 page control behind the reading logic's page-control interface.
#pragma once
#include <windows.h>

#include "book/platform.h"

namespace pel {

class RichPageControl : public IPageControl {
public:
    RichPageControl() = default;
    void Attach(HWND edit);
    HWND hwnd() const { return edit_; }

    void SetText(std::string_view cp936) override;
    int FirstVisibleLine() override;
    int LineCount() override;
    int LineIndex(int line) override;
    int LineFromChar(int charPos) override;
    void ScrollLines(int lines) override;
    void Focus() override;
    void ClearModified() override;
    ScrollState VerticalScroll() override;
    void PageDownScroll() override;
    void PageUpScroll() override;
    void SetVerticalScrollPosition(int pixels) override;

private:
    HWND edit_ = nullptr;
    bool wrapping_ = true;  // lines wrap at the page's width, unless the page holds an overlong line
};

}  // namespace pel

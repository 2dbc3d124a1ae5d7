// "查看目录": the chapters of the open book with their progress; a click previews a chapter, a
// double click opens it. Everything shown comes from the application's reading-state snapshot.
#pragma once
#include "book/reader.h"
#include "framework/window.h"

class CTocDlg : public fw::Dialog {
public:
    explicit CTocDlg(pel::ReadingState& state);

protected:
    BOOL OnInitDialog() override;
    bool DialogProc(UINT message, WPARAM wp, LPARAM lp, INT_PTR& result) override;

private:
    int FirstSelectedRow() const;
    void OnClick();
    void OnDoubleClick();

    pel::ReadingState& state_;
    int selectedRow_ = -1;
};

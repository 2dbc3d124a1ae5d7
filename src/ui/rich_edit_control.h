// The editing side of the rich-edit page control: its text, selection, read-only state and the
// clipboard, for edit mode.
#pragma once
#include <windows.h>

#include "edit/edit_control.h"

namespace pel {

class RichEditControl : public IEditControl {
public:
    void Attach(HWND edit) { edit_ = edit; }

    std::string Text() override;
    bool IsModified() override;
    void SetReadOnly(bool readOnly) override;
    void SetTextLimit(int characters) override;
    void GetSelection(int& start, int& end) override;
    void SetSelection(int start, int end) override;
    std::string SelectedText() override;
    void ReplaceSelection(std::string_view cp936) override;
    void ScrollCaretIntoView() override;
    void KeepSelectionShown() override;
    void Copy() override;
    void Cut() override;
    void Paste() override;
    void Undo() override;

private:
    HWND edit_ = nullptr;
};

}  // namespace pel

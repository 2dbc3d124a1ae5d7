// What edit mode asks of the page control and of the view, beyond what the reading logic uses.
#pragma once
#include <string>
#include <string_view>

namespace pel {

// The editing side of the rich-edit page control 1018. Positions are the control's own character
// positions, as in IPageControl.
class IEditControl {
public:
    virtual ~IEditControl() = default;
    // The whole text as the control holds it, in CP936, line ends as held (CR LF where the page had them).
    // Throws std::bad_alloc when the text does not fit in memory.
    virtual std::string Text() = 0;
    virtual bool IsModified() = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual void SetTextLimit(int characters) = 0;
    virtual void GetSelection(int& start, int& end) = 0;
    virtual void SetSelection(int start, int end) = 0;
    virtual std::string SelectedText() = 0;
    // Replaces the selection with `cp936`, not recorded for undo; the control becomes modified.
    virtual void ReplaceSelection(std::string_view cp936) = 0;
    virtual void ScrollCaretIntoView() = 0;
    // The selection stays shown while the control does not have the focus (hide-selection off for good).
    virtual void KeepSelectionShown() = 0;
    // The platform's clipboard and undo requests.
    virtual void Copy() = 0;
    virtual void Cut() = 0;
    virtual void Paste() = 0;
    virtual void Undo() = 0;
};

// What the find/replace dialog reports with its notification ("commdlg_FindReplace").
enum class FindAction { kClosing, kFindNext, kReplace, kReplaceAll };

struct FindRequest {
    FindAction action = FindAction::kFindNext;
    std::string findWhat;
    std::string replaceWith;
    bool matchCase = false;
    bool wholeWord = false;
};

// The save-file dialog of save-as: its title and its one filter.
inline constexpr const char* kSaveAsTitle = "另存为...";
inline constexpr const char* kSaveAsFilterName = "文本文件(*.txt)";
inline constexpr const char* kSaveAsFilterPattern = "*.txt";

// What edit mode asks of the view.
class IEditHost {
public:
    virtual ~IEditHost() = default;
    // Modal box; `flags` are the platform's MB_* values, the result its ID* value.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // A new modeless dialog owned by the view, shown at once: find only (search down, the direction
    // buttons disabled, activated) or, with `replace`, find and replace (search down, empty replace-with
    // text). Every call creates another dialog.
    virtual void CreateFindDialog(const std::string& findWhat, bool replace) = 0;
    // The save-file dialog (kSaveAsTitle, the one filter, read-only box hidden, overwrite question, no
    // initial name, no default extension). False when cancelled; else the chosen full path.
    virtual bool AskSaveAsPath(std::string& path) = 0;
    // After save-as: the library sidebar is cleared, OpenedFiles emptied (and no folder or archive is
    // listed any more), and `fileName` is its only line.
    virtual void ListOnlySavedBook(const std::string& fileName) = 0;
};

}  // namespace pel

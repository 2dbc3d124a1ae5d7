// What the library sidebar lists and the book each of its rows opens. The list box shows exactly
// Names() (in this order) while no folder or archive is listed; a double click on row i opens PathAt(i).
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace pel {

class LibraryList {
public:
    // The open-file dialog opened `path` (call it only once the book is open). Its name becomes the last
    // row. The rows are emptied first unless they are all books the dialog opened: true when the list
    // box is to be cleared before the row is appended.
    bool AddOpened(const std::string& path);
    // A book opened any other way (dropped, named on the command line, the last book, a bookmark, a
    // reading record, the target of save-as): it becomes the only row and no folder is listed.
    void ShowOnly(const std::string& path);
    // A folder's or an archive's entries fill the list box: the rows come from there.
    void ListFolder(const std::string& folder);
    // Nothing is listed.
    void Clear();

    // The listed folder or archive; empty when the rows are books.
    const std::string& Folder() const { return folder_; }
    // The rows while no folder is listed, in the list box's order.
    const std::vector<std::string>& Names() const { return names_; }
    // The book that row `index` names while no folder is listed; empty for any other row.
    std::string PathAt(int index) const;
    // The books the open-file dialog opened that the rows show (`OpenedFiles`); 0 when the rows came
    // from elsewhere.
    std::size_t OpenedCount() const { return fromDialog_ ? paths_.size() : 0; }

private:
    std::vector<std::string> paths_;
    std::vector<std::string> names_;
    bool fromDialog_ = false;
    std::string folder_;
};

}  // namespace pel

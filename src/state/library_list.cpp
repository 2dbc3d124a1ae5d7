#include "state/library_list.h"

#include "book/reader.h"

namespace pel {

bool LibraryList::AddOpened(const std::string& path) {
    const bool clear = !fromDialog_ || paths_.empty() || !folder_.empty();
    if (clear) Clear();
    fromDialog_ = true;
    paths_.push_back(path);
    names_.push_back(FileNameOf(path));
    return clear;
}

void LibraryList::ShowOnly(const std::string& path) {
    Clear();
    if (path.empty()) return;
    paths_.push_back(path);
    names_.push_back(FileNameOf(path));
}

void LibraryList::ListFolder(const std::string& folder) {
    Clear();
    folder_ = folder;
}

void LibraryList::Clear() {
    paths_.clear();
    names_.clear();
    fromDialog_ = false;
    folder_.clear();
}

std::string LibraryList::PathAt(int index) const {
    if (!folder_.empty() || index < 0 || static_cast<std::size_t>(index) >= paths_.size()) return {};
    return paths_[static_cast<std::size_t>(index)];
}

}  // namespace pel

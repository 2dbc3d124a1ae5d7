#include "book/reader.h"

namespace pel {

std::string FileNameOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\|");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string BookTitleOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    const std::size_t begin = slash == std::string::npos ? 0 : slash + 1;
    // Only a dot inside the file name ends the title; a dot in a folder name does not.
    const std::size_t dot = path.rfind('.');
    const std::size_t end = dot == std::string::npos || dot < begin ? path.size() : dot;
    return path.substr(begin, end - begin);
}

}  // namespace pel

#include "book/page_index.h"
#include "book/reader.h"

namespace pel {

std::size_t FindLastOf(std::string_view text, std::string_view bytes) {
    // A GBK trail byte may equal '\' or '|'; only single-byte characters count.
    const auto* b = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = b + text.size();
    std::size_t found = std::string_view::npos;
    for (const unsigned char* p = b; p < end;) {
        const int width = ControlCharBytes(p, end);
        if (width == 1 && bytes.find(static_cast<char>(*p)) != std::string_view::npos) {
            found = static_cast<std::size_t>(p - b);
        }
        p += width;
    }
    return found;
}

std::size_t FindFirstOf(std::string_view text, std::string_view bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = b + text.size();
    for (const unsigned char* p = b; p < end;) {
        const int width = ControlCharBytes(p, end);
        if (width == 1 && bytes.find(static_cast<char>(*p)) != std::string_view::npos)
            return static_cast<std::size_t>(p - b);
        p += width;
    }
    return std::string_view::npos;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t cut = FindLastOf(path, "\\|");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string BookTitleOf(const std::string& path) {
    const std::size_t slash = FindLastOf(path, "\\");
    const std::size_t begin = slash == std::string::npos ? 0 : slash + 1;
    // Only a dot inside the file name ends the title; a dot in a folder name does not.
    const std::size_t dot = path.rfind('.');
    const std::size_t end = dot == std::string::npos || dot < begin ? path.size() : dot;
    return path.substr(begin, end - begin);
}

}  // namespace pel

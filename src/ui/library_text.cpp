#include "ui/library_text.h"

#include <cstdio>

std::string LibrarySizeText(std::uint64_t bytes) {
    char buf[64];
    if (bytes < 1024)
        std::snprintf(buf, sizeof buf, "%d B", static_cast<int>(bytes));
    else if (bytes < 1048576)
        std::snprintf(buf, sizeof buf, "%.1f KB", static_cast<double>(bytes) / 1024);
    else
        std::snprintf(buf, sizeof buf, "%.2f MB", static_cast<double>(bytes) / 1048576);
    return buf;
}

std::string LibraryTipText(const std::string& name, const std::string& folder, const std::string& size) {
    return "小说：" + name + "\n位置：" + folder + "\n大小：" + size;
}

std::string LibraryFolderPart(const std::string& path) {
    size_t lastSlash = std::string::npos, lastBar = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < path.size()) {
            ++i;  // a double-byte character
            continue;
        }
        if (c == '\\') lastSlash = i;
        if (c == '|') lastBar = i;
    }
    if (lastBar != std::string::npos && (lastSlash == std::string::npos || lastBar > lastSlash))
        return path.substr(0, lastBar + 1);
    if (lastSlash != std::string::npos) return path.substr(0, lastSlash);
    return {};
}

// Texts of the library sidebar's tooltip (Windows-free).
#pragma once
#include <cstdint>
#include <string>

// "%d B" below 1 KB, "%.1f KB" below 1 MB, "%.2f MB" from there on.
std::string LibrarySizeText(std::uint64_t bytes);
// "小说：%s\n位置：%s\n大小：%s".
std::string LibraryTipText(const std::string& name, const std::string& folder, const std::string& size);
// The folder part of a path: before its last '\', or up to and including its last '|' when that comes
// later. Characters are walked whole: a CP936 second byte may equal '\' or '|'.
std::string LibraryFolderPart(const std::string& path);

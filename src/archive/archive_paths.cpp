#include "archive/archive_paths.h"

#include "state/profile.h"

namespace pel {

namespace {

// Calls `visit(offset, byte)` for every single-byte character; double-byte characters are stepped over
// whole (a lead byte at the very end counts as one byte).
template <typename Visit>
void ForEachSingleByteChar(std::string_view text, Visit visit) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (IsCp936LeadByte(b) && i + 1 < text.size()) {
            i += 2;
            continue;
        }
        visit(i, text[i]);
        ++i;
    }
}

std::size_t FindLastSeparator(std::string_view text, std::string_view separators) {
    std::size_t found = std::string_view::npos;
    ForEachSingleByteChar(text, [&](std::size_t i, char c) {
        if (separators.find(c) != std::string_view::npos) found = i;
    });
    return found;
}

// A file name that Windows takes for a device whatever its extension (CON, NUL, COM1, ...): temp\CON.txt is
// the console, not a file in temp\. A name that ends in a dot or a blank is stored without them, so it
// too names some other file than the one asked for.
bool NamesDeviceOrTrimmedFile(std::string_view name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ') return true;
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    std::string upper;
    for (const char c : stem) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" || upper == "CONIN$" ||
        upper == "CONOUT$")
        return true;
    return upper.size() == 4 && (upper.rfind("COM", 0) == 0 || upper.rfind("LPT", 0) == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

std::size_t FindFirstChar(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    ForEachSingleByteChar(text, [&](std::size_t i, char b) {
        if (b == c && found == std::string_view::npos) found = i;
    });
    return found;
}

bool SplitMemberBookPath(const std::string& bookPath, std::string& archivePath, std::string& memberPath) {
    const std::size_t bar = FindFirstChar(bookPath, '|');
    if (bar == std::string::npos) return false;
    archivePath = bookPath.substr(0, bar);
    memberPath = bookPath.substr(bar + 1);
    return true;
}

std::string MemberBookPath(const std::string& archivePath, const std::string& memberPath) {
    return archivePath + "|" + memberPath;
}

std::string MemberFileName(const std::string& memberPath) {
    const std::size_t cut = FindLastSeparator(memberPath, "\\|");
    return cut == std::string::npos ? memberPath : memberPath.substr(cut + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    const bool hasBackslash = !folder.empty() && FindLastSeparator(folder, "\\") == folder.size() - 1;
    return folder + (hasBackslash ? "" : "\\") + name;
}

std::string ExtractorFolderOf(const std::string& extractorPath) {
    const std::size_t cut = FindLastSeparator(extractorPath, "\\");
    return cut == std::string::npos ? std::string() : extractorPath.substr(0, cut);
}

std::string ExtractorDriveOf(const std::string& extractorPath) {
    if (extractorPath.empty()) return {};
    const bool wide =
        IsCp936LeadByte(static_cast<unsigned char>(extractorPath[0])) && extractorPath.size() > 1;
    return extractorPath.substr(0, wide ? 2 : 1);
}

bool IsSafeForCommandLine(std::string_view path) {
    if (path.empty()) return false;
    int percents = 0;
    for (const char c : path) {
        const auto b = static_cast<unsigned char>(c);
        // '"' and '%' lie below 0x40, so they are never the trail byte of a double-byte character.
        if (b < 0x20 || b == 0x7F || c == '"') return false;
        if (c == '%') ++percents;
    }
    return percents < 2;
}

bool IsSafeMemberPath(std::string_view memberPath) {
    if (!IsSafeForCommandLine(memberPath)) return false;
    if (memberPath.front() == '\\' || memberPath.find(':') != std::string_view::npos) return false;
    bool bad = false;
    std::size_t partStart = 0;
    auto endPart = [&](std::size_t end) {
        if (memberPath.substr(partStart, end - partStart) == "..") bad = true;
        partStart = end + 1;
    };
    ForEachSingleByteChar(memberPath, [&](std::size_t i, char c) {
        if (c == '|' || c == '*' || c == '?' || c == '<' || c == '>' || c == '/') bad = true;
        if (c == '\\') endPart(i);
    });
    endPart(memberPath.size());
    if (bad) return false;
    const std::string name = MemberFileName(std::string(memberPath));
    return !name.empty() && !NamesDeviceOrTrimmedFile(name);
}

}  // namespace pel

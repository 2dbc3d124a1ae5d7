#include "listing_format.h"

#include <cstdio>

namespace haozipc {

const char kHeader[] = "日期      时间    属性         大小         压缩  名称";
const char kSeparator[] = "------------------- ----- ------------ ------------  ------------------------";

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
    return text;
}

std::uint64_t ToNumber(std::string_view text) {
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Match(std::string_view name, std::string_view pattern) {
    // Iterative matcher with one back-tracking point for the last '*'.
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool ParseTechnicalListing(std::string_view text, std::vector<Entry>& entries) {
    entries.clear();
    bool inMembers = false;
    bool haveEntry = false;
    Entry entry;
    auto flush = [&] {
        if (haveEntry) entries.push_back(entry);
        entry = Entry();
        haveEntry = false;
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (!inMembers) {
            if (line == "----------") inMembers = true;
            continue;
        }
        if (line.empty()) {
            flush();
            continue;
        }
        const std::size_t eq = line.find(" = ");
        std::string_view key, value;
        if (eq != std::string_view::npos) {
            key = line.substr(0, eq);
            value = line.substr(eq + 3);
        } else if (line.size() > 2 && line.substr(line.size() - 2) == " =") {
            key = line.substr(0, line.size() - 2);
        } else {
            continue;
        }
        if (key == "Path") {
            flush();
            entry.path = std::string(value);
            haveEntry = true;
        } else if (key == "Folder") {
            entry.folder = value == "+";
        } else if (key == "Size") {
            entry.size = ToNumber(value);
        } else if (key == "Packed Size") {
            entry.packed = ToNumber(value);
        } else if (key == "Modified") {
            entry.modified = std::string(value.substr(0, 19));
        } else if (key == "Attributes") {
            if (!value.empty() && value[0] == 'D') entry.folder = true;
        }
    }
    flush();
    return inMembers;
}

bool MatchesWildcard(std::string_view path, std::string_view pattern) {
    const std::size_t cut = path.find_last_of("\\/");
    return Match(cut == std::string_view::npos ? path : path.substr(cut + 1), pattern);
}

std::string MemberLine(const Entry& entry) {
    std::string stamp = entry.modified;
    if (stamp.size() != 19) stamp = "                   ";
    char columns[kColumns + 1];
    std::snprintf(columns, sizeof columns, "%-19.19s %-5s %12llu %12llu  ", stamp.c_str(),
                  entry.folder ? "D...." : "....A", static_cast<unsigned long long>(entry.size),
                  static_cast<unsigned long long>(entry.packed));
    std::string line(columns);
    // Sizes beyond 12 digits would shift the path; such members are not books anyway.
    line.resize(kColumns, ' ');
    for (char c : entry.path) line += c == '/' ? '\\' : c;
    return line;
}

std::string FormatBrokenListing() { return std::string("\r\n") + kHeader + "\r\n" + kSeparator + "\r\n"; }

std::string FormatListing(const std::vector<Entry>& entries) {
    std::string out = FormatBrokenListing();
    std::uint64_t size = 0, packed = 0;
    int files = 0, folders = 0;
    for (const Entry& entry : entries) {
        out += MemberLine(entry) + "\r\n";
        if (entry.folder) {
            ++folders;
        } else {
            ++files;
            size += entry.size;
            packed += entry.packed;
        }
    }
    out += std::string(kSeparator) + "\r\n";
    char summary[160];
    std::snprintf(summary, sizeof summary, "%-19s %-5s %12llu %12llu  %d 个文件, %d 个文件夹", "", "",
                  static_cast<unsigned long long>(size), static_cast<unsigned long long>(packed), files,
                  folders);
    out += std::string(summary) + "\r\n";
    return out;
}

}  // namespace haozipc

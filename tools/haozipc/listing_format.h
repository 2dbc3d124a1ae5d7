// The console listing of HaoZipC.exe: 7-Zip's technical listing (7zz l -slt) read into entries, and the
// entries written in the layout the reader scans. Plain C++ over bytes, no <windows.h>: the program
// converts member paths to code page 936 before they are formatted.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace haozipc {

// One member as 7-Zip lists it; `path` is in whatever encoding the caller works in.
struct Entry {
    std::string path;
    bool folder = false;
    std::uint64_t size = 0;
    std::uint64_t packed = 0;
    std::string modified;  // "YYYY-MM-DD HH:MM:SS" or empty
};

// The header line; bytes in code page 936 (54 of them).
extern const char kHeader[];
// The separator line: 77 characters.
extern const char kSeparator[];
// Columns before the member path on every member line.
inline constexpr std::size_t kColumns = 53;

// The entries of "7zz l -slt" output (UTF-8 text, LF or CR LF): the blocks after the "----------" line,
// one per member. False when that line never comes (7-Zip listed no archive).
bool ParseTechnicalListing(std::string_view text, std::vector<Entry>& entries);

// True when the bare file name of `path` (after its last '\' or '/') matches `pattern`, where '*' stands
// for any run of characters and '?' for one; ASCII letters match without regard to case.
bool MatchesWildcard(std::string_view path, std::string_view pattern);

// A member line: date and time, attributes ('D' first for a folder), size, packed size, two blanks,
// then the path with '/' written as '\'. The path must be in code page 936 already.
std::string MemberLine(const Entry& entry);

// The whole listing, CR LF line ends: a blank line, the header, the separator, the member lines, the
// separator again and a summary line.
std::string FormatListing(const std::vector<Entry>& entries);
// The beginning of a listing for an archive that could not be read: header and separator only, so a
// reader sees an extractor that answered and a listing that did not complete.
std::string FormatBrokenListing();

}  // namespace haozipc

// The list file that "haozipc l" writes into temp\rarlist.txt, read into member paths.
//
// Layout, lines ending in CR LF: the header line (54 bytes), a separator line of 77 characters, one line
// per member made of 53 characters of columns (date, time, attributes, size, compressed size) and the
// member path, then a closing separator line and a summary line.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pel {

inline constexpr char kListingHeader[] = "日期      时间    属性         大小         压缩  名称";
inline constexpr std::size_t kListingColumns = 53;
// The column where a member line's attributes begin; 'D' there marks a folder.
inline constexpr std::size_t kListingAttributeColumn = 20;
inline constexpr std::size_t kMaxArchiveMembers = 2000;

struct ArchiveListing {
    enum class Status {
        kListed,      // header, separators and summary found; `members` may still be empty
        kNotListing,  // no header before the first zero byte: the extractor wrote something else
        kIncomplete,  // the header, but no closing separator and summary after it
    };
    Status status = Status::kNotListing;
    // Member paths in listing order, '/' written as '\'; only .txt files whose path is safe to extract.
    std::vector<std::string> members;
    bool truncated = false;  // more than kMaxArchiveMembers .txt members; the first ones are kept
    int unsafeMembers = 0;   // .txt members left out because their path could leave temp\ or the quotes
};

// Reads the list file. Every line is taken whole, however long; the line that closes the members is the
// first one equal to the opening separator, or else a last line but one of the separator's length.
// Folders and members that are not .txt files are left out.
ArchiveListing ParseArchiveListing(std::string_view bytes);

}  // namespace pel

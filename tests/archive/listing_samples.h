// List files in the layout "haozipc l" writes, for the tests.
#pragma once
#include <string>
#include <vector>

#include "archive/listing.h"

namespace pel::testing {

inline const std::string kSeparator =
    "------------------- ----- ------------ ------------  ------------------------";
inline const std::string kSummary =
    "2023-05-01 10:20:30              9876543      1234567  3 files, 1 folders";

// A member line: 53 characters of date, time, attributes, size and compressed size, then the path.
inline std::string MemberLine(const std::string& path, const std::string& attributes = "....A") {
    return "2023-05-01 10:20:30 " + attributes + "       123456        65432  " + path;
}

// The extractor's banner, the header, the separators around the member lines and the summary.
inline std::string Listing(const std::vector<std::string>& memberLines, const std::string& eol = "\r\n",
                           const std::string& closing = kSeparator) {
    std::string text = "\r\nHaoZip 5.9 Copyright (c) 2018 2345.com\r\n\r\nListing archive: D:\\a.rar\r\n\r\n";
    text += std::string(kListingHeader) + eol + kSeparator + eol;
    for (const std::string& line : memberLines) text += line + eol;
    text += closing + eol + kSummary + eol;
    return text;
}

inline std::string ListingOf(const std::vector<std::string>& memberPaths) {
    std::vector<std::string> lines;
    for (const std::string& path : memberPaths) lines.push_back(MemberLine(path));
    return Listing(lines);
}

}  // namespace pel::testing

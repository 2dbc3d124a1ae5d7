// Line pagination: page starts of a book split into pages of 50 lines.
#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

namespace pel {

// The most bytes of the book one page of lines holds (a page that would hold more is ended early).
constexpr std::size_t kLargestPage = std::size_t{1} << 20;

struct LinePages {
    int pageCount = 1;  // 10,001 when the book needs more pages than the table holds
    bool overflow = false;
    long long hanziCount = 0;  // bytes with the high bit set, halved
};

// Fills `pageTable` (resized to hold entries 0 .. 10,001): entries 0 and 1 are 0, and a page begins after
// every LF ending a line whose number is a multiple of 50, unless that LF is the last byte. A page that
// would hold more than kLargestPage bytes ends early, after its last LF within them or, inside one longer
// line, before the first character past them.
LinePages BuildLinePages(std::string_view text, std::vector<long long>& pageTable);

}  // namespace pel

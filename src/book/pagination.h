// Line pagination: page starts of a book split into pages of 50 lines.
#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

namespace pel {

// The longest piece of one line a page of lines holds: a longer line goes on over the following pages.
constexpr std::size_t kLongestPageLine = 32 * 1024;

struct LinePages {
    int pageCount = 1;  // 10,001 when the book needs more pages than the table holds
    bool overflow = false;
    long long hanziCount = 0;  // bytes with the high bit set, halved
};

// Fills `pageTable` (resized to hold entries 0 .. 10,001): entries 0 and 1 are 0, and a page begins after
// every LF ending a line whose number is a multiple of 50, unless that LF is the last byte. A line longer
// than kLongestPageLine bytes also ends a page before each character that would take its piece on the page
// past that length.
LinePages BuildLinePages(std::string_view text, std::vector<long long>& pageTable);

}  // namespace pel

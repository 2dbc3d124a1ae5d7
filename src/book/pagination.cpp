#include "book/pagination.h"

#include <cstring>

#include "book/decode.h"
#include "book/reader.h"

namespace pel {

LinePages BuildLinePages(std::string_view text, std::vector<long long>& pageTable) {
    if (pageTable.size() < static_cast<std::size_t>(kMaxPages) + 2) pageTable.resize(kMaxPages + 2);
    LinePages result;
    pageTable[0] = 0;
    pageTable[1] = 0;
    result.hanziCount = CountHighBitBytes(text) / 2;
    const char* begin = text.data();
    const std::size_t n = text.size();
    long long lineCounter = 1;
    std::size_t from = 0;
    while (from < n) {
        const void* hit = std::memchr(begin + from, '\n', n - from);
        if (hit == nullptr) break;
        const std::size_t i = static_cast<std::size_t>(static_cast<const char*>(hit) - begin);
        if (i + 1 == n) break;  // an LF that is the last byte starts no page
        if (lineCounter % kLinesPerPage == 0) {
            ++result.pageCount;
            if (result.pageCount > kMaxPages) {
                result.overflow = true;
                return result;
            }
            pageTable[result.pageCount] = static_cast<long long>(i + 1);
        }
        ++lineCounter;
        from = i + 1;
    }
    return result;
}

}  // namespace pel

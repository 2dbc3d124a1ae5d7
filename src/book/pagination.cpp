#include "book/pagination.h"

#include <algorithm>
#include <cstring>

#include "book/decode.h"
#include "book/reader.h"
#include "book/stream_chunk.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pel {

namespace {

// Page breaks as line ends go by: a page begins after every LF ending a line whose number is a multiple
// of 50, unless that LF is the last byte of the text.
class PageBreaker {
public:
    PageBreaker(std::size_t length, std::vector<long long>& table, LinePages& result)
        : length_(length), table_(table), result_(result) {}

    // False once the table is full.
    bool OnLineFeed(std::size_t i) {
        if (i + 1 == length_) return true;
        if (lineCounter_ % kLinesPerPage == 0) {
            ++result_.pageCount;
            if (result_.pageCount > kMaxPages) {
                result_.overflow = true;
                return false;
            }
            table_[result_.pageCount] = static_cast<long long>(i + 1);
        }
        ++lineCounter_;
        return true;
    }

    // True when `lineFeeds` more line ends (none of them the last byte) would open no page, which are
    // then counted without being looked at one by one.
    bool SkipLineFeeds(long long lineFeeds) {
        if (lineFeeds == 0) return true;
        if ((lineCounter_ - 1) / kLinesPerPage != (lineCounter_ + lineFeeds - 1) / kLinesPerPage ||
            lineCounter_ % kLinesPerPage == 0) {
            return false;
        }
        lineCounter_ += lineFeeds;
        return true;
    }

private:
    std::size_t length_;
    std::vector<long long>& table_;
    LinePages& result_;
    long long lineCounter_ = 1;
};

// Calls the breaker for every LF of [from, to); false once the table is full.
bool BreakLines(const char* begin, std::size_t from, std::size_t to, PageBreaker& breaker) {
    while (from < to) {
        const void* hit = std::memchr(begin + from, '\n', to - from);
        if (hit == nullptr) return true;
        const std::size_t i = static_cast<std::size_t>(static_cast<const char*>(hit) - begin);
        if (!breaker.OnLineFeed(i)) return false;
        from = i + 1;
    }
    return true;
}

// Cuts every line longer than kLongestPageLine bytes into pieces of at most that many, each piece but the
// last ending its page before the first character that would not fit; the 50-line breaks stay where they
// are. The page control lays a line out again for each piece of text added to it, so a line of megabytes
// would hold the reader for minutes. Books whose lines all fit keep exactly their 50-line pages.
void CutLongLines(std::string_view text, std::vector<long long>& table, LinePages& result) {
    const std::size_t n = text.size();
    std::vector<long long> starts;
    std::size_t lineStart = 0;
    int page = 1;  // the 50-line page in which lineStart lies
    while (lineStart < n) {
        const std::size_t lf = text.find('\n', lineStart);
        const std::size_t lineEnd = lf == std::string_view::npos ? n : lf;
        if (lineEnd - lineStart > kLongestPageLine) {
            if (starts.empty()) starts.assign(table.begin(), table.begin() + page + 1);
            while (page < result.pageCount && table[page + 1] <= static_cast<long long>(lineStart)) {
                starts.push_back(table[++page]);
            }
            for (std::size_t cut = lineStart; lineEnd - cut > kLongestPageLine;) {
                cut += StreamChunkLength(text, cut, kLongestPageLine);
                starts.push_back(static_cast<long long>(cut));
            }
        }
        if (lf == std::string_view::npos) break;
        lineStart = lf + 1;
    }
    if (starts.empty()) return;
    while (page < result.pageCount) starts.push_back(table[++page]);
    if (starts.size() - 1 > static_cast<std::size_t>(kMaxPages)) {
        std::copy(starts.begin(), starts.begin() + kMaxPages + 1, table.begin());
        result.pageCount = kMaxPages + 1;
        result.overflow = true;
        return;
    }
    std::copy(starts.begin(), starts.end(), table.begin());
    result.pageCount = static_cast<int>(starts.size()) - 1;
}

}  // namespace

LinePages BuildLinePages(std::string_view text, std::vector<long long>& pageTable) {
    if (pageTable.size() < static_cast<std::size_t>(kMaxPages) + 2) pageTable.resize(kMaxPages + 2);
    LinePages result;
    pageTable[0] = 0;
    pageTable[1] = 0;
    const char* begin = text.data();
    const std::size_t n = text.size();
    PageBreaker breaker(n, pageTable, result);
    std::size_t i = 0;
    long long highBytes = 0;
    // Whether a line may be longer than kLongestPageLine: lineStart is at or before the start of the line
    // being read, so a long line is never missed (a few lines just short of the length may be looked at).
    std::size_t lineStart = 0;
    bool longLine = false;
#if defined(__SSE2__)
    // One pass over the book in chunks of 1 KiB counts the high bytes and the line feeds together; only a
    // chunk in which a page begins is searched for its line feeds one by one.
    constexpr std::size_t kChunk = 1024;
    const __m128i zero = _mm_setzero_si128();
    const __m128i lineFeed = _mm_set1_epi8('\n');
    while (n - i > kChunk) {  // never the chunk holding the last byte
        __m128i high = zero, feeds = zero;
        for (std::size_t k = 0; k < kChunk; k += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + i + k));
            high = _mm_sub_epi8(high, _mm_cmplt_epi8(v, zero));
            feeds = _mm_sub_epi8(feeds, _mm_cmpeq_epi8(v, lineFeed));
        }
        const __m128i highSums = _mm_sad_epu8(high, zero), feedSums = _mm_sad_epu8(feeds, zero);
        highBytes += _mm_cvtsi128_si32(highSums) + _mm_cvtsi128_si32(_mm_srli_si128(highSums, 8));
        const long long chunkFeeds =
            _mm_cvtsi128_si32(feedSums) + _mm_cvtsi128_si32(_mm_srli_si128(feedSums, 8));
        if (!breaker.SkipLineFeeds(chunkFeeds) && !BreakLines(begin, i, i + kChunk, breaker)) {
            result.hanziCount = (highBytes + CountHighBitBytes(text.substr(i + kChunk))) / 2;
            return result;
        }
        if (chunkFeeds == 0) {
            longLine = longLine || i + kChunk - lineStart > kLongestPageLine;
        } else {
            const auto first = static_cast<std::size_t>(
                static_cast<const char*>(std::memchr(begin + i, '\n', kChunk)) - begin);
            longLine = longLine || first - lineStart > kLongestPageLine;
            lineStart = first + 1;
        }
        i += kChunk;
    }
#endif
    highBytes += CountHighBitBytes(text.substr(i));
    result.hanziCount = highBytes / 2;
    for (std::size_t from = i; !longLine;) {
        const void* hit = std::memchr(begin + from, '\n', n - from);
        const std::size_t end = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - begin) : n;
        longLine = end - lineStart > kLongestPageLine;
        if (!hit) break;
        lineStart = from = end + 1;
    }
    if (BreakLines(begin, i, n, breaker) && longLine) CutLongLines(text, pageTable, result);
    return result;
}

}  // namespace pel

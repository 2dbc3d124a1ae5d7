#include "book/decode.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pel {

const char* EncodingName(int encoding) {
    switch (encoding) {
        case kEncodingAnsi:
            return "ANSI";
        case kEncodingUnicode:
            return "Unicode";
        case kEncodingUnicodeBig:
            return "Unicode Big";
        case kEncodingUtf8:
            return "UTF-8";
        default:
            return "";
    }
}

namespace {

// Length of the sequence a UTF-8 lead byte announces, as the loader's test reckons it; 0 for a byte that
// cannot start a sequence.
int LeadSequenceLength(unsigned char x) {
    if (x >= 0xFC && x <= 0xFD) return 6;
    if (x >= 0xF8) return 5;  // F8-FB and also FE, FF
    if (x >= 0xF0) return 4;
    if (x >= 0xE0) return 3;
    if (x >= 0xC0) return 2;
    return 0;
}

}  // namespace

int DetectUtf8(const unsigned char* sample, long long n, int budget) {
    if (n <= 0 || sample == nullptr) return 0;
    long long left = budget < 0 ? n : budget;
    int pending = 0;
    bool allAscii = true;
    for (long long i = 0; i < n; ++i) {
        const unsigned char x = sample[i];
        if (left == 0) return allAscii ? 0 : 1;
        if (x < 0x80) {
            --left;
        } else {
            allAscii = false;
        }
        if (pending > 0) {
            if ((x & 0xC0) != 0x80) return 0;
            --pending;
        } else if (x >= 0x80) {
            --left;
            const int length = LeadSequenceLength(x);
            if (length == 0) return 0;
            pending = length - 1;
        }
    }
    if (pending > 0) return 0;
    return allAscii ? 0 : 1;
}

DetectedEncoding DetectEncoding(std::string_view file, bool forceUtf8) {
    unsigned char probe[3] = {0, 0, 0};
    std::memcpy(probe, file.data(), file.size() < 3 ? file.size() : 3);
    DetectedEncoding result;
    if (probe[0] == 0xFF && probe[1] == 0xFE) {
        result.encoding = kEncodingUnicode;
    } else if (probe[0] == 0xFE && probe[1] == 0xFF) {
        result.encoding = kEncodingUnicodeBig;
    } else if (probe[0] == 0xEF && probe[1] == 0xBB && probe[2] == 0xBF) {
        result.encoding = kEncodingUtf8;
        result.skipUtf8Mark = !forceUtf8;
    }
    bool utf8TestSaidYes = false;
    if (result.encoding == kEncodingAnsi && file.size() > 3) {
        const auto* sample = reinterpret_cast<const unsigned char*>(file.data()) + 3;
        utf8TestSaidYes = DetectUtf8(sample, static_cast<long long>(file.size() - 3), 3) == 1;
    }
    if (forceUtf8 || utf8TestSaidYes) {
        result.encoding = kEncodingUtf8;
        result.skipUtf8Mark = false;
    }
    return result;
}

namespace {

void ReleaseBytes(std::string& bytes) { std::string().swap(bytes); }

// Number of 16-bit units at `units` before the first unit 0000 (or `available` when there is none).
std::size_t CountUnitsBeforeZero(const char* units, std::size_t available) {
    std::size_t count = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (available - count >= 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + 2 * count));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(v, zero)));
        if (mask != 0) return count + static_cast<std::size_t>(__builtin_ctz(mask)) / 2;
        count += 8;
    }
#endif
    while (count < available && (units[2 * count] != 0 || units[2 * count + 1] != 0)) ++count;
    return count;
}

std::string DecodeUtf16(std::string&& file, bool bigEndian, ICodePage& codePage) {
    if (file.size() < 4) return {};
    // The units after the mark are used where they lie: the NUL search and the byte swap run in place.
    char* units = file.data() + 2;
    const std::size_t available = (file.size() - 2) / 2;  // a lone trailing byte is no unit
    const std::size_t count = CountUnitsBeforeZero(units, available);
    const bool swap = bigEndian != (std::endian::native == std::endian::big);
    if (swap) {
        for (std::size_t i = 0; i < count; ++i) std::swap(units[2 * i], units[2 * i + 1]);
    }
    // The string's buffer comes from the allocator, so offset 2 is aligned for 16-bit units.
    std::string text =
        codePage.Utf16ToCp936(std::u16string_view(reinterpret_cast<const char16_t*>(units), count));
    ReleaseBytes(file);
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

std::string DecodeUtf8(std::string&& file, bool skipMark, ICodePage& codePage) {
    std::string_view bytes(file);
    if (skipMark) bytes.remove_prefix(bytes.size() < 3 ? bytes.size() : 3);
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
    std::u16string wide;
    if (!codePage.Utf8ToUtf16(bytes, wide)) return {};
    ReleaseBytes(file);
    std::string text = codePage.Utf16ToCp936(wide);
    const std::size_t textNul = text.find('\0');
    if (textNul != std::string::npos) text.resize(textNul);
    return text;
}

}  // namespace

std::string DecodeBook(std::string&& file, const DetectedEncoding& detected, ICodePage& codePage) {
    switch (detected.encoding) {
        case kEncodingUnicode:
            return DecodeUtf16(std::move(file), false, codePage);
        case kEncodingUnicodeBig:
            return DecodeUtf16(std::move(file), true, codePage);
        case kEncodingUtf8:
            return DecodeUtf8(std::move(file), detected.skipUtf8Mark, codePage);
        default: {
            const void* nul = std::memchr(file.data(), 0, file.size());
            if (nul != nullptr) file.resize(static_cast<const char*>(nul) - file.data());
            return std::move(file);
        }
    }
}

void DeleteBlankLines(std::string& text) {
    const long long length = static_cast<long long>(text.size());
    char* b = text.data();
    for (long long i = 0; i < length - 20; ++i) {
        if (b[i] == '\r' && b[i + 1] == '\n' && b[i + 2] == '\r') b[i] = b[i + 1] = ' ';
        if (b[i] == '\n' && b[i + 1] == '\r' && b[i + 2] == '\n') b[i] = b[i + 1] = ' ';
    }
    for (long long i = 0; i < length - 20; ++i) {
        if (b[i] == '\n' && b[i + 1] == '\r') {
            b[i] = '\r';
            b[i + 1] = '\n';
        }
    }
}

long long CountHighBitBytes(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    long long count = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: a byte with its high bit set is negative; lanes count up to 255 blocks
    // before they are summed.
    const __m128i zero = _mm_setzero_si128();
    while (n - i >= 16) {
        std::size_t blocks = (n - i) / 16;
        if (blocks > 255) blocks = 255;
        __m128i lanes = zero;
        for (std::size_t k = 0; k < blocks; ++k, i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            lanes = _mm_sub_epi8(lanes, _mm_cmplt_epi8(v, zero));
        }
        const __m128i sums = _mm_sad_epu8(lanes, zero);
        count += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
    }
#endif
    // Eight bytes at a time: the high bits gather in byte lanes, summed before a lane can overflow.
    while (n - i >= 8) {
        std::size_t words = (n - i) / 8;
        if (words > 255) words = 255;
        std::uint64_t lanes = 0;
        for (std::size_t k = 0; k < words; ++k, i += 8) {
            std::uint64_t w;
            std::memcpy(&w, p + i, 8);
            lanes += (w >> 7) & 0x0101010101010101ull;
        }
        lanes = (lanes & 0x00FF00FF00FF00FFull) + ((lanes >> 8) & 0x00FF00FF00FF00FFull);
        count += static_cast<long long>((lanes * 0x0001000100010001ull) >> 48);
    }
    for (; i < n; ++i) count += p[i] >> 7;
    return count;
}

}  // namespace pel

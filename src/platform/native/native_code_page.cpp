#include "platform/native/native_code_page.h"

#include <iconv.h>
#include <sys/mman.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace pel {

namespace {

// CP936 form of every UTF-16 unit: values up to 0xFF are one byte, larger values a lead byte (high) and a
// trail byte (low); a double-byte lead is never below 0x81, so the two cannot be confused.
using Cp936Table = std::array<std::uint16_t, 65536>;

Cp936Table BuildTable() {
    Cp936Table table;
    for (unsigned u = 0; u < 0x80; ++u) table[u] = static_cast<std::uint16_t>(u);
    for (unsigned u = 0x80; u < 65536; ++u) table[u] = '?';
    iconv_t cd = iconv_open("CP936", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("GBK", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return table;
    for (unsigned u = 0x80; u < 65536; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) continue;  // a lone surrogate has no form of its own
        char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        unsigned char out[8];
        char* inPtr = in;
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t inLeft = 2;
        std::size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) continue;
        const std::size_t produced = sizeof out - outLeft;
        if (produced == 1) {
            table[u] = out[0];
        } else if (produced == 2 && out[0] >= 0x81) {
            table[u] = static_cast<std::uint16_t>(out[0] << 8 | out[1]);
        }
    }
    iconv_close(cd);
    return table;
}

const Cp936Table& Table() {
    static const Cp936Table table = BuildTable();
    return table;
}

// Sizes a fresh output string; a large one is backed by huge pages, which spares most of the page faults
// of its first writing.
template <class String>
void SizeForWriting(String& s, std::size_t n) {
    s.clear();
    const bool fresh = s.capacity() < n;
    s.reserve(n);
    const std::size_t bytes = n * sizeof(s[0]);
    constexpr std::uintptr_t kHuge = 2u << 20;
    if (fresh && bytes >= 4 * kHuge) {
        const auto at = reinterpret_cast<std::uintptr_t>(s.data());
        const std::uintptr_t begin = (at + kHuge - 1) & ~(kHuge - 1);
        const std::uintptr_t end = (at + bytes) & ~(kHuge - 1);
        if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
    s.resize(n);
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length in bytes of the well-formed sequence at p (0 when it is not well formed) and its unit count.
int SequenceAt(const unsigned char* p, const unsigned char* end, int& units) {
    const unsigned char b = p[0];
    const std::ptrdiff_t left = end - p;
    units = 1;
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return left >= 2 && IsContinuation(p[1]) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        if (left < 3 || !IsContinuation(p[1]) || !IsContinuation(p[2])) return 0;
        if (b == 0xE0 && p[1] < 0xA0) return 0;  // overlong
        if (b == 0xED && p[1] > 0x9F) return 0;  // surrogate
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        if (left < 4 || !IsContinuation(p[1]) || !IsContinuation(p[2]) || !IsContinuation(p[3])) return 0;
        if (b == 0xF0 && p[1] < 0x90) return 0;  // overlong
        if (b == 0xF4 && p[1] > 0x8F) return 0;  // above U+10FFFF
        units = 2;
        return 4;
    }
    return 0;
}

bool EightAscii(const unsigned char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return (w & 0x8080808080808080ull) == 0;
}

}  // namespace

std::string NativeCodePage::Utf16ToCp936(std::u16string_view text) {
    const Cp936Table& table = Table();
    std::size_t bytes = 0;
    for (const char16_t u : text) bytes += table[u] > 0xFF ? 2 : 1;
    std::string out;
    SizeForWriting(out, bytes);
    char* o = out.data();
    for (const char16_t u : text) {
        const std::uint16_t v = table[u];
        if (v > 0xFF) {
            *o++ = static_cast<char>(v >> 8);
            *o++ = static_cast<char>(v & 0xFF);
        } else {
            *o++ = static_cast<char>(v);
        }
    }
    return out;
}

bool NativeCodePage::Utf8ToUtf16(std::string_view text, std::u16string& out) {
    out.clear();
    const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = begin + text.size();
    // First pass: validate and count the units, so that the output is allocated once at its exact size.
    // ASCII runs go eight bytes at a time and the three-byte sequences of Chinese have their own path.
    std::size_t units = 0;
    for (const unsigned char* p = begin; p < end;) {
        const unsigned char b = *p;
        if (b < 0x80) {
            const bool run = end - p >= 8 && EightAscii(p);
            p += run ? 8 : 1;
            units += run ? 8 : 1;
            continue;
        }
        if (((b >= 0xE1 && b <= 0xEC) || b >= 0xEE) && b <= 0xEF && end - p >= 3 && IsContinuation(p[1]) &&
            IsContinuation(p[2])) {
            p += 3;
            ++units;
            continue;
        }
        int n = 0;
        const int length = SequenceAt(p, end, n);
        if (length == 0) return false;
        p += length;
        units += static_cast<std::size_t>(n);
    }
    SizeForWriting(out, units);
    char16_t* o = out.data();
    for (const unsigned char* p = begin; p < end;) {
        const unsigned char b = *p;
        if (b < 0x80) {
            if (end - p >= 8 && EightAscii(p)) {
                for (int i = 0; i < 8; ++i) *o++ = p[i];
                p += 8;
            } else {
                *o++ = b;
                p += 1;
            }
        } else if (b >= 0xE0 && b < 0xF0) {
            *o++ = static_cast<char16_t>((b & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
            p += 3;
        } else if (b < 0xE0) {
            *o++ = static_cast<char16_t>((b & 0x1F) << 6 | (p[1] & 0x3F));
            p += 2;
        } else {
            const std::uint32_t c =
                (b & 0x07u) << 18 | (p[1] & 0x3Fu) << 12 | (p[2] & 0x3Fu) << 6 | (p[3] & 0x3Fu);
            *o++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            *o++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            p += 4;
        }
    }
    return true;
}

}  // namespace pel

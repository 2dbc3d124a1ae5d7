#include "edit/find_text.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "book/page_index.h"

namespace pel {

namespace {

unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// Double-byte letters that have a case, folded to their capital as the page control folds them: the
// full-width Latin, Greek and Cyrillic letters and the small Roman numerals. The lead byte stays.
unsigned char FoldTrail(unsigned char lead, unsigned char trail) {
    struct CaseRange {
        unsigned char lead, smallFirst, smallLast, capitalFirst;
    };
    static constexpr CaseRange kCases[] = {
        {0xA3, 0xE1, 0xFA, 0xC1},  // ａ..ｚ -> Ａ..Ｚ
        {0xA6, 0xC1, 0xD8, 0xA1},  // α..ω -> Α..Ω
        {0xA7, 0xD1, 0xF1, 0xA1},  // а..я (ё among them) -> А..Я
        {0xA2, 0xA1, 0xAA, 0xF1},  // ⅰ..ⅹ -> Ⅰ..Ⅹ
    };
    for (const CaseRange& r : kCases) {
        if (lead == r.lead && trail >= r.smallFirst && trail <= r.smallLast) {
            return static_cast<unsigned char>(trail - r.smallFirst + r.capitalFirst);
        }
    }
    return trail;
}

bool IsAsciiWord(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Compares the text at `at` (a character boundary) with `what`, character by character of the text.
bool MatchesAt(const unsigned char* at, const unsigned char* end, std::string_view what, bool matchCase) {
    const auto* w = reinterpret_cast<const unsigned char*>(what.data());
    std::size_t j = 0;
    const unsigned char* p = at;
    while (j < what.size()) {
        if (p >= end) return false;
        const int width = ControlCharBytes(p, end);
        if (j + static_cast<std::size_t>(width) > what.size()) return false;  // would end inside a character
        if (width == 1) {
            if (matchCase ? p[0] != w[j] : Fold(p[0]) != Fold(w[j])) return false;
        } else if (p[0] != w[j] ||
                   (matchCase ? p[1] != w[j + 1] : FoldTrail(p[0], p[1]) != FoldTrail(w[j], w[j + 1]))) {
            return false;
        }
        p += width;
        j += static_cast<std::size_t>(width);
    }
    return true;
}

// Double-byte characters that separate words, as the rich-edit control classifies them (measured under the
// control with every GBK code): punctuation, symbols, box drawing, the vertical forms, and the unassigned
// and user-defined codes. Letters (Greek, Cyrillic, kana, pinyin, the full-width ones), digits, Roman
// numerals and the Chinese characters make words. A range may run across codes that are no characters.
struct CodeRange {
    std::uint16_t first, last;
};
constexpr CodeRange kWordSeparators[] = {
    {0xA140, 0xA1A4}, {0xA1A7, 0xA1A8}, {0xA1AA, 0xA2A0}, {0xA2AB, 0xA2F0}, {0xA2FD, 0xA3AF},
    {0xA3BA, 0xA3C0}, {0xA3DB, 0xA3E0}, {0xA3FB, 0xA4A0}, {0xA4F4, 0xA5A0}, {0xA5F7, 0xA6A0},
    {0xA6B9, 0xA6C0}, {0xA6D9, 0xA7A0}, {0xA7C2, 0xA7D0}, {0xA7F2, 0xA7FE}, {0xA842, 0xA8A0},
    {0xA8BC, 0xA8BC}, {0xA8BF, 0xA8BF}, {0xA8C1, 0xA8C4}, {0xA8EA, 0xA8FE}, {0xA949, 0xA95F},
    {0xA961, 0xA962}, {0xA968, 0xA995}, {0xA997, 0xA9FE}, {0xAAA1, 0xAAFE}, {0xABA1, 0xABFE},
    {0xACA1, 0xACFE}, {0xADA1, 0xADFE}, {0xAEA1, 0xAEFE}, {0xAFA1, 0xAFFE}, {0xD7FA, 0xD7FE},
    {0xF8A1, 0xF8FE}, {0xF9A1, 0xF9FE}, {0xFAA1, 0xFAFE}, {0xFBA1, 0xFBFE}, {0xFCA1, 0xFCFE},
    {0xFDA1, 0xFDFE}, {0xFE50, 0xFEFE},
};

}  // namespace

bool IsWordCharacter(const unsigned char* p, int width) {
    if (width == 1) return IsAsciiWord(p[0]);
    const std::uint16_t code = static_cast<std::uint16_t>(p[0] << 8 | p[1]);
    const auto after = std::upper_bound(std::begin(kWordSeparators), std::end(kWordSeparators), code,
                                        [](std::uint16_t c, const CodeRange& r) { return c < r.first; });
    return after == std::begin(kWordSeparators) || code > (after - 1)->last;
}

std::size_t CharBoundaryBefore(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    std::size_t at = 0;
    while (true) {
        const std::size_t next = at + static_cast<std::size_t>(ControlCharBytes(p + at, end));
        if (next > limit) return at;
        at = next;
    }
}

long long ControlLength(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    long long n = 0;
    while (p < end) {
        p += ControlCharBytes(p, end);
        ++n;
    }
    return n;
}

bool PlaceOfPosition(std::string_view text, long long charPos, TextPlace& place) {
    if (charPos < 0) charPos = 0;
    const auto* b = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = b + text.size();
    const unsigned char* p = b;
    bool wordBefore = false;
    long long c = 0;
    for (; c < charPos && p < end; ++c) {
        const int width = ControlCharBytes(p, end);
        wordBefore = IsWordCharacter(p, width);
        p += width;
    }
    if (c < charPos) return false;
    place = {charPos, static_cast<std::size_t>(p - b), wordBefore};
    return true;
}

bool FindFrom(std::string_view text, const TextPlace& from, std::string_view what, FindOptions options,
              TextPlace& match) {
    if (what.empty() || from.byteOffset > text.size()) return false;
    const auto* b = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = b + text.size();
    const auto* w = reinterpret_cast<const unsigned char*>(what.data());
    const unsigned char first = options.matchCase ? w[0] : Fold(w[0]);
    const unsigned char* p = b + from.byteOffset;
    long long c = from.charPos;
    bool wordBefore = from.wordBefore;
    while (static_cast<std::size_t>(end - p) >= what.size()) {
        const int width = ControlCharBytes(p, end);
        const unsigned char head = options.matchCase ? p[0] : Fold(p[0]);
        if (head == first && MatchesAt(p, end, what, options.matchCase)) {
            bool bounded = true;
            if (options.wholeWord) {
                const unsigned char* after = p + what.size();
                const bool nextIsWord = after < end && IsWordCharacter(after, ControlCharBytes(after, end));
                bounded = !wordBefore && !nextIsWord;
            }
            if (bounded) {
                match = {c, static_cast<std::size_t>(p - b), wordBefore};
                return true;
            }
        }
        if (options.wholeWord) wordBefore = IsWordCharacter(p, width);
        p += width;
        ++c;
    }
    return false;
}

}  // namespace pel

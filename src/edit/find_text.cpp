#include "edit/find_text.h"

#include "book/page_index.h"

namespace pel {

namespace {

unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

bool IsAsciiWord(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Compares the text at `at` (a character boundary) with `what`, character by character of the text, and
// gives the width of the last character matched.
bool MatchesAt(const unsigned char* at, const unsigned char* end, std::string_view what, bool matchCase,
               int& lastWidth) {
    const auto* w = reinterpret_cast<const unsigned char*>(what.data());
    std::size_t j = 0;
    const unsigned char* p = at;
    while (j < what.size()) {
        if (p >= end) return false;
        const int width = ControlCharBytes(p, end);
        if (j + static_cast<std::size_t>(width) > what.size()) return false;  // would end inside a character
        if (width == 1) {
            if (matchCase ? p[0] != w[j] : Fold(p[0]) != Fold(w[j])) return false;
        } else if (p[0] != w[j] || p[1] != w[j + 1]) {
            return false;
        }
        lastWidth = width;
        p += width;
        j += static_cast<std::size_t>(width);
    }
    return true;
}

}  // namespace

bool IsWordCharacter(const unsigned char* p, int width) {
    if (width == 1) return IsAsciiWord(p[0]);
    const unsigned char lead = p[0], trail = p[1];
    if (lead == 0xA3) {
        // Full-width digits and letters are words; the rest of the row is full-width punctuation.
        return (trail >= 0xB0 && trail <= 0xB9) || (trail >= 0xC1 && trail <= 0xDA) ||
               (trail >= 0xE1 && trail <= 0xFA);
    }
    if (lead == 0xA1 || lead == 0xA2 || lead == 0xA9) return false;
    if (lead >= 0xA6 && lead <= 0xA8 && trail < 0xA1) return false;  // vertical forms and other symbols
    return true;
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
    const int firstWidth = ControlCharBytes(w, w + what.size());
    const bool firstIsWord = IsWordCharacter(w, firstWidth);
    const unsigned char* p = b + from.byteOffset;
    long long c = from.charPos;
    bool wordBefore = from.wordBefore;
    while (static_cast<std::size_t>(end - p) >= what.size()) {
        const int width = ControlCharBytes(p, end);
        const unsigned char head = options.matchCase ? p[0] : Fold(p[0]);
        int lastWidth = 1;
        if (head == first && MatchesAt(p, end, what, options.matchCase, lastWidth)) {
            bool bounded = true;
            if (options.wholeWord) {
                const unsigned char* after = p + what.size();
                const bool lastIsWord = IsWordCharacter(after - lastWidth, lastWidth);
                const bool nextIsWord = after < end && IsWordCharacter(after, ControlCharBytes(after, end));
                bounded = !(wordBefore && firstIsWord) && !(lastIsWord && nextIsWord);
            }
            if (bounded) {
                match = {c, static_cast<std::size_t>(p - b), wordBefore};
                return true;
            }
        }
        wordBefore = IsWordCharacter(p, width);
        p += width;
        ++c;
    }
    return false;
}

}  // namespace pel

#include "edit/book_file.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "book/decode.h"

namespace pel {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The same comparison as FileHoldsText over two stretches of equal length.
bool SameBytes(std::string_view file, std::string_view text, bool blankLinesDeleted) {
    if (!blankLinesDeleted) return std::memcmp(file.data(), text.data(), text.size()) == 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (file[i] == text[i]) continue;
        if (!IsLineEnd(file[i]) || !(text[i] == ' ' || IsLineEnd(text[i]))) return false;
    }
    return true;
}

// The file's characters as UTF-16, all of them; false when some bytes are no character.
bool DecodeWhole(std::string_view file, int encoding, bool skipUtf8Mark, ICodePage& codePage,
                 std::u16string& wide) {
    if (encoding == kEncodingUtf8) {
        if (skipUtf8Mark) file.remove_prefix(3);
        return codePage.Utf8ToUtf16(file, wide);
    }
    if (file.size() < 2 || file.size() % 2 != 0) return false;
    const bool big = encoding == kEncodingUnicodeBig;
    wide.resize((file.size() - 2) / 2);
    const auto* p = reinterpret_cast<const unsigned char*>(file.data()) + 2;
    for (std::size_t i = 0; i < wide.size(); ++i, p += 2) {
        wide[i] = static_cast<char16_t>(big ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]));
    }
    return true;
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// A character from U+0080 on has a form of its own in code page 936 when it becomes a double-byte character
// or the single byte 80 (the euro sign); "?" or a plain ASCII look-alike is no form of it.
bool HasForm(const std::string& cp936) {
    if (cp936.size() == 2) return static_cast<unsigned char>(cp936[0]) >= 0x81;
    return cp936.size() == 1 && static_cast<unsigned char>(cp936[0]) == 0x80;
}

// Characters that code page 936 has no form for. Each distinct character is converted once: a novel uses a
// few thousand of them, however long it is.
long long CountLost(std::u16string_view wide, ICodePage& codePage) {
    std::vector<std::uint64_t> uses(65536, 0);
    long long lost = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char16_t u = wide[i];
        if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            // Beyond the basic plane nothing has a form in code page 936; a pair is one character.
            if (IsHighSurrogate(u) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) ++i;
            ++lost;
        } else if (u >= 0x80) {
            ++uses[u];
        }
    }
    for (std::size_t u = 0x80; u < uses.size(); ++u) {
        if (uses[u] == 0) continue;
        const char16_t one = static_cast<char16_t>(u);
        if (!HasForm(codePage.Utf16ToCp936(std::u16string_view(&one, 1)))) {
            lost += static_cast<long long>(uses[u]);
        }
    }
    return lost;
}

}  // namespace

bool FileHoldsText(std::string_view file, std::string_view text, bool blankLinesDeleted) {
    if (file.size() < text.size()) return false;
    if (file.size() > text.size() && file[text.size()] != '\0') return false;
    return SameBytes(file, text, blankLinesDeleted);
}

RewriteCheck CheckRewrite(std::string_view file, int encoding, std::string_view text, bool blankLinesDeleted,
                          ICodePage& codePage) {
    RewriteCheck check;
    if (encoding != kEncodingUnicode && encoding != kEncodingUnicodeBig && encoding != kEncodingUtf8) {
        return check;
    }
    const bool marked = encoding == kEncodingUtf8 && file.substr(0, 3) == "\xEF\xBB\xBF";
    // A marked UTF-8 file was read without its mark, unless UTF-8 was forced on it.
    for (const bool skipMark : {marked, false}) {
        std::u16string wide;
        if (!DecodeWhole(file, encoding, skipMark, codePage, wide)) continue;
        const std::string cp936 = codePage.Utf16ToCp936(wide);
        if (cp936.size() == text.size() && SameBytes(cp936, text, blankLinesDeleted)) {
            check.holdsText = true;
            check.lostCharacters = CountLost(wide, codePage);
            return check;
        }
        if (!skipMark) break;
    }
    return check;
}

}  // namespace pel

// Finding text in the page as the page control holds it: CP936 bytes, positions in the control's own
// characters (a GBK double-byte character is one position, every other byte one).
#pragma once
#include <cstddef>
#include <string_view>

namespace pel {

struct FindOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// Where a scan starts or a match lies: the control position and the byte offset of the same character.
struct TextPlace {
    long long charPos = 0;
    std::size_t byteOffset = 0;
    // Whether the character before this place is a word character (false at the start of the text).
    bool wordBefore = false;
};

// The longest start of `text` of at most `limit` bytes that ends on a character boundary: its length.
std::size_t CharBoundaryBefore(std::string_view text, std::size_t limit);

// Number of control positions of a CP936 text.
long long ControlLength(std::string_view text);

// Letters and digits make words, as the page control sees them: ASCII letters and digits, and the
// double-byte letters, digits and Chinese characters. Spaces, punctuation (the underscore and Chinese
// punctuation included), symbols and line ends separate words.
bool IsWordCharacter(const unsigned char* p, int width);

// The place of control position `charPos` in `text`; false when the position lies beyond its end.
bool PlaceOfPosition(std::string_view text, long long charPos, TextPlace& place);

// The first match of `what` at or after `from`, wholly inside `text`. A match starts and ends on
// character boundaries, so it never begins or ends inside a double-byte character. Without matchCase,
// letters compare without case as the page control compares them: the ASCII letters, and the full-width
// Latin, Greek and Cyrillic letters and the Roman numerals (a trail byte is never taken for an ASCII
// letter); wholeWord asks, as the
// rich-edit control does, for a non-word character or the edge of the text right before and right after the
// match, whatever the match itself begins and ends with. An empty `what` finds nothing.
bool FindFrom(std::string_view text, const TextPlace& from, std::string_view what, FindOptions options,
              TextPlace& match);

}  // namespace pel

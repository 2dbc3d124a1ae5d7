// Encoding detection and decoding of a book file into the working text (CP936 bytes).
#pragma once
#include <string>
#include <string_view>

#include "book/platform.h"

namespace pel {

enum TextEncodingValue {
    kEncodingAnsi = 0,
    kEncodingUnicode = 1,
    kEncodingUnicodeBig = 2,
    kEncodingUtf8 = 3
};

// Name shown in the status bar: "ANSI", "Unicode", "Unicode Big", "UTF-8"; "" for other values.
const char* EncodingName(int encoding);

// UTF-8 test over a sample of n bytes. `budget` counts characters (ASCII bytes and lead bytes); -1 means
// n. Returns 1 when the sample reads as UTF-8 holding at least one non-ASCII byte, else 0.
int DetectUtf8(const unsigned char* sample, long long n, int budget);

struct DetectedEncoding {
    int encoding = kEncodingAnsi;
    // The file is UTF-8 because of its EF BB BF mark (not forced, not found by the UTF-8 test): the
    // three mark bytes are skipped when decoding.
    bool skipUtf8Mark = false;
};

// Looks at the first bytes of the file for a byte-order mark; without one, runs the UTF-8 test with a
// budget of 3 characters on the bytes from offset 3 on. `forceUtf8` makes any unmarked file UTF-8.
DetectedEncoding DetectEncoding(std::string_view file, bool forceUtf8);

// Decodes the whole file into CP936. Every conversion stops at the first NUL; an invalid UTF-8 sequence
// gives an empty text. The file bytes are reused in place where the encoding allows it.
std::string DecodeBook(std::string&& file, const DetectedEncoding& detected, ICodePage& codePage);

// Blanks out empty lines without changing the length: "A CR LF CR LF B" becomes "A, space, space, CR,
// LF, B". The last 20 bytes are never touched.
void DeleteBlankLines(std::string& text);

// Number of bytes with the high bit set.
long long CountHighBitBytes(std::string_view text);

}  // namespace pel

// Cutting a code page 936 text into the pieces a stream hands to the page control.
#pragma once
#include <cstddef>
#include <string_view>

namespace pel {

// The number of bytes from `pos` (a character boundary of `text`) that fit in `room` bytes without cutting a
// double-byte character: a lead byte whose trail would fall outside the piece waits for the next piece. The
// result is 0 only at the end of the text; a room too small for the next character still takes that
// character's first byte, so a stream never stops early.
std::size_t StreamChunkLength(std::string_view text, std::size_t pos, std::size_t room);

}  // namespace pel

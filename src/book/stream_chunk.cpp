#include "book/stream_chunk.h"

namespace pel {

namespace {
bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
}  // namespace

std::size_t StreamChunkLength(std::string_view text, std::size_t pos, std::size_t room) {
    if (pos >= text.size()) return 0;
    const std::size_t left = text.size() - pos;
    if (room >= left) return left;
    // Walk whole characters from the boundary: a trail byte may look like a lead byte, so the bytes near the
    // cut cannot be judged on their own.
    std::size_t n = 0;
    while (n < room) {
        const std::size_t width =
            IsLeadByte(static_cast<unsigned char>(text[pos + n])) && n + 1 < left ? 2 : 1;
        if (n + width > room) break;
        n += width;
    }
    return n == 0 ? 1 : n;
}

}  // namespace pel

// Mapping between the page control's character positions and CP936 byte offsets of the page text.
// The control counts a GBK double-byte character as one character and every other byte (CR and LF
// included) as one; the index is built once per page shown, after which each lookup is a table read plus
// a scan of at most one checkpoint interval, whatever the size of the page.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pel {

// Number of bytes (1 or 2) that make up the page control's character starting at `p`. This is the one
// place that knows how the control counts characters.
inline int ControlCharBytes(const unsigned char* p, const unsigned char* end) {
    if (end - p >= 2 && p[0] >= 0x81 && p[0] <= 0xFE &&
        ((p[1] >= 0x40 && p[1] <= 0x7E) || (p[1] >= 0x80 && p[1] <= 0xFE))) {
        return 2;
    }
    return 1;
}

class PageIndex {
public:
    static constexpr int kCheckpointEvery = 64;

    // Indexes `text`, which must stay alive as long as `owner` does (it usually lies inside it).
    void Build(std::shared_ptr<const std::string> owner, std::string_view text);
    void Clear();

    long long ByteLength() const { return static_cast<long long>(text_.size()); }
    long long CharCount() const { return charCount_; }

    // Byte offset where character `charPos` begins; positions past the end give the byte length, negative
    // ones 0.
    long long ByteFromChar(long long charPos) const;
    // Character that holds byte `byteOffset` (a trail byte belongs to its lead byte's character); offsets
    // past the end give the character count, negative ones 0.
    long long CharFromByte(long long byteOffset) const;

private:
    int WidthAt(std::size_t pos) const {
        const auto* b = reinterpret_cast<const unsigned char*>(text_.data());
        return ControlCharBytes(b + pos, b + text_.size());
    }

    std::shared_ptr<const std::string> owner_;
    std::string_view text_;
    long long charCount_ = 0;
    // Byte offset of characters 0, 64, 128, ...
    std::vector<std::uint32_t> charStarts_;
    // For bytes 0, 64, 128, ...: the character holding that byte, times two, plus one when the byte is the
    // trail byte of that character.
    std::vector<std::uint32_t> byteMarks_;
};

}  // namespace pel

#include "book/page_index.h"

#include <utility>

namespace pel {

void PageIndex::Clear() {
    owner_.reset();
    text_ = {};
    charCount_ = 0;
    charStarts_.clear();
    byteMarks_.clear();
}

void PageIndex::Build(std::shared_ptr<const std::string> owner, std::string_view text) {
    Clear();
    owner_ = std::move(owner);
    text_ = text;
    const std::size_t n = text.size();
    charStarts_.reserve(n / kCheckpointEvery + 1);
    byteMarks_.reserve(n / kCheckpointEvery + 1);
    std::size_t pos = 0;
    std::size_t nextMark = 0;
    std::uint32_t chars = 0;
    while (pos < n) {
        const std::size_t width = static_cast<std::size_t>(WidthAt(pos));
        if (chars % kCheckpointEvery == 0) charStarts_.push_back(static_cast<std::uint32_t>(pos));
        while (nextMark < pos + width) {
            byteMarks_.push_back(chars * 2 + (nextMark != pos ? 1 : 0));
            nextMark += kCheckpointEvery;
        }
        pos += width;
        ++chars;
    }
    charCount_ = chars;
}

long long PageIndex::ByteFromChar(long long charPos) const {
    if (charPos <= 0) return 0;
    if (charPos >= charCount_) return ByteLength();
    std::size_t pos = charStarts_[static_cast<std::size_t>(charPos / kCheckpointEvery)];
    for (long long left = charPos % kCheckpointEvery; left > 0; --left) pos += WidthAt(pos);
    return static_cast<long long>(pos);
}

long long PageIndex::CharFromByte(long long byteOffset) const {
    if (byteOffset <= 0) return 0;
    if (byteOffset >= ByteLength()) return charCount_;
    const std::size_t target = static_cast<std::size_t>(byteOffset);
    const std::size_t block = target / kCheckpointEvery;
    const std::uint32_t mark = byteMarks_[block];
    long long chars = mark / 2;
    std::size_t pos = block * kCheckpointEvery - (mark & 1);
    for (;;) {
        const std::size_t width = static_cast<std::size_t>(WidthAt(pos));
        if (target < pos + width) return chars;
        pos += width;
        ++chars;
    }
}

}  // namespace pel

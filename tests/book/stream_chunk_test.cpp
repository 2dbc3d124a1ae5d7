#include "book/stream_chunk.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace pel {
namespace {

// The character starts of a code page 936 text, found from its first byte.
std::vector<bool> CharacterStarts(const std::string& text) {
    std::vector<bool> starts(text.size() + 1, false);
    for (size_t i = 0; i < text.size();) {
        starts[i] = true;
        const auto c = static_cast<unsigned char>(text[i]);
        i += (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) ? 2 : 1;
    }
    starts[text.size()] = true;
    return starts;
}

// Streams `text` as the page control asks for it and checks every cut.
void ExpectWholeCharacterPieces(const std::string& text, size_t room) {
    const std::vector<bool> starts = CharacterStarts(text);
    std::string joined;
    size_t pos = 0;
    for (int guard = 0; guard < 1'000'000; ++guard) {
        const size_t n = StreamChunkLength(text, pos, room);
        if (n == 0) break;
        ASSERT_LE(n, room < 2 ? 2 : room);
        joined.append(text, pos, n);
        pos += n;
        if (room >= 2) {
            ASSERT_TRUE(starts[pos]) << "piece ends inside a character at byte " << pos;
        }
    }
    EXPECT_EQ(pos, text.size());
    EXPECT_EQ(joined, text);
}

TEST(StreamChunk, LeadByteAtTheEndOfAPieceWaitsForTheNext) {
    // Three ASCII bytes and one double-byte character: with room 4 the character would be cut after its lead.
    const std::string text = "abc\xD6\xD0z";
    EXPECT_EQ(StreamChunkLength(text, 0, 4), 3u);
    EXPECT_EQ(StreamChunkLength(text, 3, 4), 3u);
    EXPECT_EQ(StreamChunkLength(text, 6, 4), 0u);
}

TEST(StreamChunk, TrailBytesThatLookLikeLeadBytesAreNotTakenForLeads) {
    // Each character here is two bytes in 81..FE: judged byte by byte the odd bytes would look like leads.
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "\x81\x81";
    EXPECT_EQ(StreamChunkLength(text, 0, 4096), 4096u);
    text = "a" + text;  // now every 4,096-byte cut falls inside a character
    EXPECT_EQ(StreamChunkLength(text, 0, 4096), 4095u);
    EXPECT_EQ(StreamChunkLength(text, 4095, 4096), 1906u);  // what is left fits
}

TEST(StreamChunk, EndOfTextAndTinyRooms) {
    EXPECT_EQ(StreamChunkLength("", 0, 4096), 0u);
    EXPECT_EQ(StreamChunkLength("ab", 2, 4096), 0u);
    // A lead byte that ends the text is a character of its own.
    EXPECT_EQ(StreamChunkLength("ab\xD6", 0, 2), 2u);
    EXPECT_EQ(StreamChunkLength("ab\xD6", 2, 2), 1u);
    // A room of one byte still moves the stream on, never reporting an end that is not there.
    EXPECT_EQ(StreamChunkLength("\xD6\xD0", 0, 1), 1u);
    EXPECT_EQ(StreamChunkLength("\xD6\xD0", 0, 0), 1u);
}

TEST(StreamChunk, RandomBooksAreCutOnlyBetweenCharacters) {
    std::mt19937 rng(8);
    for (int round = 0; round < 40; ++round) {
        std::string text;
        const int chars = 1 + static_cast<int>(rng() % 30000);
        for (int i = 0; i < chars; ++i) {
            switch (rng() % 4) {
                case 0:
                    text += static_cast<char>('a' + rng() % 26);
                    break;
                case 1:
                    text += '\n';
                    break;
                default:
                    text += static_cast<char>(0x81 + rng() % 0x7E);
                    text += static_cast<char>(0x40 + rng() % 0xBF);
            }
        }
        for (size_t room : {4096u, 4095u, 2u, 3u, 1u, 65536u}) ExpectWholeCharacterPieces(text, room);
    }
}

}  // namespace
}  // namespace pel

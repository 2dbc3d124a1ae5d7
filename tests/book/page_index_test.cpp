#include "book/page_index.h"

#include <gtest/gtest.h>

#include <random>

#include "support/bytes.h"
#include "support/fake_page_control.h"

namespace pel {
namespace {

using testing::Bytes;

int Width(const std::string& s) {
    const auto* b = reinterpret_cast<const unsigned char*>(s.data());
    return ControlCharBytes(b, b + s.size());
}

TEST(ControlCharBytes, GbkPairsAreOneCharacterEverythingElseOneByte) {
    EXPECT_EQ(Width("中"), 2);
    EXPECT_EQ(Width(Bytes({0x81, 0x40})), 2);
    EXPECT_EQ(Width(Bytes({0xFE, 0xFE})), 2);
    EXPECT_EQ(Width(Bytes({0x81, 0x7F})), 1);  // 7F is no trail byte
    EXPECT_EQ(Width(Bytes({0x81, 0xFF})), 1);
    EXPECT_EQ(Width(Bytes({0x80, 0x41})), 1);  // 80 is no lead byte
    EXPECT_EQ(Width(Bytes({0xFF, 0x41})), 1);
    EXPECT_EQ(Width(Bytes({0xB0})), 1);  // a lead byte at the end of the text
    EXPECT_EQ(Width("\r\n"), 1);
}

std::shared_ptr<const std::string> Shared(std::string s) {
    return std::make_shared<const std::string>(std::move(s));
}

TEST(PageIndex, MapsChineseTextBothWays) {
    auto text = Shared("中a\r\n文");  // characters: 中 a CR LF 文
    PageIndex index;
    index.Build(text, *text);
    EXPECT_EQ(index.CharCount(), 5);
    const long long bytes[] = {0, 2, 3, 4, 5, 7};
    for (int c = 0; c <= 5; ++c) EXPECT_EQ(index.ByteFromChar(c), bytes[c]) << c;
    EXPECT_EQ(index.CharFromByte(0), 0);
    EXPECT_EQ(index.CharFromByte(1), 0);  // trail byte of 中
    EXPECT_EQ(index.CharFromByte(2), 1);
    EXPECT_EQ(index.CharFromByte(6), 4);
    EXPECT_EQ(index.CharFromByte(7), 5);
    EXPECT_EQ(index.CharFromByte(1000), 5);
    EXPECT_EQ(index.CharFromByte(-3), 0);
    EXPECT_EQ(index.ByteFromChar(-1), 0);
    EXPECT_EQ(index.ByteFromChar(99), 7);
}

TEST(PageIndex, EmptyAndClearedIndexesAnswerZero) {
    PageIndex index;
    EXPECT_EQ(index.ByteFromChar(5), 0);
    EXPECT_EQ(index.CharFromByte(5), 0);
    auto text = Shared("abc");
    index.Build(text, *text);
    index.Clear();
    EXPECT_EQ(index.CharCount(), 0);
    EXPECT_EQ(index.ByteFromChar(2), 0);
}

// Pages of Chinese, ASCII, CR LF and stray high bytes, so that pairs straddle every checkpoint.
std::string RandomPage(std::mt19937& rng, std::size_t length) {
    std::string page;
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> lead(0x81, 0xFE), trail(0x40, 0xFE), ascii(0x20, 0x7E);
    while (page.size() < length) {
        const int k = kind(rng);
        if (k < 5) {
            page.push_back(static_cast<char>(lead(rng)));
            int t = trail(rng);
            if (t == 0x7F) t = 0x80;
            page.push_back(static_cast<char>(t));
        } else if (k < 7) {
            page.push_back(static_cast<char>(ascii(rng)));
        } else if (k == 7) {
            page += "\r\n";
        } else if (k == 8) {
            page.push_back('\n');
        } else {
            page.push_back(static_cast<char>(lead(rng)));  // may pair with what follows, or not
        }
    }
    return page;
}

// Character start offsets computed the slow way.
std::vector<long long> CharStarts(const std::string& page) {
    std::vector<long long> starts;
    const auto* b = reinterpret_cast<const unsigned char*>(page.data());
    for (std::size_t i = 0; i < page.size(); i += ControlCharBytes(b + i, b + page.size())) {
        starts.push_back(static_cast<long long>(i));
    }
    return starts;
}

TEST(PageIndex, RandomPagesRoundTripEveryPosition) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 40; ++round) {
        auto page = Shared(RandomPage(rng, 1 + rng() % 3000));
        PageIndex index;
        index.Build(page, *page);
        const std::vector<long long> starts = CharStarts(*page);
        ASSERT_EQ(index.CharCount(), static_cast<long long>(starts.size()));
        for (std::size_t c = 0; c < starts.size(); ++c) {
            ASSERT_EQ(index.ByteFromChar(static_cast<long long>(c)), starts[c]) << "char " << c;
            ASSERT_EQ(index.CharFromByte(starts[c]), static_cast<long long>(c));
        }
        std::size_t c = 0;
        for (long long b = 0; b < index.ByteLength(); ++b) {
            while (c + 1 < starts.size() && starts[c + 1] <= b) ++c;
            ASSERT_EQ(index.CharFromByte(b), static_cast<long long>(c)) << "byte " << b;
        }
    }
}

TEST(PageIndex, LineStartsOfTheControlMapToLineStartBytes) {
    std::mt19937 rng(7);
    for (int wrap : {0, 13}) {
        for (int round = 0; round < 10; ++round) {
            auto page = Shared(RandomPage(rng, 4000));
            testing::FakePageControl control(20, wrap);
            control.SetText(*page);
            PageIndex index;
            index.Build(page, *page);
            const std::vector<long long> starts = CharStarts(*page);
            for (int line = 0; line < control.LineCount(); ++line) {
                const int charPos = control.LineIndex(line);
                const long long byte = index.ByteFromChar(charPos);
                if (wrap == 0 && line > 0) {
                    ASSERT_EQ((*page)[static_cast<std::size_t>(byte - 1)], '\n') << "line " << line;
                }
                if (byte < index.ByteLength()) {
                    ASSERT_TRUE(std::binary_search(starts.begin(), starts.end(), byte));
                }
                ASSERT_EQ(control.LineFromChar(static_cast<int>(index.CharFromByte(byte))), line);
            }
        }
    }
}

}  // namespace
}  // namespace pel

#include "book/decode.h"

#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/system_code_page.h"

namespace pel {
namespace {

using testing::Bytes;
using testing::Utf16File;
using testing::Utf8;

int Detect(const std::string& s, int budget) {
    return DetectUtf8(reinterpret_cast<const unsigned char*>(s.data()), static_cast<long long>(s.size()),
                      budget);
}

TEST(DetectUtf8, AnswersYesOnlyForWellFormedTextWithNonAscii) {
    EXPECT_EQ(Detect("", -1), 0);
    EXPECT_EQ(Detect("plain ascii", -1), 0);
    EXPECT_EQ(Detect(Utf8(u8"中文"), -1), 1);
    EXPECT_EQ(Detect(Utf8(u8"ab中"), -1), 1);
    EXPECT_EQ(Detect(Bytes({0xE4, 0xB8}), -1), 0);        // sequence cut short at the end
    EXPECT_EQ(Detect(Bytes({0xE4, 0x41, 0x42}), -1), 0);  // continuation expected
    EXPECT_EQ(Detect(Bytes({0x80, 0x80}), -1), 0);        // continuation byte as a lead
    EXPECT_EQ(DetectUtf8(nullptr, 5, -1), 0);
}

TEST(DetectUtf8, BudgetCountsAsciiBytesAndLeadBytes) {
    // Three ASCII characters spend a budget of 3: the Chinese after them is never looked at.
    EXPECT_EQ(Detect("abc" + Utf8(u8"中"), 3), 0);
    // Two ASCII characters and a lead byte: the budget is spent before the continuation bytes, which
    // may even be wrong.
    EXPECT_EQ(Detect(Bytes({'a', 'b', 0xC3, 0x41}), 3), 1);
    EXPECT_EQ(Detect(Bytes({'a', 'b', 0xE4, 0xB8, 0xAD, 0x41}), 3), 1);
    // A whole first character inside the budget must be well formed.
    EXPECT_EQ(Detect(Bytes({0xD6, 0xD0, 0xCE, 0xC4}), 3), 0);  // GBK 中文
    EXPECT_EQ(Detect(Utf8(u8"中文字") + Bytes({0xFF}), 3), 1);
    EXPECT_EQ(Detect(Utf8(u8"中文字") + Bytes({0xFF}), -1), 0);
    EXPECT_EQ(Detect(Utf8(u8"中"), 0), 0);
}

TEST(DetectUtf8, LeadByteLengthsReachUpToSix) {
    EXPECT_EQ(Detect(Bytes({0xFC, 0x80, 0x80, 0x80, 0x80, 0x80}), -1), 1);
    EXPECT_EQ(Detect(Bytes({0xFC, 0x80, 0x80, 0x80, 0x80}), -1), 0);
    EXPECT_EQ(Detect(Bytes({0xFE, 0x80, 0x80, 0x80, 0x80}), -1), 1);  // FE counts as a 5-byte lead
    EXPECT_EQ(Detect(Bytes({0xF0, 0x9F, 0x98, 0x80}), -1), 1);
    EXPECT_EQ(Detect(Bytes({0xC0, 0x80}), -1), 1);  // the test does not reject overlong forms
}

TEST(DetectEncoding, MarksAndTheSampleFromOffsetThree) {
    EXPECT_EQ(DetectEncoding(Bytes({0xFF, 0xFE, 0x41, 0x00}), false).encoding, kEncodingUnicode);
    EXPECT_EQ(DetectEncoding(Bytes({0xFE, 0xFF, 0x00, 0x41}), false).encoding, kEncodingUnicodeBig);
    DetectedEncoding marked = DetectEncoding(Bytes({0xEF, 0xBB, 0xBF, 'a'}), false);
    EXPECT_EQ(marked.encoding, kEncodingUtf8);
    EXPECT_TRUE(marked.skipUtf8Mark);

    // UTF-8 without a mark whose bytes 3 to 5 are ASCII reads as ANSI.
    EXPECT_EQ(DetectEncoding(Utf8(u8"中abc文字"), false).encoding, kEncodingAnsi);
    // Three ASCII letters, then UTF-8 Chinese: the sample starts on the Chinese.
    DetectedEncoding detected = DetectEncoding(Utf8(u8"abc中文"), false);
    EXPECT_EQ(detected.encoding, kEncodingUtf8);
    EXPECT_FALSE(detected.skipUtf8Mark);
    // GBK with a lead byte at offset 3 followed by a trail byte outside 80-BF.
    EXPECT_EQ(DetectEncoding(Bytes({'a', 'b', 'c', 0xD6, 0xD0, 0xCE, 0xC4}), false).encoding, kEncodingAnsi);
    // Bytes 3 and 4 ASCII, byte 5 a lead byte: UTF-8 whatever follows.
    EXPECT_EQ(DetectEncoding(Bytes({'x', 'y', 'z', 'a', 'b', 0xD6, 0xD0}), false).encoding, kEncodingUtf8);
    EXPECT_EQ(DetectEncoding("ab", false).encoding, kEncodingAnsi);
}

TEST(DetectEncoding, ForcedUtf8KeepsAMarkAsText) {
    DetectedEncoding forced = DetectEncoding(Bytes({0xEF, 0xBB, 0xBF, 'a'}), true);
    EXPECT_EQ(forced.encoding, kEncodingUtf8);
    EXPECT_FALSE(forced.skipUtf8Mark);
    EXPECT_EQ(DetectEncoding("plain", true).encoding, kEncodingUtf8);
}

class DecodeBookTest : public ::testing::Test {
protected:
    std::string Decode(std::string file, bool force = false) {
        const DetectedEncoding detected = DetectEncoding(file, force);
        return DecodeBook(std::move(file), detected, codePage);
    }
    testing::SystemCodePage codePage;
};

TEST_F(DecodeBookTest, AnsiIsTakenAsItIsUpToTheFirstNul) {
    EXPECT_EQ(Decode("第一章\r\n正文"), "第一章\r\n正文");
    EXPECT_EQ(Decode(std::string("abc\0def", 7)), "abc");
}

TEST_F(DecodeBookTest, Utf16BothByteOrdersEndAtAZeroUnit) {
    EXPECT_EQ(Decode(Utf16File(u"第一章\r\nab", false)), "第一章\r\nab");
    EXPECT_EQ(Decode(Utf16File(u"第一章\r\nab", true)), "第一章\r\nab");
    EXPECT_EQ(Decode(Utf16File(std::u16string(u"前\0后", 3), false)), "前");
    EXPECT_EQ(Decode(Utf16File(std::u16string(u"前\0后", 3), true)), "前");
    EXPECT_EQ(Decode(Utf16File(u"", false)), "");
    // A lone trailing byte is no unit.
    EXPECT_EQ(Decode(Utf16File(u"中", false) + "x"), "中");
}

// A UTF-16 book cut to an odd length keeps every whole unit in either byte order; the last byte, half a
// unit, makes no character. A high surrogate left without its pair becomes the replacement character.
TEST_F(DecodeBookTest, Utf16OfOddLengthKeepsEveryWholeUnit) {
    const std::u16string text = u"第一章 开端\r\n江南的雨下了一整天。\r\n";
    for (bool big : {false, true}) {
        for (char last : {'\n', '\0', '\xD6'}) {
            EXPECT_EQ(Decode(Utf16File(text, big) + last), "第一章 开端\r\n江南的雨下了一整天。\r\n") << big;
        }
        const std::string pair = Utf16File(u"雨\U00020000", big);
        EXPECT_EQ(Decode(pair.substr(0, pair.size() - 1)), "雨?") << big;
        EXPECT_EQ(Decode(Utf16File(u"", big) + 'a'), "") << big;
    }
}

TEST_F(DecodeBookTest, Utf8WithMarkDetectedAndForced) {
    EXPECT_EQ(Decode(Bytes({0xEF, 0xBB, 0xBF}) + Utf8(u8"中文")), "中文");
    EXPECT_EQ(Decode(Utf8(u8"abc中文")), "abc中文");
    // Forcing converts the mark too: it has no CP936 form and shows as the replacement character.
    EXPECT_EQ(Decode(Bytes({0xEF, 0xBB, 0xBF}) + Utf8(u8"中文"), true), "?中文");
    EXPECT_EQ(Decode(Utf8(u8"abc中文") + std::string("\0x", 2)), "abc中文");
}

TEST_F(DecodeBookTest, InvalidUtf8GivesAnEmptyText) {
    EXPECT_EQ(Decode(Utf8(u8"abc中文") + Bytes({0xE4, 0x41, 0x41})), "");
    EXPECT_EQ(Decode(Bytes({0xEF, 0xBB, 0xBF, 'a', 0xFF})), "");
}

TEST(DeleteBlankLines, BlanksEmptyLinesAndKeepsTheLength) {
    const std::string tail(20, 'z');
    std::string text = "A\r\n\r\nB" + tail;
    DeleteBlankLines(text);
    EXPECT_EQ(text, "A  \r\nB" + tail);

    std::string many = "A\r\n\r\n\r\n\r\nB" + tail;
    const std::size_t length = many.size();
    DeleteBlankLines(many);
    EXPECT_EQ(many.size(), length);
    EXPECT_EQ(many.find("\r\n\r\n"), std::string::npos);
    EXPECT_NE(many.find("\r\nB"), std::string::npos);

    std::string lfOnly = "A\n\nB" + tail;
    DeleteBlankLines(lfOnly);
    EXPECT_EQ(lfOnly, "A\n\nB" + tail);
}

TEST(DeleteBlankLines, LeavesTheLastTwentyBytesAlone) {
    std::string text = "A\r\n\r\nB" + std::string(15, 'z');
    const std::string before = text;
    DeleteBlankLines(text);
    // Only positions below length - 20 = 1 are looked at: the blank line at offset 1 is kept.
    EXPECT_EQ(text, before);
    std::string shortText = "\r\n\r\n";
    DeleteBlankLines(shortText);
    EXPECT_EQ(shortText, "\r\n\r\n");
}

TEST(CountHighBitBytes, CountsEveryByteWithItsHighBitSet) {
    EXPECT_EQ(CountHighBitBytes(""), 0);
    EXPECT_EQ(CountHighBitBytes("abc"), 0);
    std::string mixed;
    long long expected = 0;
    for (int i = 0; i < 5000; ++i) {
        const char c = static_cast<char>((i * 37) & 0xFF);
        mixed.push_back(c);
        expected += (static_cast<unsigned char>(c) & 0x80) ? 1 : 0;
    }
    EXPECT_EQ(CountHighBitBytes(mixed), expected);
    EXPECT_EQ(CountHighBitBytes(std::string(4096, '\xB0')), 4096);
}

TEST(EncodingName, NamesShownInTheStatusBar) {
    EXPECT_STREQ(EncodingName(0), "ANSI");
    EXPECT_STREQ(EncodingName(1), "Unicode");
    EXPECT_STREQ(EncodingName(2), "Unicode Big");
    EXPECT_STREQ(EncodingName(3), "UTF-8");
    EXPECT_STREQ(EncodingName(7), "");
}

}  // namespace
}  // namespace pel

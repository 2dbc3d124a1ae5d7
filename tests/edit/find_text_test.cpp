// Finding text in the page's CP936 bytes at the positions the page control uses.
#include "edit/find_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/bytes.h"

namespace pel {
namespace {

using testing::Bytes;

// Control position of the first match at or after `from`, or -1.
long long Find(const std::string& text, const std::string& what, long long from = 0, bool matchCase = false,
               bool wholeWord = false) {
    TextPlace start, match;
    if (!PlaceOfPosition(text, from, start)) return -1;
    return FindFrom(text, start, what, {matchCase, wholeWord}, match) ? match.charPos : -1;
}

TEST(FindTextTest, AGbkTrailByteEqualToAnAsciiLetterIsNeverHalfAMatch) {
    // 0x81 0x41 is one double-byte character whose trail byte is 'A'; B0 61 likewise ends in 'a'.
    const std::string text = Bytes({0x81, 0x41, 'x', ' ', 'A'}) + Bytes({0xB0, 0x61}) + "a";
    EXPECT_EQ(Find(text, "A", 0, true), 3);
    EXPECT_EQ(Find(text, "a", 0, false), 3);  // folding never reaches into a double-byte character
    EXPECT_EQ(Find(text, "a", 4, true), 5);
    // 81 41 and 81 61 are two characters, not one in two cases.
    EXPECT_EQ(Find(Bytes({0x81, 0x41}), Bytes({0x81, 0x61}), 0, false), -1);
    // "\\" as a trail byte (95 5C) and '|' (81 7C) are no backslash or bar either.
    EXPECT_EQ(Find(Bytes({0x95, 0x5C, 0x81, 0x7C}), "\\"), -1);
    EXPECT_EQ(Find(Bytes({0x95, 0x5C, 0x81, 0x7C}), "|"), -1);
}

TEST(FindTextTest, AMatchNeitherStartsNorEndsInsideADoubleByteCharacter) {
    // "啊" is B0 A1; "x" followed by its lead byte is no match, nor is its trail byte followed by "y".
    const std::string text = std::string("x") + Bytes({0xB0, 0xA1}) + "y";
    EXPECT_EQ(Find(text, std::string("x") + Bytes({0xB0})), -1);
    EXPECT_EQ(Find(text, Bytes({0xA1}) + "y"), -1);
    EXPECT_EQ(Find(text, std::string("x") + Bytes({0xB0, 0xA1})), 0);
    // The lead byte of one character and the trail byte of the one before look like a third character.
    const std::string pair = Bytes({0xB0, 0xA1, 0xB0, 0xA1});
    EXPECT_EQ(Find(pair, Bytes({0xA1, 0xB0})), -1);
    EXPECT_EQ(Find(pair, Bytes({0xB0, 0xA1}), 1), 1);
}

TEST(FindTextTest, PositionsCountADoubleByteCharacterOnceAndLineEndsAsTheyAre) {
    const std::string text = "第一行\r\n第二行\r\n第三行 abc";
    EXPECT_EQ(Find(text, "第二"), 5);
    EXPECT_EQ(Find(text, "行\r\n第"), 2);  // a match may run across a line end
    EXPECT_EQ(Find(text, "行\r\n第", 3), 7);
    EXPECT_EQ(Find(text, "abc"), 14);
    EXPECT_EQ(ControlLength(text), 17);
}

TEST(FindTextTest, CaseIsFoldedForEveryLetterThatHasOne) {
    EXPECT_EQ(Find("Abc ABC abc", "abc", 0, true), 8);
    EXPECT_EQ(Find("Abc ABC abc", "abc", 0, false), 0);
    EXPECT_EQ(Find("Abc ABC abc", "aBC", 1, false), 4);
    // Full-width, Greek and Cyrillic letters and Roman numerals in both cases.
    EXPECT_EQ(Find("x：ＡＢＣ", "ａｂｃ"), 2);
    EXPECT_EQ(Find("x：ＡＢＣ", "ａｂｃ", 0, true), -1);
    EXPECT_EQ(Find("x：ｚ", "Ｚ"), 2);
    EXPECT_EQ(Find("ΑΒΓ", "αβγ"), 0);
    EXPECT_EQ(Find("ЁЛКА", "ёлка"), 0);
    EXPECT_EQ(Find("第Ⅹ卷", "ⅹ"), 1);
    // Neither width nor anything but case is folded, and a Chinese character is never.
    EXPECT_EQ(Find("ABC", "ａｂｃ"), -1);
    EXPECT_EQ(Find("ａ", "a"), -1);
    EXPECT_EQ(Find("天", "夫"), -1);
}

TEST(FindTextTest, WholeWordsAreBoundedByNonWordCharactersOrTheEdges) {
    // Positions as the rich-edit control finds them: Chinese characters are word characters, '_', '-'
    // and spaces are not.
    const std::string text = "cat concat 中cat文 cat_x cat-cat1 cat";
    EXPECT_EQ(Find(text, "cat", 0, false, true), 0);
    EXPECT_EQ(Find(text, "cat", 1, false, true), 17);
    EXPECT_EQ(Find(text, "cat", 18, false, true), 23);
    EXPECT_EQ(Find(text, "cat", 24, false, true), 32);
    EXPECT_EQ(Find("中文书 文", "文", 0, false, true), 4);
    EXPECT_EQ(Find("你好，世界。", "世界", 0, false, true), 3);  // Chinese punctuation ends a word
    EXPECT_EQ(Find("ＡＢ２ x", "ＡＢ", 0, false, true), -1);     // full-width letters and digits make words
    // The characters outside the match decide, not those it begins or ends with.
    EXPECT_EQ(Find("ab, a", ", a", 0, false, true), -1);
    EXPECT_EQ(Find("ab , a", ", a", 0, false, true), 3);
    EXPECT_EQ(Find("天地，人", "地，", 0, false, true), -1);
}

TEST(FindTextTest, DoubleByteLettersAndDigitsMakeWordsSymbolsSeparateThem) {
    auto word = [](std::initializer_list<int> bytes) {
        const std::string c = Bytes(bytes);
        return IsWordCharacter(reinterpret_cast<const unsigned char*>(c.data()), static_cast<int>(c.size()));
    };
    EXPECT_TRUE(word({0xCC, 0xEC}));   // 天
    EXPECT_TRUE(word({0xA6, 0xC1}));   // α
    EXPECT_TRUE(word({0xA2, 0xFC}));   // Ⅻ
    EXPECT_TRUE(word({0xA4, 0xA2}));   // あ
    EXPECT_TRUE(word({0xA8, 0xA2}));   // á
    EXPECT_TRUE(word({0x81, 0x40}));   // the first GBK code
    EXPECT_FALSE(word({0xA1, 0xA4}));  // ·
    EXPECT_FALSE(word({0xA1, 0xA3}));  // 。
    EXPECT_FALSE(word({0xA3, 0xDF}));  // ＿
    EXPECT_FALSE(word({0xA9, 0xA4}));  // ─
    EXPECT_FALSE(word({0xAA, 0xA1}));  // a user-defined code
    EXPECT_FALSE(word({0xFE, 0xFE}));
    EXPECT_FALSE(word({'_'}));
    EXPECT_FALSE(word({0x80}));
    EXPECT_TRUE(word({'7'}));
}

TEST(FindTextTest, ATextIsCutOnlyBetweenCharacters) {
    EXPECT_EQ(CharBoundaryBefore("ab中文", 3), 2u);
    EXPECT_EQ(CharBoundaryBefore("ab中文", 4), 4u);
    EXPECT_EQ(CharBoundaryBefore("ab", 255), 2u);
}

TEST(FindTextTest, NothingIsFoundPastTheEndOrForAnEmptyText) {
    TextPlace place;
    EXPECT_TRUE(PlaceOfPosition("中文", 2, place));
    EXPECT_EQ(place.byteOffset, 4u);
    EXPECT_FALSE(PlaceOfPosition("中文", 3, place));
    EXPECT_EQ(Find("中文", "文", 2), -1);
    EXPECT_EQ(Find("abc", ""), -1);
    EXPECT_EQ(Find("abc", "abcd"), -1);
    EXPECT_EQ(Find("abc", "c", 2), 2);
}

}  // namespace
}  // namespace pel

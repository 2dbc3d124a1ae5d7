#include "book/pagination.h"

#include <gtest/gtest.h>

#include "book/page_text.h"
#include "book/reader.h"

namespace pel {
namespace {

std::string Lines(int count, const std::string& end = "\r\n") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "第" + std::to_string(i) + "行" + end;
    return text;
}

TEST(BuildLinePages, FiftyLinesAPageAndNoPageAfterTheLastByte) {
    std::vector<long long> table;
    EXPECT_EQ(BuildLinePages(Lines(49), table).pageCount, 1);
    EXPECT_EQ(BuildLinePages(Lines(50), table).pageCount, 1);  // the 50th LF is the last byte

    const std::string fiftyOne = Lines(51);
    LinePages pages = BuildLinePages(fiftyOne, table);
    EXPECT_EQ(pages.pageCount, 2);
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[1], 0);
    EXPECT_EQ(table[2], static_cast<long long>(Lines(50).size()));
    EXPECT_FALSE(pages.overflow);

    // Lines without a final line end: the 50th LF now starts page 2.
    std::string unterminated = Lines(50) + "尾";
    EXPECT_EQ(BuildLinePages(unterminated, table).pageCount, 2);
    EXPECT_EQ(BuildLinePages(Lines(150), table).pageCount, 3);
    EXPECT_EQ(BuildLinePages(Lines(151), table).pageCount, 4);
}

TEST(BuildLinePages, LfOnlyPaginatesLikeCrLfAndCrAloneEndsNoLine) {
    std::vector<long long> table;
    EXPECT_EQ(BuildLinePages(Lines(120, "\n"), table).pageCount, 3);
    EXPECT_EQ(BuildLinePages(Lines(500, "\r"), table).pageCount, 1);
    EXPECT_EQ(BuildLinePages("", table).pageCount, 1);
}

TEST(BuildLinePages, CountsHanziAsHighBitBytesHalved) {
    std::vector<long long> table;
    EXPECT_EQ(BuildLinePages("中文abc", table).hanziCount, 2);
    EXPECT_EQ(BuildLinePages("中\xB0", table).hanziCount, 1);  // 3 bytes, rounded toward zero
}

TEST(BuildLinePages, StopsWhenTheTableIsFull) {
    std::vector<long long> table;
    // 10,000 pages fit; one more line ending past them would open page 10,001.
    const std::string full(static_cast<std::size_t>(kMaxPages) * kLinesPerPage, '\n');
    LinePages pages = BuildLinePages(full, table);
    EXPECT_EQ(pages.pageCount, kMaxPages);
    EXPECT_FALSE(pages.overflow);
    EXPECT_EQ(table[kMaxPages], static_cast<long long>((kMaxPages - 1)) * kLinesPerPage);

    LinePages over = BuildLinePages(full + "\nx", table);
    EXPECT_EQ(over.pageCount, kMaxPages + 1);
    EXPECT_TRUE(over.overflow);
    EXPECT_GE(table.size(), static_cast<std::size_t>(kMaxPages) + 2);
}

TEST(BuildLinePages, LongLinesGoOnOverPagesOfBoundedPieces) {
    constexpr auto kPiece = static_cast<long long>(kLongestPageLine);
    std::vector<long long> table;
    // One line of 2.5 pieces in double-byte characters after one odd byte, so that a cut at the length
    // would fall inside a character.
    std::string line = "x";
    while (line.size() < kLongestPageLine * 5 / 2) line += "中";
    LinePages pages = BuildLinePages(line, table);
    ASSERT_EQ(pages.pageCount, 3);
    EXPECT_FALSE(pages.overflow);
    EXPECT_EQ(table[2], kPiece - 1);  // before the character across the length
    EXPECT_EQ(table[3], 2 * kPiece - 1);
    EXPECT_EQ(pages.hanziCount, static_cast<long long>((line.size() - 1) / 2));

    // Lines before a long one stay on its first piece's page, and the line count goes on over the pieces:
    // the 50-line breaks after it stay where they were.
    const std::string head = Lines(3, "\n");
    const std::string book = head + std::string(kLongestPageLine * 2 + 10, 'a') + "\n" + Lines(60, "\n");
    pages = BuildLinePages(book, table);
    ASSERT_EQ(pages.pageCount, 4);
    EXPECT_EQ(table[2], static_cast<long long>(head.size()) + kPiece);
    EXPECT_EQ(table[3], static_cast<long long>(head.size()) + 2 * kPiece);
    EXPECT_EQ(table[4], static_cast<long long>(book.find(Lines(60, "\n")) + Lines(46, "\n").size()));

    // A line of exactly the length is not cut, and neither is a page of many such lines.
    const std::string fit(kLongestPageLine, 'b');
    std::string fat;
    for (int i = 0; i < 60; ++i) fat += fit + "\n";
    pages = BuildLinePages(fat, table);
    ASSERT_EQ(pages.pageCount, 2);
    EXPECT_EQ(table[2], 50 * (kPiece + 1));

    // The pieces count against the table's 10,000 pages too.
    const std::string last = std::string(static_cast<std::size_t>(kMaxPages - 1) * kLinesPerPage, '\n') +
                             std::string(kLongestPageLine * 2 + 1, 'c');
    pages = BuildLinePages(last, table);
    EXPECT_TRUE(pages.overflow);
    EXPECT_EQ(pages.pageCount, kMaxPages + 1);
}

TEST(MakePageText, LfPairsBecomeCrLf) {
    EXPECT_EQ(MakePageText("A\n\nB"), "A\r\nB");
    EXPECT_EQ(MakePageText("A\r\n\r\nB"), "A\r\n\r\nB");
    EXPECT_EQ(MakePageText("A\n\n\nB"), "A\r\r\nB");
    // The page's last byte is copied unchanged, and a final pair keeps its first LF's rewrite.
    EXPECT_EQ(MakePageText("A\n\n"), "A\r\n");
    EXPECT_EQ(MakePageText("A\n"), "A\n");
    EXPECT_EQ(MakePageText(""), "");
    EXPECT_EQ(MakePageText("\n"), "\n");
    EXPECT_EQ(MakePageText("中\n\n文"), "中\r\n文");
}

}  // namespace
}  // namespace pel

// The LastReadEntry line and the parse of BookMark keys in both layouts.
#include "state/bookmark_line.h"

#include <gtest/gtest.h>

#include <random>

namespace pel {
namespace {

TEST(LastReadEntry, FormatsNamePageTimeAndPath) {
    EXPECT_EQ(FormatLastReadEntry("book.txt", 3, {2024, 3, 3, 14, 5, 59}, "C:\\books\\book.txt"),
              "book.txt,P3,14:05,03/March >C:\\books\\book.txt");
    EXPECT_EQ(FormatLastReadEntry("斗罗.txt", 120, {2023, 1, 5, 9, 7, 0}, "D:\\小说\\斗罗.txt"),
              "斗罗.txt,P120,09:07,05/January >D:\\小说\\斗罗.txt");
    // With no book opened during the run.
    EXPECT_EQ(FormatLastReadEntry("", 0, {2023, 12, 31, 0, 0, 0}, ""), ",P0,00:00,31/December >");
}

TEST(LastReadEntry, MonthNamesAreEnglishForEveryMonth) {
    const char* const names[] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(FormatEntryTime({2024, m, 10, 23, 59, 0}), std::string("23:59,10/") + names[m - 1]);
    }
    // A broken clock never indexes past the table.
    EXPECT_EQ(FormatEntryTime({2024, 13, 1, 0, 0, 0}), "00:00,01/January");
}

TEST(LastReadEntry, ParsesBackInTheCommaLayout) {
    const std::string line =
        FormatLastReadEntry("book.txt", 3, {2024, 3, 3, 14, 5, 0}, "C:\\books\\book.txt");
    const BookmarkLine entry = ParseBookmarkLine(0, line);
    EXPECT_EQ(entry.raw, line);
    EXPECT_EQ(entry.label, "book.txt,P3,14:05,03/March >");
    EXPECT_EQ(entry.path, "C:\\books\\book.txt");
    EXPECT_EQ(entry.page, "3");
    EXPECT_EQ(entry.modeOrTime, "14:05");
    EXPECT_EQ(entry.savedLine, "");  // key 0 has no saved line

    // Commas in the path do not disturb the fields before it.
    const BookmarkLine commaPath = ParseBookmarkLine(0, "a.txt,P7,10:00,01/May >C:\\x,y\\a.txt");
    EXPECT_EQ(commaPath.page, "7");
    EXPECT_EQ(commaPath.path, "C:\\x,y\\a.txt");
}

TEST(LastReadEntry, FileNamesWithCommasKeepTheirPage) {
    const std::string line =
        FormatLastReadEntry("全集,完本,精校.txt", 12, {2024, 3, 3, 14, 5, 0}, "C:\\全集,完本,精校.txt");
    const BookmarkLine entry = ParseBookmarkLine(0, line);
    EXPECT_EQ(entry.page, "12");
    EXPECT_EQ(entry.modeOrTime, "14:05");
    EXPECT_EQ(entry.path, "C:\\全集,完本,精校.txt");
}

TEST(BookmarkLineParse, BookmarkLayoutRestartsTheCommasAtTheArrow) {
    const BookmarkLine b = ParseBookmarkLine(2, "书名, 12.34%, [3-03 14:05] >P5,1,p1234, <C:\\书\\书名.txt");
    EXPECT_EQ(b.label, "书名, 12.34%, [3-03 14:05] >");
    EXPECT_EQ(b.page, "5");
    EXPECT_EQ(b.modeOrTime, "1");
    EXPECT_EQ(b.charPos, "1234");
    EXPECT_EQ(b.path, "C:\\书\\书名.txt");
}

TEST(BookmarkLineParse, OlderLayoutOfBookmarksTakesTheSavedLineAfterAnL) {
    const BookmarkLine withLine = ParseBookmarkLine(1, "name,P7,10:00,L33,x >C:\\a.txt");
    EXPECT_EQ(withLine.page, "7");
    EXPECT_EQ(withLine.modeOrTime, "10:00");
    EXPECT_EQ(withLine.savedLine, "33");
    EXPECT_EQ(withLine.path, "C:\\a.txt");
    EXPECT_EQ(withLine.label, "name,P7,10:00,L33,x >");

    EXPECT_EQ(ParseBookmarkLine(1, "name,P7,10:00,03/May >C:\\a.txt").savedLine, "0");
    // Key 0 is always read in the older layout, even with a '<' in it.
    EXPECT_EQ(ParseBookmarkLine(0, "n,P2,10:00,03/May >C:\\<a.txt").page, "2");
}

TEST(BookmarkLineParse, DamagedLinesGiveEmptyFields) {
    for (int key : {0, 1}) {
        for (const char* line : {"", ">", "<", ",", ",,,,", "P", ">P", "x,P", "<>", "a<b>c,d,e,f"}) {
            const BookmarkLine b = ParseBookmarkLine(key, line);
            EXPECT_EQ(b.raw, line);
            EXPECT_LE(b.page.size(), b.raw.size());
        }
    }
    const BookmarkLine noArrow = ParseBookmarkLine(3, "only text, no arrow <C:\\a.txt");
    EXPECT_EQ(noArrow.page, "");
    EXPECT_EQ(noArrow.path, "C:\\a.txt");
    EXPECT_EQ(ParseBookmarkLine(0, ",P").page, "");
    EXPECT_EQ(ParseBookmarkLine(1, "a,P1,t,L").savedLine, "");
}

// Every field is a piece of the line, whatever the line holds.
TEST(BookmarkLineParse, RandomLinesNeverReachOutsideTheLine) {
    std::mt19937 random(7);
    const char alphabet[] = {',', ',', '>', '<', 'P', 'p', 'L', '1', ' ', '\xD6', '\xD0', 'a'};
    for (int round = 0; round < 3000; ++round) {
        std::string line(random() % 262, ' ');
        for (char& c : line) c = alphabet[random() % sizeof alphabet];
        const int key = static_cast<int>(random() % 10);
        const BookmarkLine b = ParseBookmarkLine(key, line);
        for (const std::string* field : {&b.page, &b.modeOrTime, &b.charPos, &b.path}) {
            EXPECT_NE(line.find(*field), std::string::npos);
        }
        if (key > 0 && b.savedLine != "0") {
            EXPECT_NE(line.find(b.savedLine), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace pel

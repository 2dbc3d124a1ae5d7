// The ReadingRecord line: its seven fields, the older four-field lines, names with commas, the folder
// of a path and the rows of the records dialog.
#include "state/record_line.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace pel {
namespace {

TEST(ReadingRecordLine, SevenFieldsReadBackAsWritten) {
    ReadingRecord r;
    r.name = "三体.txt";
    r.total = "5400";
    r.firstRead = FormatRecordTime({2017, 3, 3, 9, 5, 0});
    r.lastRead = FormatRecordTime({2017, 12, 24, 22, 10, 0});
    r.progress = "37.25";
    r.characters = "123456";
    r.folder = "D:\\小说,完本\\刘慈欣";  // a folder may hold commas
    const std::string line = FormatReadingRecord(r);
    EXPECT_EQ(line, "三体.txt,5400,2017/3/3 09:05,2017/12/24 22:10,37.25,123456,D:\\小说,完本\\刘慈欣");
    const ReadingRecord back = ParseReadingRecord(line);
    EXPECT_EQ(back.raw, line);
    EXPECT_EQ(back.name, r.name);
    EXPECT_EQ(back.total, r.total);
    EXPECT_EQ(back.firstRead, r.firstRead);
    EXPECT_EQ(back.lastRead, r.lastRead);
    EXPECT_EQ(back.progress, r.progress);
    EXPECT_EQ(back.characters, r.characters);
    EXPECT_EQ(back.folder, r.folder);
}

TEST(ReadingRecordLine, OlderFourFieldLinesHaveNoFolder) {
    const ReadingRecord r = ParseReadingRecord("旧书.txt,3600,2012/5/1 08:00,2012/5/2 21:30");
    EXPECT_EQ(r.name, "旧书.txt");
    EXPECT_EQ(r.total, "3600");
    EXPECT_EQ(r.lastRead, "2012/5/2 21:30");
    EXPECT_EQ(r.progress, "");
    EXPECT_EQ(r.characters, "");
    EXPECT_EQ(r.folder, "");
    EXPECT_EQ(RecordBookPath(r), "");
}

// The name is the text before the first comma, so the rest of such a name pushes every field along.
TEST(ReadingRecordLine, NameWithACommaIsReadBackShifted) {
    ReadingRecord r;
    r.name = "全集,精校.txt";
    r.total = " ";
    r.firstRead = "2024/3/3 14:05";
    r.lastRead = " ";
    r.progress = "0.00";
    r.characters = "0";
    r.folder = "C:\\books";
    const ReadingRecord back = ParseReadingRecord(FormatReadingRecord(r));
    EXPECT_EQ(back.name, "全集");
    EXPECT_EQ(back.total, "精校.txt");
    EXPECT_EQ(back.firstRead, " ");
    EXPECT_EQ(back.lastRead, "2024/3/3 14:05");
    EXPECT_EQ(back.progress, " ");
    EXPECT_EQ(back.characters, "0.00");
    EXPECT_EQ(back.folder, "0,C:\\books");
}

TEST(ReadingRecordLine, DamagedLinesGiveEmptyFieldsInsideTheLine) {
    EXPECT_EQ(ParseReadingRecord("").name, "");
    EXPECT_EQ(ParseReadingRecord("only a name").name, "only a name");
    EXPECT_EQ(ParseReadingRecord("a,1").total, "1");
    EXPECT_EQ(ParseReadingRecord("a,1,t1,t2,55.5").progress, "55.5");
    EXPECT_EQ(ParseReadingRecord("a,1,t1,t2,55.5").characters, "");
    EXPECT_EQ(ParseReadingRecord("a,1,t1,t2,55.5,9").characters, "9");
    EXPECT_EQ(ParseReadingRecord(",,,,,,").folder, "");
    std::mt19937 random(11);
    const char alphabet[] = {',', ',', ',', 'a', '1', ' ', '\xB6', '\xC1', '\\', '|'};
    for (int round = 0; round < 2000; ++round) {
        std::string line(random() % 262, ' ');
        for (char& c : line) c = alphabet[random() % sizeof alphabet];
        const ReadingRecord r = ParseReadingRecord(line);
        for (const std::string* field :
             {&r.name, &r.total, &r.firstRead, &r.lastRead, &r.progress, &r.characters, &r.folder}) {
            EXPECT_NE(line.find(*field), std::string::npos);
        }
    }
}

TEST(ReadingRecordLine, TimesAreYearMonthDayWithoutPaddingThenTwoDigitTime) {
    EXPECT_EQ(FormatRecordTime({2017, 3, 3, 9, 5, 0}), "2017/3/3 09:05");
    EXPECT_EQ(FormatRecordTime({2024, 11, 28, 0, 0, 59}), "2024/11/28 00:00");
}

TEST(ReadingRecordFolder, IsTheTextBeforeTheLastBackslashOrUpToAnArchiveBar) {
    EXPECT_EQ(RecordFolderOf("D:\\小说\\三体.txt"), "D:\\小说");
    EXPECT_EQ(RecordFolderOf("books\\三体.txt"), "books");
    EXPECT_EQ(RecordFolderOf("D:\\压缩\\全集.rar|三体.txt"), "D:\\压缩\\全集.rar|");
    EXPECT_EQ(RecordFolderOf("D:\\压缩\\全集.rar|卷一\\三体.txt"), "D:\\压缩\\全集.rar|卷一");
    EXPECT_EQ(RecordFolderOf("三体.txt"), "");
    EXPECT_EQ(RecordFolderOf(""), "");
    // The characters 0x81 0x5C and 0x81 0x7C end in a backslash and a bar byte that are neither.
    EXPECT_EQ(RecordFolderOf("D:\\\x81\x5C\\a.txt"), "D:\\\x81\x5C");
    EXPECT_EQ(RecordFolderOf("D:\\x\\\x81\x7C.txt"), "D:\\x");
}

TEST(ReadingRecordFolder, BookPathJoinsFolderAndNameOnce) {
    ReadingRecord r;
    r.name = "三体.txt";
    r.folder = "D:\\小说";
    EXPECT_EQ(RecordBookPath(r), "D:\\小说\\三体.txt");
    r.folder = "D:\\全集.rar|";
    EXPECT_EQ(RecordBookPath(r), "D:\\全集.rar|三体.txt");
    r.folder = "D:\\\x81\x7C";
    EXPECT_EQ(RecordBookPath(r), "D:\\\x81\x7C\\三体.txt");
}

TEST(RecordsDialogRows, ShowNumberNameTotalProgressTimesCharactersFolder) {
    const ReadingRecord r =
        ParseReadingRecord("三体.txt,3725,2017/3/3 09:05,2017/3/4 22:10,37.25,123456,D:\\小说");
    const RecordRow row = MakeRecordRow(7, r);
    EXPECT_EQ(row, (RecordRow{"7", "三体.txt", "1时  2分  5秒 ", "37.25", "2017/3/4 22:10", "2017/3/3 09:05",
                              "123456", "D:\\小说"}));
    // A new record's total is a single space.
    EXPECT_EQ(MakeRecordRow(1, ParseReadingRecord("a.txt, ,2024/3/3 14:05, ,0.00,0,C:"))[2],
              "0时  0分  0秒 ");
    EXPECT_EQ(FormatRecordTotal(100 * 3600 + 59 * 60 + 59), "100时 59分 59秒 ");
    EXPECT_EQ(FormatRecordTotal(-5), "0时  0分  0秒 ");
}

TEST(StoredNumbers, ReadAsAtoiWouldWithoutOverflow) {
    EXPECT_EQ(LeadingNumber(" "), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("  42abc"), 42);
    EXPECT_EQ(LeadingNumber("-17"), -17);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber("99999999999999999999999"), std::numeric_limits<long long>::max());
}

}  // namespace
}  // namespace pel

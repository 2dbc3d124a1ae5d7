// Reading-time records through the view's road of a book: the time credited at each flush, the
// progress stored, the list order and limit, damaged lists, the resume prompt, the end-of-book message
// and the records dialog, with Config.ini compared as text.
#include "state/reading_records.h"

#include <gtest/gtest.h>

#include "view_doubles.h"

namespace pel::testing {
namespace {

const char* const kBookA = "C:\\books\\三体.txt";
const char* const kBookB = "D:\\小说\\球状闪电.txt";

class ReadingRecordsTest : public ReadingWorld {
protected:
    void SetUp() override {
        ReadingWorld::SetUp();
        AddBook(kBookA, 120);  // 1,200 bytes in pages of 500
        AddBook(kBookB, 80);
    }
    std::string TimePadSection() {
        const std::string file = File();
        const std::size_t from = file.find("[TimePad]");
        if (from == std::string::npos) return "";
        const std::size_t to = file.find("\r\n[", from);
        return file.substr(from, to == std::string::npos ? std::string::npos : to + 2 - from);
    }
};

TEST_P(ReadingRecordsTest, NinetySecondsOfReadingAreAddedAtExit) {
    Open(kBookA);
    EXPECT_EQ(File(), "[TimePad]\r\nTimePadNum=1\r\n1=三体.txt, ,2024/3/3 14:05, ,0.00,0,C:\\books\r\n");
    EXPECT_EQ(records->ReadingStart(), clock.now.seconds);
    clock.Advance(90);
    ReadAtLine(5);
    Exit();
    EXPECT_EQ(
        File(),
        "[TimePad]\r\nTimePadNum=1\r\n1=三体.txt,90,2024/3/3 14:05,2024/3/3 14:06,4.17,50,C:\\books\r\n");
    EXPECT_EQ(records->ReadingStart(), 0);
    // A second exit without a running time writes nothing.
    clock.Advance(30);
    Exit();
    EXPECT_NE(File().find("1=三体.txt,90,"), std::string::npos);
}

TEST_P(ReadingRecordsTest, EachBookIsCreditedWithItsOwnTimeOnce) {
    Open(kBookA);
    clock.Advance(60);
    Open(kBookB);  // credits 60 s to the first book before its text goes
    EXPECT_EQ(config->Record(1).name, "球状闪电.txt");
    EXPECT_EQ(config->Record(2).total, "60");
    clock.Advance(30);
    Open(kBookA);
    clock.Advance(10);
    Exit();
    EXPECT_EQ(File(),
              "[TimePad]\r\nTimePadNum=2\r\n"
              "1=三体.txt,70,2024/3/3 14:05,2024/3/3 14:06,0.00,0,C:\\books\r\n"
              "2=球状闪电.txt,30,2024/3/3 14:06,2024/3/3 14:06,0.00,0,D:\\小说\r\n");
}

TEST_P(ReadingRecordsTest, EndOfBookMessageThenExitStoresTheWholeBook) {
    Open(kBookA);
    reader->ShowPage(3);
    clock.Advance(3725);
    navigator->NextPage();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text,
              "您已阅读完《三体》！\n本次阅读时间：1小时  2分  5秒 ！\n总计阅读时间：1小时  2分  5秒 ！");
    ASSERT_TRUE(navigator->EndOfBookShown());
    Exit();
    EXPECT_EQ(config->Record(1).total, "3725");
    EXPECT_EQ(config->Record(1).progress, "100.00");
    EXPECT_EQ(config->Record(1).characters, "1200");
    EXPECT_FALSE(navigator->EndOfBookShown());

    // Next time the total includes the stored time.
    Open(kBookA);
    reader->ShowPage(3);
    clock.Advance(5);
    view.messages.clear();
    navigator->NextPage();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(
        view.messages[0].text.find("本次阅读时间：0小时  0分  5秒 ！\n总计阅读时间：1小时  2分 10秒 ！"),
        std::string::npos);
}

TEST_P(ReadingRecordsTest, NoEndOfBookMessageWithoutARecord) {
    Open(kBookA);
    config->DeleteAllRecords();
    reader->ShowPage(3);
    navigator->NextPage();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(navigator->EndOfBookShown());
}

TEST_P(ReadingRecordsTest, WithNinetyNineRecordsTheOldestIsReplaced) {
    std::string file = "[TimePad]\r\nTimePadNum=99\r\n";
    for (int k = 1; k <= 99; ++k) {
        file += std::to_string(k) + "=b" + std::to_string(k) +
                ".txt,10,2020/1/1 10:00,2020/1/1 11:00,1.00,5,E:\\\r\n";
    }
    Put(file);
    Open(kBookA);
    config->LoadReadingRecords();
    EXPECT_EQ(config->TimePadNum(), 99);
    EXPECT_EQ(config->Record(1).name, "三体.txt");
    EXPECT_EQ(config->Record(2).name, "b1.txt");
    EXPECT_EQ(config->Record(99).name, "b98.txt");
    EXPECT_EQ(config->FindRecord("b99.txt"), 0);
    EXPECT_NE(File().find("TimePadNum=99\r\n1=三体.txt, ,"), std::string::npos);
}

TEST_P(ReadingRecordsTest, ReadingARecordFurtherDownMovesItToTheFront) {
    Put("[TimePad]\r\nTimePadNum=3\r\n1=x.txt,1,t,t,0.00,0,E:\r\n2=y.txt,2,t,t,0.00,0,E:\r\n"
        "3=三体.txt,100,2020/1/1 10:00,2020/1/2 10:00,50.00,600,C:\\books\r\n");
    Open(kBookA);
    EXPECT_EQ(records->RecordIndex(), 3);
    EXPECT_TRUE(records->RecordActive());
    clock.Advance(20);
    Exit();
    EXPECT_EQ(File(),
              "[TimePad]\r\nTimePadNum=3\r\n1=三体.txt,120,2020/1/1 10:00,2024/3/3 14:05,0.00,0,C:\\books\r\n"
              "2=x.txt,1,t,t,0.00,0,E:\r\n3=y.txt,2,t,t,0.00,0,E:\r\n");
}

// Two books with one file name share a record; a book found through books\ keeps that folder.
TEST_P(ReadingRecordsTest, TheFileNameIsTheKeyOfARecord) {
    AddBook("E:\\别处\\三体.txt", 10);
    Open(kBookA);
    clock.Advance(10);
    Open("E:\\别处\\三体.txt");
    clock.Advance(10);
    Exit();
    config->LoadReadingRecords();
    EXPECT_EQ(config->TimePadNum(), 1);
    EXPECT_EQ(config->Record(1).total, "20");
    EXPECT_EQ(config->Record(1).folder, "E:\\别处");

    AddBook("books\\球状闪电.txt", 10);
    files.files.erase(kBookB);
    Open(kBookB);
    EXPECT_EQ(reader->BookPath(), "books\\球状闪电.txt");
    clock.Advance(10);
    Exit();
    EXPECT_EQ(config->Record(1).folder, "books");
}

// The name before the first comma is all that is read back, so such a book never finds its record:
// every opening adds another one and no time is ever added to them.
TEST_P(ReadingRecordsTest, FileNameWithACommaIsReadBackShifted) {
    const std::string book = "C:\\books\\全集,精校.txt";
    AddBook(book, 10);
    Open(book);
    EXPECT_EQ(File(), "[TimePad]\r\nTimePadNum=1\r\n1=全集,精校.txt, ,2024/3/3 14:05, ,0.00,0,C:\\books\r\n");
    EXPECT_EQ(config->Record(1).name, "全集");
    EXPECT_EQ(config->Record(1).total, "精校.txt");
    EXPECT_EQ(config->Record(1).folder, "0,C:\\books");
    clock.Advance(40);
    Exit();
    Open(book);
    config->LoadReadingRecords();
    EXPECT_EQ(config->TimePadNum(), 2);
    EXPECT_EQ(config->Record(2).raw, "全集,精校.txt, ,2024/3/3 14:05, ,0.00,0,C:\\books");
}

TEST_P(ReadingRecordsTest, DamagedListsStayInsideTheTable) {
    std::string file = "[TimePad]\r\nTimePadNum=500\r\n1=" + std::string(300, 'x') + "\r\n";
    file += "2=三体.txt,abc,2020/1/1 10:00,t2,zz,yy\r\n3=\r\n4=,,,\r\n";
    for (int k = 5; k <= 120; ++k) file += std::to_string(k) + "=n" + std::to_string(k) + ".txt,1\r\n";
    Put(file);
    Open(kBookA);
    EXPECT_EQ(records->RecordIndex(), 2);
    long long position = -1;
    EXPECT_TRUE(records->StoredPosition(*reader, position));
    EXPECT_EQ(position, 0);  // "yy"
    clock.Advance(15);
    Exit();
    EXPECT_EQ(config->TimePadNum(), 99);
    EXPECT_EQ(config->Record(1).raw, "三体.txt,15,2020/1/1 10:00,2024/3/3 14:05,0.00,0,C:\\books");
    EXPECT_EQ(config->Record(2).raw, std::string(259, 'x'));
    EXPECT_EQ(config->Record(100).raw, "");
    const std::string after = File();
    EXPECT_NE(after.find("TimePadNum=99\r\n"), std::string::npos);
    EXPECT_NE(after.find("100=n100.txt,1\r\n"), std::string::npos);  // beyond the list, untouched

    // A new book in a list read as 99 long takes key 99.
    Open(kBookB);
    EXPECT_EQ(config->TimePadNum(), 99);
    EXPECT_EQ(config->Record(1).name, "球状闪电.txt");
    EXPECT_EQ(config->Record(2).name, "三体.txt");

    Put("[TimePad]\r\nTimePadNum=-4\r\n1=old\r\n");
    Open(kBookA);
    EXPECT_EQ(TimePadSection(),
              "[TimePad]\r\nTimePadNum=1\r\n1=三体.txt, ,2024/3/3 14:05, ,0.00,0,C:\\books\r\n");
}

// The time of a book whose record was deleted while it ran is dropped, not given to the next book.
TEST_P(ReadingRecordsTest, DeletedRecordLosesItsRunningTimeToNobody) {
    Open(kBookB);
    Open(kBookA);
    clock.Advance(50);
    ASSERT_EQ(config->Record(1).name, "三体.txt");
    ASSERT_EQ(DeleteSelectedRecord(*config, 0, view), 0);
    Open(kBookB);
    EXPECT_EQ(config->Record(1).total, "0");  // from the flush when the second book was opened
    clock.Advance(5);
    Exit();
    config->LoadReadingRecords();
    EXPECT_EQ(config->TimePadNum(), 1);
    EXPECT_EQ(config->Record(1).name, "球状闪电.txt");
    EXPECT_EQ(config->Record(1).total, "5");
}

TEST_P(ReadingRecordsTest, TimeHiddenInTheTrayIsNotCounted) {
    Open(kBookA);
    clock.Advance(20);
    Exit();  // hiding flushes as the exit does
    clock.Advance(100);
    records->OnWindowShown(*reader, *navigator);
    EXPECT_EQ(records->ReadingStart(), clock.now.seconds);
    clock.Advance(10);
    Exit();
    EXPECT_EQ(config->Record(1).total, "30");

    // Without a record nothing starts.
    config->DeleteAllRecords();
    records->Flush(*reader, *navigator);
    records->OnWindowShown(*reader, *navigator);
    EXPECT_EQ(records->ReadingStart(), 0);
}

TEST_P(ReadingRecordsTest, ResumeOffersTheStoredPosition) {
    Open(kBookA);
    reader->ShowPage(2);
    ReadAtLine(5);
    clock.Advance(60);
    Exit();
    Open(kBookA);
    ASSERT_EQ(reader->CurrentPage(), 1);
    view.messages.clear();
    reader->OfferResume();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "发现上次进度 45.83%, 是否继续阅读？");
    EXPECT_EQ(reader->CurrentPage(), 2);
    EXPECT_EQ(reader->ReadPosition(), 550);

    // Nothing is offered for a position of 0 or for a book without a record.
    Open(kBookB);
    view.messages.clear();
    reader->OfferResume();
    config->DeleteAllRecords();
    reader->OfferResume();
    EXPECT_TRUE(view.messages.empty());
}

TEST_P(ReadingRecordsTest, ConfigFileAfterASessionOfBookmarksAndRecords) {
    Open(kBookA);
    reader->ShowPage(2);
    ReadAtLine(5);
    marks->Add();
    clock.Advance(120);
    Open(kBookB);
    ReadAtLine(3);
    marks->Add();
    marks->Delete(2);
    clock.Advance(45);
    // The exit handler writes the LastReadEntry first and credits the reading time later.
    config->SaveLastReadEntry(reader->State().fileName, reader->CurrentPage(), reader->State().bookPath,
                              clock.now.local);
    Exit();
    EXPECT_EQ(File(),
              "[TimePad]\r\nTimePadNum=2\r\n"
              "1=球状闪电.txt,45,2024/3/3 14:07,2024/3/3 14:07,3.75,30,D:\\小说\r\n"
              "2=三体.txt,120,2024/3/3 14:05,2024/3/3 14:07,45.83,550,C:\\books\r\n"
              "[BookMark]\r\nMarkNum=1\r\n1=球状闪电, 3.75%, [3-03 14:07] >P1,0,p30, "
              "<D:\\小说\\球状闪电.txt\r\n2=\r\n"
              "0=球状闪电.txt,P1,14:07,03/March >D:\\小说\\球状闪电.txt\r\n");
}

class RecordsDialogTest : public ReadingRecordsTest {
protected:
    void SetUp() override {
        ReadingRecordsTest::SetUp();
        Put("[TimePad]\r\nTimePadNum=4\r\n"
            "1=三体.txt,3725,2017/3/3 09:05,2017/3/4 22:10,45.83,550,C:\\books\r\n"
            "2=旧书.txt,60,2012/5/1 08:00,2012/5/2 21:30\r\n"
            "3=球状闪电.txt,10,2020/1/1 10:00,2020/1/1 10:00,0.00,0,books\r\n"
            "4=卷一.txt,10,2020/1/1 10:00,2020/1/1 10:00,0.00,0,D:\\全集.rar|\r\n");
        config->LoadReadingRecords();
    }
};

TEST_P(RecordsDialogTest, RowsShowTheStoredFieldsInColumnOrder) {
    const std::vector<RecordRow> rows = RecordRows(*config);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (RecordRow{"1", "三体.txt", "1时  2分  5秒 ", "45.83", "2017/3/4 22:10",
                                  "2017/3/3 09:05", "550", "C:\\books"}));
    EXPECT_EQ(rows[1][0], "2");
    EXPECT_EQ(rows[1][7], "");
}

TEST_P(RecordsDialogTest, OpenNeedsASelectionAndAFolder) {
    RecordChoice choice;
    EXPECT_FALSE(ChooseRecord(*config, -1, view, choice));
    EXPECT_FALSE(ChooseRecord(*config, 1, view, choice));
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0].text, "请选择要打开的文件！");
    EXPECT_EQ(view.messages[1].text, kOldRecordMessage);
    ASSERT_TRUE(ChooseRecord(*config, 0, view, choice));
    EXPECT_EQ(choice.path, kBookA);
    EXPECT_EQ(choice.position, 550);
    EXPECT_EQ(choice.key, 1);
    ASSERT_TRUE(ChooseRecord(*config, 3, view, choice));
    EXPECT_EQ(choice.path, "D:\\全集.rar|卷一.txt");
}

TEST_P(RecordsDialogTest, ContainingFolderSelectsTheBookOrItsArchive) {
    const std::string dir = "E:\\Pel\\";
    EXPECT_EQ(ContainingFolderCommand(*config, 0, dir, view), "explorer /e,/select,C:\\books\\三体.txt");
    EXPECT_EQ(ContainingFolderCommand(*config, 2, dir, view),
              "explorer /e,/select,E:\\Pel\\books\\球状闪电.txt");
    EXPECT_EQ(ContainingFolderCommand(*config, 3, dir, view), "explorer /e,/select,D:\\全集.rar");
    EXPECT_EQ(ContainingFolderCommand(*config, 1, dir, view), "");
    EXPECT_EQ(ContainingFolderCommand(*config, -1, dir, view), "");
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0].text, kOldRecordMessage);
    EXPECT_EQ(view.messages[1].text, "请选择要打开的文件！！！");
}

TEST_P(RecordsDialogTest, DeletingMovesTheLaterRecordsUp) {
    EXPECT_EQ(DeleteSelectedRecord(*config, -1, view), -1);
    EXPECT_EQ(view.messages.back().text, "请选择要删除的记录！");
    EXPECT_EQ(DeleteSelectedRecord(*config, 1, view), 1);
    EXPECT_EQ(TimePadSection(),
              "[TimePad]\r\nTimePadNum=3\r\n"
              "1=三体.txt,3725,2017/3/3 09:05,2017/3/4 22:10,45.83,550,C:\\books\r\n"
              "2=球状闪电.txt,10,2020/1/1 10:00,2020/1/1 10:00,0.00,0,books\r\n"
              "3=卷一.txt,10,2020/1/1 10:00,2020/1/1 10:00,0.00,0,D:\\全集.rar|\r\n4=\r\n");
    Put("[TimePad]\r\nTimePadNum=1\r\n1=a.txt,1,t,t\r\n");
    EXPECT_EQ(DeleteSelectedRecord(*config, 0, view), 0);
    EXPECT_EQ(File(), "[TimePad]\r\nTimePadNum=0\r\n1=\r\n");
    view.messages.clear();
    EXPECT_EQ(DeleteSelectedRecord(*config, 0, view), -1);
    EXPECT_EQ(view.messages.back().text, "数据为空！");
}

TEST_P(RecordsDialogTest, DeletingAllAsksFirst) {
    view.answers = {kIdCancel};
    EXPECT_FALSE(DeleteAllRecords(*config, view));
    EXPECT_EQ(config->TimePadNum(), 4);
    EXPECT_EQ(view.messages.back().text, "警告！确认是否删除所有阅读时间记录？");
    EXPECT_EQ(view.messages.back().flags, kMbOkCancel | kMbIconExclamation);
    EXPECT_TRUE(DeleteAllRecords(*config, view));
    EXPECT_EQ(File(), "[TimePad]\r\nTimePadNum=\r\n1=\r\n2=\r\n3=\r\n4=\r\n");
    EXPECT_TRUE(RecordRows(*config).empty());
}

// The flush of the book open before may move records; the book chosen still becomes record 1.
TEST_P(RecordsDialogTest, OpeningAChosenRecordGoesToItsPositionAndMovesItToTheFront) {
    Open(kBookB);  // record 3
    ASSERT_EQ(records->RecordIndex(), 3);
    clock.Advance(30);
    RecordChoice choice;
    ASSERT_TRUE(ChooseRecord(*config, 0, view, choice));
    view.edited = true;
    view.answers = {kIdYes};
    ASSERT_TRUE(records->OpenChosenRecord(choice, *reader));
    EXPECT_EQ(view.messages[0].text, "是否保存当前文本？");
    EXPECT_EQ(view.saves, 1);
    EXPECT_EQ(reader->CurrentPage(), 2);
    EXPECT_EQ(reader->ReadPosition(), 550);
    EXPECT_EQ(view.library, std::vector<std::string>{kBookA});  // the line opens the chosen book
    config->LoadReadingRecords();
    EXPECT_EQ(config->Record(1).name, "三体.txt");
    EXPECT_EQ(config->Record(2).name, "球状闪电.txt");
    EXPECT_EQ(config->Record(2).total, "40");
    EXPECT_EQ(records->ReadingStart(), clock.now.seconds);

    // A save that failed keeps the edited page: nothing is opened.
    view.saveFails = true;
    view.answers = {kIdYes};
    const int shown = control.setTextCalls;
    ASSERT_TRUE(ChooseRecord(*config, 1, view, choice));
    EXPECT_FALSE(records->OpenChosenRecord(choice, *reader));
    EXPECT_EQ(view.saves, 2);
    EXPECT_EQ(control.setTextCalls, shown);
    EXPECT_EQ(reader->BookPath(), kBookA);
    view.saveFails = false;

    // A book that cannot be opened leaves the open one current, with its time running again.
    choice.path = "C:\\gone.txt";
    view.edited = false;
    EXPECT_FALSE(records->OpenChosenRecord(choice, *reader));
    EXPECT_EQ(reader->BookPath(), kBookA);
}

INSTANTIATE_TEST_SUITE_P(Store, ReadingRecordsTest, ::testing::ValuesIn(ProfileImplementations()), StoreName);
INSTANTIATE_TEST_SUITE_P(Store, RecordsDialogTest, ::testing::ValuesIn(ProfileImplementations()), StoreName);

}  // namespace
}  // namespace pel::testing

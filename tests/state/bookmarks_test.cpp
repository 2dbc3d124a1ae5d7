// Bookmarks: the line, the list in section BookMark as the file shows it after each change, and the
// commands of the bookmark menu driving the reader.
#include "state/bookmarks.h"

#include <gtest/gtest.h>

#include "view_doubles.h"

namespace pel::testing {
namespace {

const char* const kBook = "C:\\books\\三体.txt";

TEST(BookmarkLine, DateFieldIsTheMonthThenTwoDigitDayAndTime) {
    EXPECT_EQ(FormatBookmarkTime({2024, 1, 5, 9, 7, 30}), "1-05 09:07");
    EXPECT_EQ(FormatBookmarkTime({2024, 3, 3, 14, 5, 0}), "3-03 14:05");
    EXPECT_EQ(FormatBookmarkTime({2024, 12, 31, 23, 59, 59}), "12-31 23:59");
}

TEST(BookmarkLine, FormatsEveryFieldAndParsesBackInTheBookmarkLayout) {
    const std::string line = FormatBookmarkLine("三体", 45.8333, {2024, 1, 5, 9, 7, 0}, 2, 1, 550, kBook);
    EXPECT_EQ(line, "三体, 45.83%, [1-05 09:07] >P2,1,p550, <C:\\books\\三体.txt");
    const BookmarkLine parsed = ParseBookmarkLine(4, line);
    EXPECT_EQ(parsed.label, "三体, 45.83%, [1-05 09:07] >");
    EXPECT_EQ(parsed.page, "2");
    EXPECT_EQ(parsed.modeOrTime, "1");
    EXPECT_EQ(parsed.charPos, "550");
    EXPECT_EQ(parsed.path, kBook);
}

class BookmarkList : public ::testing::TestWithParam<ProfileImplementation> {
protected:
    void SetUp() override {
        profile = GetParam().make();
        path = FreshPath("marks");
        config = std::make_unique<CConfigFile>(*profile, path);
    }
    void Put(const std::string& text) {
        PutFile(path, text);
        config->LoadBookmarks();
    }
    std::unique_ptr<IProfile> profile;
    std::string path;
    std::unique_ptr<CConfigFile> config;
};

TEST_P(BookmarkList, NewBookmarkTakesKeyOneAndShiftsTheOthersDown) {
    config->LoadBookmarks();
    EXPECT_TRUE(config->AppendBookmark("A >P1,0,p0, <a"));
    EXPECT_EQ(GetFile(path), "[BookMark]\r\nMarkNum=1\r\n1=A >P1,0,p0, <a\r\n");
    config->AppendBookmark("B >P1,0,p0, <b");
    config->AppendBookmark("C >P1,0,p0, <c");
    EXPECT_EQ(GetFile(path),
              "[BookMark]\r\nMarkNum=3\r\n1=C >P1,0,p0, <c\r\n2=B >P1,0,p0, <b\r\n3=A >P1,0,p0, <a\r\n");
    config->AppendBookmark("D >P1,0,p0, <d");
    EXPECT_EQ(config->MarkNum(), 4);
    const char* const order[] = {"d", "c", "b", "a"};
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(config->BookmarkEntry(k).path, order[k - 1]);
}

TEST_P(BookmarkList, NinthIsTheLastThatFits) {
    config->LoadBookmarks();
    for (int i = 1; i <= 9; ++i) {
        std::string line = "m";  // appended: GCC 12 warns wrongly about "m" + std::string
        line += std::to_string(i) + " >P1,0,p0, <x";
        EXPECT_TRUE(config->AppendBookmark(line));
    }
    const std::string full = GetFile(path);
    EXPECT_FALSE(config->AppendBookmark("tenth >P1,0,p0, <x"));
    EXPECT_EQ(GetFile(path), full);
    EXPECT_EQ(config->MarkNum(), 9);
    EXPECT_EQ(config->BookmarkEntry(1).label, "m9 >");
    EXPECT_EQ(config->BookmarkEntry(9).label, "m1 >");
}

TEST_P(BookmarkList, MovingToTheFrontRewritesKeysUpToTheEntryOnly) {
    Put("[BookMark]\r\nMarkNum=4\r\n0=last\r\n1=A\r\n2=B\r\n3=C\r\n4=D\r\n");
    config->MoveBookmarkToFront(3);
    EXPECT_EQ(GetFile(path), "[BookMark]\r\nMarkNum=4\r\n0=last\r\n1=C\r\n2=A\r\n3=B\r\n4=D\r\n");
    EXPECT_EQ(config->BookmarkEntry(1).raw, "C");
    config->MoveBookmarkToFront(5);  // no such entry
    config->MoveBookmarkToFront(0);
    EXPECT_EQ(GetFile(path), "[BookMark]\r\nMarkNum=4\r\n0=last\r\n1=C\r\n2=A\r\n3=B\r\n4=D\r\n");
}

TEST_P(BookmarkList, DeletingEntryTwoOfThreeEmptiesKeyThree) {
    Put("[BookMark]\r\nMarkNum=3\r\n0=last\r\n1=A\r\n2=B\r\n3=C\r\n");
    config->DeleteBookmark(2);
    EXPECT_EQ(GetFile(path), "[BookMark]\r\nMarkNum=2\r\n0=last\r\n1=A\r\n2=C\r\n3=\r\n");
    EXPECT_EQ(config->MarkNum(), 2);
    config->DeleteBookmark(3);  // beyond the list
    config->DeleteBookmark(1);
    config->DeleteBookmark(1);
    EXPECT_EQ(GetFile(path), "[BookMark]\r\nMarkNum=0\r\n0=last\r\n1=\r\n2=\r\n3=\r\n");
}

TEST_P(BookmarkList, DeletingAllLeavesTheLastReadEntry) {
    Put("[BookMark]\r\nMarkNum=2\r\n0=三体.txt,P3,14:05,03/March >C:\\books\\三体.txt\r\n1=A\r\n2=B\r\n");
    config->DeleteAllBookmarks();
    EXPECT_EQ(GetFile(path),
              "[BookMark]\r\nMarkNum=\r\n0=三体.txt,P3,14:05,03/March >C:\\books\\三体.txt\r\n1=\r\n2=\r\n");
    EXPECT_EQ(config->MarkNum(), 0);
    EXPECT_EQ(config->LastReadEntry().path, kBook);
    EXPECT_EQ(config->LastReadEntry().page, "3");
}

TEST_P(BookmarkList, MenusNumberTheLabelsWithTheirCommandIds) {
    Put("[BookMark]\r\nMarkNum=2\r\n1=三体, 4.17%, [3-03 14:05] >P1,0,p50, <C:\\a.txt\r\n2=old,P7,10:00,L3 "
        ">C:\\b.txt\r\n");
    EXPECT_EQ(
        config->BookmarkMenu(kOpenBookmarkIdBase),
        (std::vector<MenuEntry>{{32781, "1. 三体, 4.17%, [3-03 14:05] >"}, {32782, "2. old,P7,10:00,L3 >"}}));
    EXPECT_EQ(config->BookmarkMenu(kDeleteBookmarkIdBase)[1].id, 61205);
    config->DeleteAllBookmarks();
    EXPECT_TRUE(config->BookmarkMenu(kOpenBookmarkIdBase).empty());
}

// A hand-edited MarkNum reaches at most key 9 of the ten slots.
TEST_P(BookmarkList, DamagedCountNeverReachesPastKeyNine) {
    std::string file = "[BookMark]\r\nMarkNum=50\r\n";
    for (int k = 1; k <= 12; ++k) file += std::to_string(k) + "=m" + std::to_string(k) + "\r\n";
    Put(file);
    EXPECT_EQ(config->MarkNum(), 9);
    EXPECT_FALSE(config->AppendBookmark("x"));
    config->DeleteBookmark(9);
    EXPECT_EQ(config->MarkNum(), 8);
    const std::string after = GetFile(path);
    EXPECT_NE(after.find("MarkNum=8\r\n1=m1\r\n"), std::string::npos);
    EXPECT_NE(after.find("9=\r\n10=m10\r\n11=m11\r\n12=m12\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Store, BookmarkList, ::testing::ValuesIn(ProfileImplementations()), StoreName);

class BookmarkCommandsTest : public ReadingWorld {
protected:
    void SetUp() override {
        ReadingWorld::SetUp();
        AddBook(kBook, 120);  // pages of 500 bytes: 0, 500, 1000
        config->LoadBookmarks();
    }
    void OpenAt(int page, int line) {
        Open(kBook);
        reader->ShowPage(page);
        ReadAtLine(line);
    }
    std::string BookMarkSection() {
        const std::string file = File();
        const std::size_t from = file.find("[BookMark]");
        if (from == std::string::npos) return "";
        const std::size_t to = file.find("\r\n[", from);
        return file.substr(from, to == std::string::npos ? std::string::npos : to + 2 - from);
    }
};

TEST_P(BookmarkCommandsTest, AddStoresThePlaceShownAtKeyOneAndConfirms) {
    OpenAt(2, 5);
    control.ScrollLines(1);  // not yet seen by timer 150
    ASSERT_TRUE(marks->OnCommand(kCmdAddBookmark));
    EXPECT_EQ(BookMarkSection(),
              "[BookMark]\r\nMarkNum=1\r\n1=三体, 46.67%, [3-03 14:05] >P2,0,p560, <C:\\books\\三体.txt\r\n");
    EXPECT_EQ(view.tips, std::vector<std::string>{"已添加书签！"});
    EXPECT_EQ(view.tipFlags, std::vector<unsigned>{kMbIconExclamation});
    EXPECT_EQ(reader->LineMarker(), 6);
    EXPECT_EQ(view.openMenu, (std::vector<MenuEntry>{{32781, "1. 三体, 46.67%, [3-03 14:05] >"}}));
    EXPECT_EQ(view.deleteMenu, (std::vector<MenuEntry>{{61204, "1. 三体, 46.67%, [3-03 14:05] >"}}));
}

TEST_P(BookmarkCommandsTest, AddIsRefusedWithoutABookAndWhenNineAreStored) {
    marks->Add();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "未打开小说！");
    EXPECT_EQ(view.messages[0].caption, kAppCaption);
    EXPECT_EQ(view.messages[0].flags, kMbOk);
    EXPECT_FALSE(FileExists(iniPath));

    OpenAt(1, 0);
    for (int i = 0; i < 9; ++i) marks->Add();
    ASSERT_EQ(config->MarkNum(), 9);
    const std::string full = File();
    view.messages.clear();
    marks->Add();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "书签已满！请删除不用的书签后再添加！");
    EXPECT_EQ(view.messages[0].caption, "提示");
    EXPECT_EQ(view.messages[0].flags, kMbIconExclamation);
    EXPECT_EQ(view.tips.size(), 9u);
    EXPECT_EQ(File(), full);
}

TEST_P(BookmarkCommandsTest, OpeningGoesToTheStoredPlaceAndMovesTheLineUnchangedToTheFront) {
    OpenAt(1, 3);
    marks->Add();  // becomes entry 3
    OpenAt(2, 5);
    marks->Add();
    OpenAt(3, 8);
    marks->Add();
    const std::string third = config->BookmarkEntry(3).raw;
    ASSERT_NE(third.find(">P1,0,p30, <"), std::string::npos);

    reader->ShowPage(3);
    clock.Advance(3600);
    marks->OnCommand(kOpenBookmarkIdBase + 3);
    EXPECT_EQ(reader->CurrentPage(), 1);
    EXPECT_EQ(control.FirstVisibleLine(), 3);
    EXPECT_EQ(reader->ReadPosition(), 30);
    EXPECT_EQ(reader->LineMarker(), 3);
    EXPECT_EQ(view.library, std::vector<std::string>{kBook});  // the line opens the bookmark's book
    EXPECT_EQ(config->BookmarkEntry(1).raw, third);
    EXPECT_NE(BookMarkSection().find("MarkNum=3\r\n1=" + third + "\r\n2=三体, 90.00%"), std::string::npos);
    EXPECT_EQ(view.openMenu.front().text, "1. 三体, 2.50%, [3-03 14:05] >");
}

TEST_P(BookmarkCommandsTest, OpeningTakesThePagingModeOfTheBookmark) {
    reader->pagingMode = kPagingWhole;
    OpenAt(1, 0);
    ReadAtLine(70);
    marks->Add();
    EXPECT_NE(config->BookmarkEntry(1).raw.find(">P1,2,p700, <"), std::string::npos);

    reader->SwitchPagingMode(kPagingLines);
    view.killedTimers.clear();
    marks->Open(1);
    EXPECT_TRUE(view.killedTimers.empty());
    EXPECT_EQ(reader->pagingMode, kPagingWhole);
    EXPECT_EQ(reader->ReadPosition(), 700);

    marks->Open(1);  // now in whole-book mode: its line timer stops first
    EXPECT_EQ(view.killedTimers.front(), kTimerWholeBookLines);
}

TEST_P(BookmarkCommandsTest, StaleBookmarkKeepsTheOpenBookAndIsDeletedOnlyOnOk) {
    Put("[BookMark]\r\nMarkNum=2\r\n1=gone, 1.00%, [3-03 14:05] >P1,0,p9, <C:\\missing.txt\r\n2=B\r\n");
    config->LoadBookmarks();
    OpenAt(2, 4);
    view.answers = {kIdOk, kIdCancel};  // "文件已删除！", then the question
    marks->Open(1);
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0].text, "文件已删除！");
    EXPECT_EQ(view.messages[1].text, "书签已失效，是否删除？");
    EXPECT_EQ(view.messages[1].flags, kMbOkCancel | kMbIconExclamation);
    EXPECT_EQ(reader->BookPath(), kBook);
    EXPECT_EQ(reader->CurrentPage(), 2);
    EXPECT_EQ(config->MarkNum(), 2);

    view.answers = {kIdOk, kIdOk};
    marks->Open(1);
    EXPECT_EQ(config->MarkNum(), 1);
    EXPECT_EQ(config->BookmarkEntry(1).raw, "B");
    EXPECT_EQ(view.openMenu.size(), 1u);
}

TEST_P(BookmarkCommandsTest, OlderBookmarksOpenAtTheirPageAndSavedLine) {
    Put("[BookMark]\r\nMarkNum=1\r\n1=三体,P2,10:00,L7,x >C:\\books\\三体.txt\r\n");
    config->LoadBookmarks();
    reader->pagingMode = kPagingWhole;
    marks->Open(1);
    EXPECT_EQ(reader->pagingMode, kPagingLines);  // the time text is no paging mode
    EXPECT_EQ(reader->CurrentPage(), 2);
    EXPECT_EQ(control.FirstVisibleLine(), 7);
    EXPECT_EQ(reader->ReadPosition(), 570);
}

TEST_P(BookmarkCommandsTest, EditedPageIsOfferedForSavingBeforeOpening) {
    OpenAt(1, 2);
    marks->Add();
    view.edited = true;
    view.messages.clear();
    view.answers = {kIdYes};
    marks->Open(1);
    ASSERT_FALSE(view.messages.empty());
    EXPECT_EQ(view.messages[0].text, "是否保存文本？");
    EXPECT_EQ(view.messages[0].flags, kMbYesNo | kMbIconExclamation);
    EXPECT_EQ(view.saves, 1);
}

TEST_P(BookmarkCommandsTest, AFailedSaveKeepsTheEditedPageOpen) {
    OpenAt(1, 2);
    marks->Add();
    OpenAt(1, 1);
    view.edited = true;
    view.saveFails = true;
    view.answers = {kIdYes};
    const int shown = control.setTextCalls;
    marks->Open(1);
    EXPECT_EQ(view.saves, 1);
    EXPECT_EQ(reader->CurrentPage(), 1);
    EXPECT_EQ(control.setTextCalls, shown);
}

TEST_P(BookmarkCommandsTest, MenuCommandsReachTheirEntries) {
    OpenAt(1, 1);
    marks->Add();
    OpenAt(1, 2);
    marks->Add();
    EXPECT_TRUE(marks->OnCommand(kDeleteBookmarkIdBase + 2));
    EXPECT_EQ(config->MarkNum(), 1);
    EXPECT_FALSE(marks->OnCommand(kOpenBookmarkIdBase + 10));
    EXPECT_FALSE(marks->OnCommand(kDeleteBookmarkIdBase + 10));
    EXPECT_FALSE(marks->OnCommand(kDeleteBookmarkIdBase));
    EXPECT_TRUE(marks->OnCommand(kOpenBookmarkIdBase + 5));  // an empty entry does nothing
    EXPECT_EQ(config->MarkNum(), 1);
    config->SaveLastReadEntry("三体.txt", 1, kBook, clock.now.local);
    EXPECT_TRUE(marks->OnCommand(kCmdClearBookmarks));
    EXPECT_EQ(BookMarkSection(),
              "[BookMark]\r\nMarkNum=\r\n1=\r\n2=\r\n0=三体.txt,P1,14:05,03/March >C:\\books\\三体.txt\r\n");
    EXPECT_TRUE(view.openMenu.empty());
    EXPECT_TRUE(view.deleteMenu.empty());
}

INSTANTIATE_TEST_SUITE_P(Store, BookmarkCommandsTest, ::testing::ValuesIn(ProfileImplementations()),
                         StoreName);

}  // namespace
}  // namespace pel::testing

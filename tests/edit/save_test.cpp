// Saving the edited page into the book file: the bytes written, the encodings, line ends, the page table
// afterwards, failures, the questions before leaving a page, and save-as.
#include <gtest/gtest.h>

#include "book/decode.h"
#include "edit/edit_fixture.h"
#include "edit/saved_page.h"
#include "support/bytes.h"
#include "support/reader_fixture.h"

namespace pel {
namespace {

using testing::Bytes;
using testing::ChineseLines;
using testing::Utf16File;
using testing::Utf8;
using SaveTest = testing::EditTest;

TEST_F(SaveTest, SavingAMiddlePageKeepsEveryOtherByteOfTheBook) {
    const std::string book = ChineseLines(160);
    Open("D:\\书\\长篇.txt", book);
    reader.ShowPage(2);
    StartEditing();
    const std::size_t start = static_cast<std::size_t>(reader.PageStart(2));
    const std::size_t end = static_cast<std::size_t>(reader.PageStart(3));
    // Line 60 loses "宇宙" and gains a longer text.
    const std::size_t at = control.text().find("第60行：天地玄黄") + 16;
    control.SelectBytes(at, at + 4);
    control.Type("【改过的字】");
    ASSERT_EQ(session.SavePageAndReload(), SaveOutcome::kSaved);

    const std::string& file = File("D:\\书\\长篇.txt");
    ASSERT_EQ(file.size(), book.size() + 8);
    EXPECT_EQ(file.substr(0, start), book.substr(0, start));
    EXPECT_EQ(file.substr(end + 8), book.substr(end));
    std::string expectedPage = book.substr(start, end - start);
    expectedPage.replace(at, 4, "【改过的字】");
    EXPECT_EQ(file.substr(start, end - start + 8), expectedPage);

    // Reloaded: the same page, in edit mode, the mark clear, nothing asked.
    EXPECT_EQ(reader.Text(), file);
    EXPECT_EQ(reader.CurrentPage(), 2);
    EXPECT_EQ(control.text(), expectedPage);
    EXPECT_TRUE(session.Editing());
    EXPECT_FALSE(control.readOnly);
    EXPECT_FALSE(control.modified);
    EXPECT_TRUE(editHost.messages.empty());
}

TEST_F(SaveTest, TheReloadReturnsToTheScrolledLine) {
    Open("a.txt", ChineseLines(120));
    reader.ShowPage(2);
    StartEditing();
    control.ScrollLines(7);
    TypeAt(0, "改");
    ASSERT_EQ(session.SavePageAndReload(), SaveOutcome::kSaved);
    EXPECT_EQ(control.FirstVisibleLine(), 7);
}

TEST_F(SaveTest, SavingTheFirstAndTheLastPage) {
    const std::string book = ChineseLines(120);
    Open("a.txt", book);
    StartEditing();
    TypeAt(0, "序");
    ASSERT_EQ(session.SavePageAndReload(), SaveOutcome::kSaved);
    EXPECT_EQ(File("a.txt"), "序" + book);

    // The last page made shorter: the file ends right after it.
    reader.ShowPage(3);
    control.SelectBytes(0, control.text().size());
    control.Type("完");
    ASSERT_EQ(session.SavePageAndReload(), SaveOutcome::kSaved);
    EXPECT_EQ(File("a.txt"), "序" + ChineseLines(100) + "完");
    EXPECT_EQ(reader.PageCount(), 3);
}

TEST_F(SaveTest, BlankLinesDeletedOnLoadStayInTheFileEverywhere) {
    // Blank lines deleted on load are blanked in the working text only: the file keeps them before, in
    // and after the page, and the next save of another page keeps the first edit.
    std::string book;
    for (int i = 1; i <= 120; ++i) book += "第" + std::to_string(i) + "行\r\n\r\n";
    book += "结尾的文字用来凑够二十个字节以上";
    reader.deleteBlankLines = 1;
    Open("a.txt", book);
    ASSERT_NE(reader.Text(), book);
    ASSERT_EQ(reader.TextLength(), static_cast<long long>(book.size()));
    reader.ShowPage(2);
    const std::size_t start = static_cast<std::size_t>(reader.PageStart(2));
    StartEditing();
    TypeAt(0, "改");
    ASSERT_EQ(session.SavePage(), SaveOutcome::kSaved);
    std::string expected = book;
    expected.insert(start, "改");
    EXPECT_EQ(File("a.txt"), expected);

    reader.ShowPage(1);
    TypeAt(0, "序");
    ASSERT_EQ(session.SavePage(), SaveOutcome::kSaved);
    EXPECT_EQ(File("a.txt"), "序" + expected);
}

TEST_F(SaveTest, AnAnsiBookKeepsEverythingAfterANulByte) {
    // The working text ends at the NUL; the bytes from the NUL on are the file's and stay.
    std::string book = ChineseLines(10) + Bytes({0}) + "尾部\r\n" + Bytes({0, 0xFF, 0x81});
    Open("nul.txt", book);
    ASSERT_EQ(reader.TextLength(), static_cast<long long>(ChineseLines(10).size()));
    StartEditing();
    TypeAt(0, "改");
    ASSERT_EQ(session.SavePageAndReload(), SaveOutcome::kSaved);
    EXPECT_EQ(File("nul.txt"), "改" + book);

    // Save-as over the book itself follows the same rule.
    TypeAt(0, "再");
    editHost.saveAsPath = "nul";
    session.SaveAs();
    EXPECT_EQ(File("nul.txt"), "再改" + book);
    EXPECT_EQ(editHost.Texts().front(), "nul.txt 已存在。\n要替换它吗？");
}

TEST_F(SaveTest, AFileThatNoLongerHoldsTheTextIsRefused) {
    const std::string book = ChineseLines(120);
    Open("a.txt", book);
    reader.ShowPage(2);
    StartEditing();
    TypeAt(0, "改");
    const std::string changed = "另一个程序写的" + book;
    files.Add("a.txt", changed);
    EXPECT_EQ(session.SavePageAndReload(), SaveOutcome::kFailed);
    EXPECT_EQ(File("a.txt"), changed);
    EXPECT_EQ(editHost.Texts().back(), "文件在打开后已被改动，保存会覆盖这些改动。未保存，文件未改动。");
    EXPECT_EQ(control.text().substr(0, 2), "改");
    EXPECT_TRUE(session.Editing());

    // A book deleted since it was opened is written anew from the working text.
    files.files.erase("a.txt");
    ASSERT_EQ(session.SavePage(), SaveOutcome::kSaved);
    EXPECT_EQ(File("a.txt"), ChineseLines(50) + "改" + ChineseLines(70, 51));
}

TEST_F(SaveTest, ATextNotFullyDecodedNeverReplacesTheBook) {
    const std::string gbk = ChineseLines(60);
    const std::string cases[] = {
        gbk,                                                          // GBK read as UTF-8: empty text
        Utf8(u8"第一行\r\n") + Bytes({0xFF}) + Utf8(u8"第二行\r\n"),  // an invalid sequence after the test
        Utf16File(u"第一行\r\n", false) + std::string(2, '\0') + Utf16File(u"藏起来的", false, false),
        Utf8(u8"第一行\r\n") + Bytes({0}) + Utf8(u8"藏起来的\r\n"),
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.size());
        reader.forceUtf8 = &bytes == &cases[0] ? 1 : 0;
        Open("f.txt", bytes);
        reader.forceUtf8 = 0;
        ASSERT_NE(reader.TextEncoding(), kEncodingAnsi);
        StartEditing();
        editHost.messages.clear();
        TypeAt(0, "改");
        EXPECT_EQ(session.SavePageAndReload(), SaveOutcome::kFailed);
        EXPECT_EQ(File("f.txt"), bytes);
        EXPECT_EQ(editHost.Texts().back(),
                  "此文本未能完整读出（编码不符或含有无法识别的内容），保存会毁掉文件中未读出的部分。未保存，"
                  "文件未改动。");
        EXPECT_EQ(control.text().substr(0, 2), "改");
        EXPECT_FALSE(session.OfferToSave(SavePlace::kBookmark));
        EXPECT_EQ(File("f.txt"), bytes);
        editHost.answers = {kIdNo};
        session.ToggleEditMode();
    }
}

TEST_F(SaveTest, CharactersGbkCannotHoldAreCountedAndAskedAbout) {
    // å, ö and a character beyond the basic plane have no GBK form; the other characters do.
    const std::u16string wide = u"第一行：\u00E5ngstr\u00F6m \U00020BB7\u00E5\r\n第二行\r\n";
    for (const std::string& bytes : {Utf16File(wide, false), Utf16File(wide, true)}) {
        Open("w.txt", bytes);
        ASSERT_EQ(reader.Text().substr(0, 8), "第一行：");
        StartEditing();
        editHost.messages.clear();
        TypeAt(0, "改");
        editHost.answers = {kIdNo};
        EXPECT_EQ(session.SavePageAndReload(), SaveOutcome::kDeclined);
        ASSERT_EQ(editHost.messages.size(), 1u);
        EXPECT_EQ(editHost.messages[0].text,
                  "此文本有 4 个字符无法以ANSI编码保存，保存后将变成\"?\"，原字符无法恢复。是否仍然保存？");
        EXPECT_EQ(editHost.messages[0].flags, kMbYesNo | kMbIconExclamation | kMbDefButton2);
        EXPECT_EQ(File("w.txt"), bytes);
        EXPECT_TRUE(control.modified);
        // No stops the page turn that asked for the save.
        editHost.answers = {kIdYes, kIdNo};
        EXPECT_FALSE(session.OfferToSave(SavePlace::kPageTurn));
        EXPECT_EQ(File("w.txt"), bytes);

        editHost.answers = {kIdYes};
        ASSERT_EQ(session.SavePageAndReload(), SaveOutcome::kSaved);
        EXPECT_EQ(File("w.txt"), "改" + reader.Text().substr(2));
        EXPECT_EQ(reader.TextEncoding(), kEncodingAnsi);
        // From now on the file is ANSI: further saves ask nothing.
        editHost.messages.clear();
        TypeAt(0, "又");
        ASSERT_EQ(session.SavePage(), SaveOutcome::kSaved);
        EXPECT_TRUE(editHost.messages.empty());
        session.ToggleEditMode();
    }
}

TEST_F(SaveTest, RunningOutOfMemoryKeepsTheFileAndTheEdits) {
    const std::string book = ChineseLines(120);
    Open("a.txt", book);
    StartEditing();
    TypeAt(0, "改");
    files.failAllocation = true;
    EXPECT_EQ(session.SavePageAndReload(), SaveOutcome::kFailed);
    EXPECT_FALSE(session.OfferToSave(SavePlace::kExit));
    editHost.saveAsPath = "b.txt";
    session.SaveAs();
    EXPECT_EQ(
        editHost.Texts(),
        (std::vector<std::string>{"内存不足，无法保存！文件未改动，编辑的文本仍在页面上。", "是否保存文本？",
                                  "内存不足，无法保存！文件未改动，编辑的文本仍在页面上。",
                                  "内存不足，无法保存！文件未改动，编辑的文本仍在页面上。"}));
    EXPECT_EQ(File("a.txt"), book);
    EXPECT_EQ(files.files.count("b.txt"), 0u);
    EXPECT_EQ(reader.BookPath(), "a.txt");
    EXPECT_TRUE(control.modified);
    EXPECT_TRUE(session.Editing());

    // The page read out of the control is the first allocation that can fail on a huge book.
    files.failAllocation = false;
    control.textTooLarge = true;
    editHost.messages.clear();
    EXPECT_EQ(session.SavePageAndReload(), SaveOutcome::kFailed);
    editHost.answers = {kIdYes};
    EXPECT_FALSE(session.OfferToSave(SavePlace::kPageTurn));
    session.SaveAs();
    EXPECT_EQ(editHost.Texts().size(), 4u);
    EXPECT_EQ(editHost.Texts().back(), "内存不足，无法保存！文件未改动，编辑的文本仍在页面上。");
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(File("a.txt"), book);
    EXPECT_TRUE(session.Editing());
    control.textTooLarge = false;
    EXPECT_EQ(control.text(), "改" + ChineseLines(50));
}

TEST_F(SaveTest, WideAndUtf8BooksAreWrittenWholeInCp936) {
    const std::u16string wide = u"第一行：天地玄黄\r\n第二行：宇宙洪荒\r\n";
    const std::string cp936 = "第一行：天地玄黄\r\n第二行：宇宙洪荒\r\n";
    const std::string files8[] = {Utf16File(wide, false), Utf16File(wide, true),
                                  Utf8(u8"\uFEFF第一行：天地玄黄\r\n第二行：宇宙洪荒\r\n"),
                                  Utf8(u8"第一行：天地玄黄\r\n第二行：宇宙洪荒\r\n")};
    for (const std::string& bytes : files8) {
        Open("w.txt", bytes);
        ASSERT_NE(reader.TextEncoding(), kEncodingAnsi);
        StartEditing();
        TypeAt(cp936.size() - 2, "。");
        ASSERT_EQ(session.SavePageAndReload(), SaveOutcome::kSaved);
        EXPECT_EQ(File("w.txt"), "第一行：天地玄黄\r\n第二行：宇宙洪荒。\r\n");
        EXPECT_EQ(reader.TextEncoding(), kEncodingAnsi);  // detected as such on the reload
        session.ToggleEditMode();
    }
}

TEST_F(SaveTest, AnLfOnlyBookKeepsItsLineEndsWhereItWasNotEdited) {
    // The page control shows LF LF as CR LF; the file keeps LF LF except in the lines the reader changed.
    std::string book;
    for (int i = 1; i <= 30; ++i) book += "第" + std::to_string(i) + "段\n\n";
    Open("lf.txt", book);
    ASSERT_NE(control.text(), book);
    StartEditing();
    const std::size_t line5 = control.text().find("第5段");
    control.SelectBytes(line5, line5 + 5);
    control.Type("第五段");
    const std::size_t line20 = control.text().find("第20段");
    control.SelectBytes(line20, line20 + 6);
    control.Type("第二十段");
    ASSERT_EQ(session.SavePage(), SaveOutcome::kSaved);
    std::string expected = book;
    expected.replace(expected.find("第20段"), 6, "第二十段");
    expected.replace(expected.find("第5段"), 5, "第五段");
    EXPECT_EQ(File("lf.txt"), expected);
}

TEST_F(SaveTest, APageSavedWithoutReloadMovesTheLaterPageStarts) {
    Open("a.txt", ChineseLines(200));
    const long long page3 = reader.PageStart(3), page4 = reader.PageStart(4);
    reader.ShowPage(2);
    StartEditing();
    TypeAt(0, "加长的一段");
    ASSERT_EQ(session.SavePage(), SaveOutcome::kSaved);
    EXPECT_EQ(reader.PageStart(3), page3 + 10);
    EXPECT_EQ(reader.PageStart(4), page4 + 10);
    EXPECT_EQ(reader.Text(), File("a.txt"));
    EXPECT_EQ(host.published.pageStarts[2], page3 + 10);
    EXPECT_EQ(host.published.text->size(), File("a.txt").size());

    // Shorter: the first line of the page is gone.
    reader.ShowPage(2);
    control.SelectBytes(0, control.text().find('\n') + 1);
    control.Type("");
    ASSERT_EQ(session.SavePage(), SaveOutcome::kSaved);
    const long long removed = static_cast<long long>(std::string("第51行：天地玄黄宇宙洪荒abc\r\n").size());
    EXPECT_EQ(reader.PageStart(3), page3 - removed);
    // Turning to page 3 shows the book's own line 101, and saving it keeps both edits before it.
    reader.ShowPage(3);
    EXPECT_EQ(control.text().substr(0, 7), "第101行");
    TypeAt(0, "三");
    ASSERT_EQ(session.SavePage(), SaveOutcome::kSaved);
    EXPECT_EQ(File("a.txt"), ChineseLines(50) + ChineseLines(49, 52) + "三" + ChineseLines(100, 101));
}

TEST_F(SaveTest, AFailedWriteLeavesTheBookAsItWasAndSaysWhy) {
    const std::string book = ChineseLines(120);
    Open("C:\\书\\a.txt", book);
    reader.ShowPage(2);
    StartEditing();
    TypeAt(0, "改");
    const std::string text = reader.Text();
    files.failWrite = FileError::kDiskFull;
    EXPECT_EQ(session.SavePageAndReload(), SaveOutcome::kFailed);
    EXPECT_EQ(File("C:\\书\\a.txt"), book);
    EXPECT_EQ(reader.Text(), text);
    EXPECT_EQ(control.text(), "改" + ChineseLines(50, 51));  // the edits stay on the page
    EXPECT_TRUE(control.modified);
    ASSERT_EQ(editHost.messages.size(), 1u);
    EXPECT_EQ(editHost.messages[0].text, "在存取 C:\\书\\a.txt 时磁盘已满。");
    EXPECT_EQ(editHost.messages[0].flags, kMbOk | kMbIconStop);

    // A read-only book is refused as such.
    files.failWrite = FileError::kNone;
    files.files["C:\\书\\a.txt"].readOnly = true;
    EXPECT_EQ(session.SavePage(), SaveOutcome::kFailed);
    EXPECT_EQ(editHost.messages.back().text, "对 C:\\书\\a.txt 的存取被拒绝。");
    EXPECT_EQ(File("C:\\书\\a.txt"), book);
}

TEST_F(SaveTest, AFailedSaveStopsThePlaceThatAskedForIt) {
    Open("a.txt", ChineseLines(120));
    StartEditing();
    TypeAt(0, "改");
    files.failWrite = FileError::kSharingViolation;
    for (SavePlace place :
         {SavePlace::kPageTurn, SavePlace::kLibraryBook, SavePlace::kBookmark, SavePlace::kReadingRecord,
          SavePlace::kJumpToPercent, SavePlace::kExit, SavePlace::kOpenBook, SavePlace::kReload}) {
        editHost.messages.clear();
        EXPECT_FALSE(session.OfferToSave(place));
        EXPECT_EQ(editHost.Texts(),
                  (std::vector<std::string>{SaveQuestion(place), "在存取 a.txt 时发生共享违例。"}));
        // The edits stay on the page, in edit mode, and the file is as it was.
        EXPECT_EQ(control.text(), "改" + ChineseLines(50));
        EXPECT_TRUE(control.modified);
        EXPECT_TRUE(session.Editing());
        EXPECT_EQ(File("a.txt"), ChineseLines(120));
    }
    editHost.answers = {kIdNo};
    EXPECT_TRUE(session.OfferToSave(SavePlace::kPageTurn));  // No goes on without saving
}

TEST_F(SaveTest, EachPlaceAsksItsOwnQuestion) {
    Open("a.txt", ChineseLines(120));
    for (SavePlace place : {SavePlace::kPageTurn, SavePlace::kLibraryBook, SavePlace::kBookmark,
                            SavePlace::kReadingRecord, SavePlace::kJumpToPercent, SavePlace::kExit}) {
        EXPECT_TRUE(session.OfferToSave(place));
    }
    EXPECT_TRUE(editHost.messages.empty());  // reading: nothing to ask

    StartEditing();
    for (SavePlace place : {SavePlace::kPageTurn, SavePlace::kLibraryBook, SavePlace::kBookmark,
                            SavePlace::kReadingRecord, SavePlace::kJumpToPercent}) {
        EXPECT_TRUE(session.OfferToSave(place));
    }
    EXPECT_TRUE(editHost.messages.empty());  // editing an unchanged page: nothing to ask either
    EXPECT_TRUE(session.OfferToSave(SavePlace::kExit));
    EXPECT_EQ(editHost.Texts(), std::vector<std::string>{"是否保存文本？"});  // exit asks anyway
    EXPECT_EQ(files.writes, 0);                                               // and Yes writes nothing

    editHost.messages.clear();
    editHost.answers = {kIdNo, kIdNo, kIdNo, kIdNo, kIdNo, kIdNo, kIdNo};
    TypeAt(0, "改");
    for (SavePlace place :
         {SavePlace::kPageTurn, SavePlace::kLibraryBook, SavePlace::kBookmark, SavePlace::kReadingRecord,
          SavePlace::kJumpToPercent, SavePlace::kExit, SavePlace::kReload}) {
        EXPECT_TRUE(session.OfferToSave(place));
    }
    EXPECT_EQ(
        editHost.Texts(),
        (std::vector<std::string>{"是否保存文本？", "是否保存文本？", "是否保存文本？", "是否保存当前文本？",
                                  "是否保存当前文本？", "是否保存文本？", "是否保存文本？"}));
    for (const auto& m : editHost.messages) EXPECT_EQ(m.flags, kMbYesNo | kMbIconExclamation);
    EXPECT_EQ(files.writes, 0);

    // Yes: a page turn saves and reloads, the others only save.
    const int loads = host.recordEnsured;
    EXPECT_TRUE(session.OfferToSave(SavePlace::kBookmark));
    EXPECT_EQ(files.writes, 1);
    EXPECT_EQ(host.recordEnsured, loads);
    EXPECT_TRUE(session.OfferToSave(SavePlace::kPageTurn));
    EXPECT_EQ(files.writes, 2);
    EXPECT_EQ(host.recordEnsured, loads + 1);
}

TEST_F(SaveTest, NothingIsWrittenWithoutEditsOrOutsideEditMode) {
    Open("a.txt", ChineseLines(10));
    control.modified = true;
    EXPECT_EQ(session.SavePageAndReload(), SaveOutcome::kNothingToSave);
    StartEditing();
    EXPECT_EQ(session.SavePageAndReload(), SaveOutcome::kNothingToSave);
    EXPECT_EQ(files.writes, 0);
    EXPECT_TRUE(editHost.messages.empty());
}

TEST_F(SaveTest, NoPageIsSavedAfterPaginationStoppedAtThePageLimit) {
    // 10,001 pages of 50 lines: pagination stops, no page is shown, and what the reader types into the
    // empty control is not written over the book.
    std::string book;
    for (int i = 0; i < 10001 * 50 + 1; ++i) book += "x\r\n";
    Open("big.txt", book);
    ASSERT_FALSE(reader.ShowsPage());
    StartEditing();
    TypeAt(0, "改");
    EXPECT_EQ(session.SavePageAndReload(), SaveOutcome::kNothingToSave);
    editHost.saveAsPath = "D:\\b.txt";
    session.SaveAs();
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(File("big.txt"), book);
}

TEST_F(SaveTest, WholeBookModeWritesTheBookAndOnlyClearsTheMark) {
    const std::string book = ChineseLines(100);
    reader.pagingMode = kPagingWhole;
    Open("a.txt", book);
    StartEditing();
    control.ScrollLines(30);
    TypeAt(book.size(), "完");
    const int fills = control.setTextCalls;
    ASSERT_EQ(session.SavePageAndReload(), SaveOutcome::kSaved);
    EXPECT_EQ(File("a.txt"), book + "完");
    EXPECT_EQ(reader.Text(), book + "完");
    EXPECT_EQ(control.setTextCalls, fills);  // not reloaded
    EXPECT_EQ(control.FirstVisibleLine(), 30);
    EXPECT_FALSE(control.modified);
    EXPECT_TRUE(session.Editing());
}

TEST_F(SaveTest, AnArchiveMemberCannotBeSavedInPlaceButCanBeSavedAs) {
    files.Add("C:\\pel\\temp\\a.txt", ChineseLines(10));
    reader.OpenBook("D:\\z.rar|a.txt");
    ASSERT_EQ(reader.BookPath(), "D:\\z.rar|a.txt");
    StartEditing();
    TypeAt(0, "改");
    EXPECT_EQ(session.SavePage(), SaveOutcome::kFailed);
    EXPECT_EQ(editHost.messages.back().text, "D:\\z.rar|a.txt 中包含无效的路径。");
    EXPECT_EQ(files.files.count("D:\\z.rar|a.txt"), 0u);

    editHost.saveAsPath = "D:\\新书";
    session.SaveAs();
    EXPECT_EQ(File("D:\\新书.txt"), "改" + ChineseLines(10));
    EXPECT_EQ(reader.BookPath(), "D:\\新书.txt");
}

TEST_F(SaveTest, ABookFoundInTheBooksFolderIsSavedThere) {
    // The book had moved into books\ beside the program: BookPath is the relative form, the file is the
    // one beside the program, whatever the current folder.
    files.Add("C:\\pel\\books\\a.txt", ChineseLines(10));
    reader.SetBookPath("D:\\old\\a.txt");
    reader.OpenBook("D:\\old\\a.txt");
    ASSERT_EQ(reader.BookPath(), "books\\a.txt");
    StartEditing();
    TypeAt(0, "改");
    ASSERT_EQ(session.SavePageAndReload(), SaveOutcome::kSaved);
    EXPECT_EQ(File("C:\\pel\\books\\a.txt"), "改" + ChineseLines(10));
    EXPECT_EQ(files.files.count("books\\a.txt"), 0u);
    EXPECT_EQ(reader.BookPath(), "books\\a.txt");
    EXPECT_EQ(control.text(), "改" + ChineseLines(10));
}

TEST_F(SaveTest, SaveAsWritesTheBookAsShownAndMovesToTheNewFile) {
    const std::string book = ChineseLines(120);
    Open("C:\\a.txt", book);
    reader.ShowPage(2);
    TypeAt(0, "读");  // edit mode is not needed
    editHost.saveAsPath = "D:\\备份\\第一卷.TXT  ";
    session.SaveAs();
    EXPECT_EQ(File("D:\\备份\\第一卷.txt"), ChineseLines(50) + "读" + ChineseLines(70, 51));
    EXPECT_EQ(File("C:\\a.txt"), book);
    EXPECT_EQ(reader.BookPath(), "D:\\备份\\第一卷.txt");
    EXPECT_EQ(editHost.libraryLines, std::vector<std::string>{"第一卷.txt"});
    EXPECT_EQ(editHost.Texts(), std::vector<std::string>{"文件已另保存为: D:\\备份\\第一卷.txt"});
    EXPECT_FALSE(control.modified);
    EXPECT_FALSE(session.Editing());
    EXPECT_EQ(reader.CurrentPage(), 2);

    // The next save goes to the new file and keeps what save-as wrote.
    reader.ShowPage(3);
    StartEditing();
    TypeAt(0, "三");
    ASSERT_EQ(session.SavePage(), SaveOutcome::kSaved);
    EXPECT_EQ(File("D:\\备份\\第一卷.txt"),
              ChineseLines(50) + "读" + ChineseLines(50, 51) + "三" + ChineseLines(20, 101));
    EXPECT_EQ(File("C:\\a.txt"), book);
}

TEST_F(SaveTest, SaveAsCancelledOrFailedChangesNothing) {
    Open("C:\\a.txt", ChineseLines(10));
    TypeAt(0, "改");
    session.SaveAs();
    EXPECT_EQ(editHost.saveAsDialogs, 1);
    EXPECT_EQ(files.writes, 0);

    editHost.saveAsPath = "E:\\满\\b.txt";
    files.failWrite = FileError::kDiskFull;
    session.SaveAs();
    EXPECT_EQ(reader.BookPath(), "C:\\a.txt");
    EXPECT_TRUE(editHost.libraryLines.empty());
    EXPECT_EQ(editHost.Texts(), std::vector<std::string>{"在存取 E:\\满\\b.txt 时磁盘已满。"});
    EXPECT_TRUE(control.modified);
}

TEST_F(SaveTest, SaveAsAsksBeforeReplacingTheFileThatTheTypedNameBecomes) {
    Open("C:\\a.txt", ChineseLines(10));
    files.Add("D:\\旧.txt", "旧的内容");
    TypeAt(0, "改");
    editHost.saveAsPath = "D:\\旧";
    editHost.answers = {kIdNo};
    session.SaveAs();
    EXPECT_EQ(editHost.messages.back().text, "D:\\旧.txt 已存在。\n要替换它吗？");
    EXPECT_EQ(editHost.messages.back().flags, kMbYesNo | kMbIconExclamation | kMbDefButton2);
    EXPECT_EQ(File("D:\\旧.txt"), "旧的内容");
    EXPECT_EQ(reader.BookPath(), "C:\\a.txt");
    EXPECT_TRUE(control.modified);

    editHost.answers = {kIdYes};
    session.SaveAs();
    EXPECT_EQ(File("D:\\旧.txt"), "改" + ChineseLines(10));
    EXPECT_EQ(reader.BookPath(), "D:\\旧.txt");

    // The name as the dialog gave it was asked about there already.
    editHost.messages.clear();
    editHost.saveAsPath = "D:\\旧.TXT";
    session.SaveAs();
    EXPECT_EQ(editHost.Texts(), std::vector<std::string>{"文件已另保存为: D:\\旧.txt"});
}

TEST(SamePathTest, AsciiLettersWithoutCaseDoubleByteCharactersAsTheyAre) {
    EXPECT_TRUE(SamePath("C:\\Books\\A.TXT", "c:\\books\\a.txt"));
    EXPECT_FALSE(SamePath("C:\\a.txt", "C:\\a.txt "));
    // 0xC4 0x41 ("腁") and 0xC4 0x61 ("腶") differ although their trail bytes are "A" and "a".
    EXPECT_FALSE(SamePath(Bytes({0xC4, 0x41}), Bytes({0xC4, 0x61})));
    EXPECT_TRUE(SamePath(Bytes({0xC4, 0x41, 'X'}), Bytes({0xC4, 0x41, 'x'})));
}

TEST(SaveAsPathTest, TheFileNameEndsInOneLowerCaseTxt) {
    EXPECT_EQ(SaveAsPath("D:\\书\\新书"), "D:\\书\\新书.txt");
    EXPECT_EQ(SaveAsPath("D:\\书\\新书.TXT"), "D:\\书\\新书.txt");
    EXPECT_EQ(SaveAsPath("D:\\书\\新书.txt"), "D:\\书\\新书.txt");
    EXPECT_EQ(SaveAsPath("D:\\书\\新书.txt.TXT"), "D:\\书\\新书.txt");
    EXPECT_EQ(SaveAsPath("D:\\书\\新书.Txt"), "D:\\书\\新书.Txt.txt");
    EXPECT_EQ(SaveAsPath("D:\\a.txt\\b"), "D:\\a.txt\\b.txt");
    EXPECT_EQ(SaveAsPath("D:\\书\\新书.txt   "), "D:\\书\\新书.txt");
    // A GBK trail byte 5C is no backslash: the whole name after the real one loses its ".txt".
    const std::string trail = testing::Bytes({0x95, 0x5C});
    EXPECT_EQ(SaveAsPath("D:\\a.txt" + trail + "b"), "D:\\a" + trail + "b.txt");
}

TEST(RestoreUneditedBytesTest, UneditedStretchesGetTheBookBytesBack) {
    const std::string original = "甲\n\n乙\n\n丙\n";
    const std::string shown = "甲\r\n乙\r\n丙\n";
    EXPECT_EQ(RestoreUneditedBytes(original, shown, shown), original);
    EXPECT_EQ(RestoreUneditedBytes(original, shown, "甲\r\n乙改\r\n丙\n"), "甲\n\n乙改\n\n丙\n");
    EXPECT_EQ(RestoreUneditedBytes(original, shown, "新\r\n甲\r\n乙\r\n丙\n"), "新\r\n甲\n\n乙\n\n丙\n");
    EXPECT_EQ(RestoreUneditedBytes(original, shown, ""), "");
    // A text that was not the shown page is saved as it is.
    EXPECT_EQ(RestoreUneditedBytes(original, "other", "x\r\n"), "x\r\n");
    EXPECT_EQ(RestoreUneditedBytes("a\r\nb", "a\r\nb", "a\r\nbc"), "a\r\nbc");
}

}  // namespace
}  // namespace pel

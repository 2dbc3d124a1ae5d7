#include <gtest/gtest.h>

#include "book/decode.h"
#include "book/message_flags.h"
#include "support/bytes.h"
#include "support/reader_fixture.h"

namespace pel {
namespace {

using testing::ChineseLines;
using OpenBookTest = testing::ReaderTest;

TEST_F(OpenBookTest, OpensAnAnsiBookAndShowsItsFirstPage) {
    const std::string book = ChineseLines(120);
    Open("D:\\novels\\长篇.txt", book);
    EXPECT_EQ(reader.BookPath(), "D:\\novels\\长篇.txt");
    EXPECT_EQ(reader.Text(), book);
    EXPECT_EQ(reader.TextEncoding(), kEncodingAnsi);
    EXPECT_EQ(reader.PageCount(), 3);
    EXPECT_EQ(reader.CurrentPage(), 1);
    EXPECT_EQ(control.text(), ChineseLines(50));
    EXPECT_EQ(host.totalLabel, "总页数");
    EXPECT_EQ(host.currentLabel, "当前页数");
    EXPECT_EQ(host.totalBox, 3);
    EXPECT_EQ(host.currentBox, 1);
    EXPECT_EQ(host.windowTitle, "长篇.txt");
    EXPECT_EQ(host.published.bookTitle, "长篇");
    EXPECT_EQ(host.published.fileName, "长篇.txt");
    EXPECT_EQ(host.published.pageStarts.size(), 3u);
    EXPECT_EQ(host.published.text.get(), &reader.Text());  // shared, not copied
    EXPECT_EQ(host.recordUpdates, 2);
    EXPECT_EQ(host.recordEnsured, 1);
    EXPECT_EQ(host.editModeEnded, 1);
    EXPECT_EQ(host.archiveListingResets, 1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(reader.ScreenStep(), -1);
}

TEST_F(OpenBookTest, FailuresKeepThePreviousBookOnScreen) {
    Open("D:\\a.txt", ChineseLines(10));
    const std::string shown = control.text();

    reader.OpenBook("D:\\missing.txt");
    EXPECT_EQ(host.LastMessage(), "文件已删除！");
    EXPECT_EQ(host.messages.back().flags, kMbOk);
    EXPECT_EQ(reader.BookPath(), "");
    EXPECT_EQ(control.text(), shown);
    EXPECT_EQ(reader.Text(), ChineseLines(10));

    files.Add("D:\\ro.txt", "只读");
    files.files["D:\\ro.txt"].readOnly = true;
    reader.OpenBook("D:\\ro.txt");
    EXPECT_EQ(host.LastMessage(), "文件已删除！");

    files.Add("D:\\empty.txt", "");
    reader.OpenBook("D:\\empty.txt");
    EXPECT_EQ(host.LastMessage(), "警告！空文档！");
    EXPECT_EQ(reader.BookPath(), "");

    files.Add("D:\\huge.txt", "x");
    files.files["D:\\huge.txt"].reportedSize = kMaxBookBytes + 1;
    reader.OpenBook("D:\\huge.txt");
    EXPECT_EQ(host.LastMessage(), "文件过大，无法打开！");

    files.Add("D:\\big.txt", "abc");
    files.failAllocation = true;
    reader.OpenBook("D:\\big.txt");
    EXPECT_EQ(host.LastMessage(), "文件过大，无法打开！");
    EXPECT_EQ(control.text(), shown);
    EXPECT_EQ(reader.Text(), ChineseLines(10));
    EXPECT_EQ(reader.PageCount(), 1);

    const std::size_t shownMessages = host.messages.size();
    reader.OpenBook("");
    EXPECT_EQ(host.messages.size(), shownMessages);
}

TEST_F(OpenBookTest, FallsBackToTheBooksFolderBesideTheProgram) {
    files.Add("C:\\pel\\books\\moved.txt", ChineseLines(3));
    reader.SetBookPath("E:\\old\\moved.txt");
    reader.OpenBook("E:\\old\\moved.txt");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(reader.BookPath(), "books\\moved.txt");
    EXPECT_EQ(host.published.bookPath, "books\\moved.txt");
    EXPECT_EQ(host.published.bookTitle, "moved");
    EXPECT_EQ(reader.Text(), ChineseLines(3));

    reader.OpenBook("E:\\old\\nowhere.txt");
    EXPECT_EQ(host.LastMessage(), "文件已删除！");
}

TEST_F(OpenBookTest, ArchiveMembersAreReadFromTheTempFolder) {
    files.Add("C:\\pel\\temp\\卷一.txt", ChineseLines(2));
    reader.OpenBook("D:\\书.zip|集\\卷一.txt");
    ASSERT_EQ(host.extracted.size(), 1u);
    EXPECT_EQ(host.extracted[0], "D:\\书.zip|集\\卷一.txt");
    EXPECT_EQ(host.archiveListingResets, 0);
    EXPECT_EQ(reader.BookPath(), "D:\\书.zip|集\\卷一.txt");
    EXPECT_EQ(host.windowTitle, "卷一.txt");
    EXPECT_EQ(host.published.bookTitle, "卷一");
}

TEST_F(OpenBookTest, AFailedExtractionOpensNoStaleCopyAndAddsNoBox) {
    files.Add("C:\\pel\\temp\\卷一.txt", ChineseLines(2));
    files.Add("C:\\pel\\books\\卷一.txt", ChineseLines(3));
    host.extractionSucceeds = false;
    reader.OpenBook("D:\\书.zip|集\\卷一.txt");
    EXPECT_EQ(host.extracted.size(), 1u);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_NE(reader.Text(), ChineseLines(2));
    EXPECT_NE(reader.Text(), ChineseLines(3));
    EXPECT_NE(reader.BookPath(), "D:\\书.zip|集\\卷一.txt");
}

TEST_F(OpenBookTest, DecodesEachEncodingAndNamesIt) {
    Open("D:\\le.txt", testing::Utf16File(u"中文ab\r\n", false));
    EXPECT_EQ(reader.Text(), "中文ab\r\n");
    EXPECT_EQ(reader.SizePaneText(), "字数：0.0002 万[Unicode]");
    Open("D:\\be.txt", testing::Utf16File(u"中文ab\r\n", true));
    EXPECT_EQ(reader.SizePaneText(), "字数：0.0002 万[Unicode Big]");
    Open("D:\\u8.txt", testing::Utf8(u8"abc中文"));
    EXPECT_EQ(reader.Text(), "abc中文");
    EXPECT_EQ(reader.SizePaneText(), "字数：0.0002 万[UTF-8]");
    Open("D:\\gbk.txt", std::string(24690, '\xB0'));
    EXPECT_EQ(reader.SizePaneText(), "字数：1.2345 万[ANSI]");
}

TEST_F(OpenBookTest, DeletesBlankLinesBeforeSharingTheText) {
    reader.deleteBlankLines = 1;
    const std::string tail(30, 'z');
    Open("D:\\blank.txt", "甲\r\n\r\n乙" + tail);
    EXPECT_EQ(reader.Text(), "甲  \r\n乙" + tail);
    EXPECT_EQ(host.published.text->size(), reader.Text().size());
}

TEST_F(OpenBookTest, TooManyPagesStopWithAMessageAndShowNothing) {
    Open("D:\\long.txt", std::string(kMaxPages * kLinesPerPage + 1, '\n') + "x");
    EXPECT_EQ(host.LastMessage(), "章节页数已超上限1万！请先切换分页方式！");
    EXPECT_EQ(reader.PageCount(), kMaxPages + 1);
    const int calls = control.setTextCalls;
    reader.ShowPage(3);
    EXPECT_EQ(control.setTextCalls, calls);
    reader.GoToTextPosition(12345);  // no page to show, and nothing breaks
    reader.SwitchPagingMode(kPagingWhole);
    EXPECT_EQ(control.text().size(), reader.Text().size());
}

TEST_F(OpenBookTest, PagingModesOfANewBook) {
    reader.pagingMode = kPagingWhole;
    Open("D:\\whole.txt", ChineseLines(120));
    EXPECT_EQ(control.text(), ChineseLines(120));
    EXPECT_EQ(host.totalLabel, "总行数");
    EXPECT_EQ(host.currentLabel, "当前行数");
    EXPECT_EQ(reader.TotalShown(), 121);
    EXPECT_EQ(host.totalBox, 121);
    EXPECT_TRUE(host.timers.count(kTimerWholeBookLines));

    reader.pagingMode = kPagingChapters;
    Open("D:\\chapters.txt", testing::ChapterNovel(5));
    EXPECT_EQ(reader.PageCount(), 5);
    EXPECT_EQ(reader.pagingMode, kPagingChapters);
    Open("D:\\plain.txt", ChineseLines(120));  // no headings: by lines
    EXPECT_EQ(reader.PageCount(), 3);
    EXPECT_EQ(reader.pagingMode, kPagingLines);

    reader.pagingMode = 7;  // from a damaged settings file
    Open("D:\\odd.txt", ChineseLines(120));
    EXPECT_EQ(reader.pagingMode, kPagingLines);
    EXPECT_EQ(reader.PageCount(), 3);
}

TEST_F(OpenBookTest, BlankLineCommandReloadsAtTheSamePlace) {
    std::string book;
    for (int i = 1; i <= 200; ++i) book += "第" + std::to_string(i) + "段\r\n\r\n";
    Open("D:\\gaps.txt", book);
    const long long target = static_cast<long long>(book.find("第110段"));
    reader.GoToTextPosition(target);
    EXPECT_EQ(reader.ReadPosition(), target);
    reader.ToggleDeleteBlankLines();
    EXPECT_EQ(reader.deleteBlankLines, 1);
    EXPECT_EQ(reader.TextLength(), static_cast<long long>(book.size()));
    EXPECT_EQ(reader.ReadPosition(), target);
    EXPECT_EQ(control.LineText(control.FirstVisibleLine()), "第110段  ");
}

TEST_F(OpenBookTest, ForcedUtf8ReloadKeepsTheShareOfTheBook) {
    // Bytes 3 to 5 are ASCII, so the UTF-8 book is first read as ANSI.
    std::string book = testing::Utf8(u8"一abc");
    for (int i = 0; i < 400; ++i)
        book += testing::Utf8(u8"第") + std::to_string(i) + testing::Utf8(u8"行\r\n");
    Open("D:\\web.txt", book);
    EXPECT_EQ(reader.TextEncoding(), kEncodingAnsi);
    reader.GoToTextPosition(reader.TextLength() / 2);
    const double before = reader.ReadPercent();
    reader.ForceUtf8Reload();
    EXPECT_EQ(reader.TextEncoding(), kEncodingUtf8);
    EXPECT_EQ(reader.forceUtf8, 0);
    EXPECT_EQ(reader.Text().substr(0, 5), "一abc");
    EXPECT_NEAR(reader.ReadPercent(), before, 2.0);
    EXPECT_EQ(host.LastMessage(),
              "已强制转换为utf8编码输出，未修改文件！如该文本无法自动识别utf8，需每次通过此功能转码。");
}

TEST(BookNames, FileNameAndTitleOfAPath) {
    EXPECT_EQ(FileNameOf("C:\\书\\第一卷.txt"), "第一卷.txt");
    EXPECT_EQ(FileNameOf("D:\\a.zip|dir\\b.txt"), "b.txt");
    EXPECT_EQ(FileNameOf("D:\\a.zip|b.txt"), "b.txt");
    EXPECT_EQ(FileNameOf("plain"), "plain");
    EXPECT_EQ(FileNameOf(""), "");
    EXPECT_EQ(BookTitleOf("C:\\书\\第一卷.txt"), "第一卷");
    EXPECT_EQ(BookTitleOf("C:\\书\\第一卷"), "第一卷");
    EXPECT_EQ(BookTitleOf("noslash.tar.txt"), "noslash.tar");
    EXPECT_EQ(BookTitleOf("plain"), "plain");
    EXPECT_EQ(BookTitleOf("C:\\v1.0\\book"), "book");
}

}  // namespace
}  // namespace pel

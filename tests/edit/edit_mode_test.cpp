// Edit mode on and off, the clipboard commands, and find and replace driven by the dialog's notifications.
#include <gtest/gtest.h>

#include "book/decode.h"
#include "edit/edit_fixture.h"
#include "support/bytes.h"
#include "support/reader_fixture.h"

namespace pel {
namespace {

using testing::ChineseLines;
using testing::Utf8;
using EditModeTest = testing::EditTest;

TEST_F(EditModeTest, EnteringMakesThePageWritableAndWarnsOfOtherEncodings) {
    Open("a.txt", ChineseLines(10));
    session.ToggleEditMode();
    EXPECT_TRUE(session.Editing());
    EXPECT_FALSE(control.readOnly);
    EXPECT_EQ(control.textLimit, 0x6FFFFFFF);
    EXPECT_TRUE(editHost.messages.empty());  // an ANSI book is saved as it is

    Open("u8.txt", Utf8(u8"\uFEFF第一行：天地玄黄\r\n"));
    ASSERT_EQ(reader.TextEncoding(), kEncodingUtf8);
    EXPECT_FALSE(session.Editing());  // the load ended edit mode
    EXPECT_TRUE(control.readOnly);
    session.ToggleEditMode();
    session.ToggleEditMode();
    session.ToggleEditMode();
    const std::string notice = "注意！此文本编码为UTF-8，将默认保存为ANSI编码！";
    EXPECT_EQ(editHost.Texts(), (std::vector<std::string>{notice, notice}));  // every time it is entered
    EXPECT_EQ(editHost.messages[0].flags, kMbOk);

    EXPECT_STREQ(EditModeNotice(kEncodingUnicode), "注意！此文本编码为Unicode，将默认保存为ANSI编码！");
    EXPECT_STREQ(EditModeNotice(kEncodingUnicodeBig),
                 "注意！此文本编码为Unicode big endian，将默认保存为ANSI编码！");
    EXPECT_EQ(EditModeNotice(kEncodingAnsi), nullptr);
}

TEST_F(EditModeTest, EnteringClearsAModifiedMarkLeftFromReading) {
    Open("a.txt", ChineseLines(10));
    control.modified = true;  // the control changed while read-only (a paste)
    StartEditing();
    EXPECT_FALSE(control.modified);
    EXPECT_FALSE(session.EditedTextModified());
}

TEST_F(EditModeTest, LeavingAnUneditedPageAsksNothing) {
    Open("a.txt", ChineseLines(10));
    StartEditing();
    session.ToggleEditMode();
    EXPECT_FALSE(session.Editing());
    EXPECT_TRUE(control.readOnly);
    EXPECT_TRUE(editHost.messages.empty());
    EXPECT_EQ(files.writes, 0);
}

TEST_F(EditModeTest, LeavingWithNoDropsTheEditsAndKeepsTheScrolledLine) {
    const std::string book = ChineseLines(120);
    Open("a.txt", book);
    reader.ShowPage(2);
    StartEditing();
    control.ScrollLines(12);
    TypeAt(0, "新的开头");
    editHost.answers = {kIdNo};
    session.ToggleEditMode();
    ASSERT_EQ(editHost.messages.size(), 1u);
    EXPECT_EQ(editHost.messages[0].text, "是否保存文本？");
    EXPECT_EQ(editHost.messages[0].flags, kMbYesNo | kMbIconExclamation);
    EXPECT_EQ(control.text(), ChineseLines(50, 51));
    EXPECT_EQ(control.FirstVisibleLine(), 12);
    EXPECT_FALSE(session.Editing());
    EXPECT_TRUE(control.readOnly);
    EXPECT_EQ(File("a.txt"), book);
    EXPECT_EQ(files.writes, 0);
}

TEST_F(EditModeTest, LeavingWithYesSavesReloadsAndEndsInReading) {
    Open("a.txt", ChineseLines(120));
    reader.ShowPage(2);
    StartEditing();
    TypeAt(0, "改");
    session.ToggleEditMode();
    EXPECT_EQ(File("a.txt"), ChineseLines(50) + "改" + ChineseLines(70, 51));
    EXPECT_EQ(reader.CurrentPage(), 2);
    EXPECT_EQ(control.text(), "改" + ChineseLines(50, 51));
    EXPECT_FALSE(session.Editing());
    EXPECT_TRUE(control.readOnly);
}

TEST_F(EditModeTest, LeavingWithAFailedSaveStaysInEditModeWithTheEdits) {
    Open("a.txt", ChineseLines(20));
    StartEditing();
    TypeAt(0, "改");
    files.failWrite = FileError::kDiskFull;
    session.ToggleEditMode();
    EXPECT_TRUE(session.Editing());
    EXPECT_FALSE(control.readOnly);
    EXPECT_EQ(control.text(), "改" + ChineseLines(20));
    EXPECT_EQ(editHost.messages.back().text, "在存取 a.txt 时磁盘已满。");
    EXPECT_EQ(editHost.messages.back().flags, kMbOk | kMbIconStop);
    EXPECT_EQ(File("a.txt"), ChineseLines(20));
}

TEST_F(EditModeTest, ClipboardCommandsReachTheControlInEitherMode) {
    Open("a.txt", ChineseLines(3));
    session.Copy();
    session.Paste();
    StartEditing();
    session.Cut();
    session.Undo();
    EXPECT_EQ(control.clipboard, "copy;paste;cut;undo;");
}

TEST_F(EditModeTest, EachDialogCommandOpensAnotherDialogPresetFromTheSelection) {
    Open("a.txt", "天地玄黄 宇宙洪荒\r\n");
    session.OpenFindDialog();
    control.SelectBytes(9, 17);  // "宇宙洪荒"
    session.OpenFindDialog();
    session.OpenReplaceDialog();
    ASSERT_EQ(editHost.dialogs.size(), 3u);
    EXPECT_EQ(editHost.dialogs[0].findWhat, "");  // nothing selected
    EXPECT_FALSE(editHost.dialogs[0].replace);
    EXPECT_EQ(editHost.dialogs[1].findWhat, "宇宙洪荒");
    EXPECT_TRUE(editHost.dialogs[2].replace);
    EXPECT_EQ(session.FindText(), "宇宙洪荒");
    EXPECT_EQ(session.SearchPosition(), 5);  // the start of the selection
}

TEST_F(EditModeTest, FindNextWalksThroughThePageAndStartsAgainAfterNotFound) {
    Open("a.txt", "甲乙 甲乙\r\n丙甲乙\r\n");
    session.OpenFindDialog();
    const FindRequest next = Request(FindAction::kFindNext, "甲乙");
    session.OnFindNotification(next);
    EXPECT_TRUE(control.selectionKeptShown);
    EXPECT_EQ(control.SelectionBytes(), "甲乙");
    EXPECT_EQ(session.SearchPosition(), 2);
    session.OnFindNotification(next);
    EXPECT_EQ(session.SearchPosition(), 5);
    session.OnFindNotification(next);
    EXPECT_EQ(session.SearchPosition(), 10);
    EXPECT_EQ(control.caretScrolls, 3);
    session.OnFindNotification(next);
    EXPECT_EQ(editHost.Texts(), std::vector<std::string>{"找不到 \"甲乙\""});
    EXPECT_EQ(editHost.messages[0].flags, kMbOk);
    EXPECT_EQ(session.SearchPosition(), 0);
    session.OnFindNotification(next);
    EXPECT_EQ(session.SearchPosition(), 2);  // from the top again
}

TEST_F(EditModeTest, ASearchPositionBeyondAShorterPageFindsNothing) {
    Open("a.txt", ChineseLines(50) + "短\r\n");
    session.OnFindNotification(Request(FindAction::kFindNext, "洪荒abc\r\n第50"));
    ASSERT_GT(session.SearchPosition(), 100);
    reader.ShowPage(2);
    session.OnFindNotification(Request(FindAction::kFindNext, "短"));
    EXPECT_EQ(editHost.Texts(), std::vector<std::string>{"找不到 \"短\""});
    EXPECT_EQ(session.SearchPosition(), 0);
}

TEST_F(EditModeTest, AClosingDialogOnlyHandsOverItsTexts) {
    Open("a.txt", "abc");
    session.OnFindNotification(Request(FindAction::kClosing, "b", "x"));
    EXPECT_EQ(session.FindText(), "b");
    EXPECT_EQ(session.ReplaceText(), "x");
    EXPECT_EQ(control.text(), "abc");
    EXPECT_TRUE(editHost.messages.empty());
}

TEST_F(EditModeTest, ReplaceWithoutASelectionOnlyFindsTheNextMatch) {
    Open("a.txt", "春眠不觉晓，处处闻啼鸟。");
    StartEditing();
    session.OnFindNotification(Request(FindAction::kReplace, "处处", "时时"));
    EXPECT_EQ(control.text(), "春眠不觉晓，处处闻啼鸟。");
    EXPECT_EQ(control.SelectionBytes(), "处处");
    EXPECT_EQ(session.SearchPosition(), 6);  // the start of the match
    // The next Find Next starts there and selects the same match again.
    session.OnFindNotification(Request(FindAction::kFindNext, "处处"));
    EXPECT_EQ(control.SelectionBytes(), "处处");
    EXPECT_EQ(session.SearchPosition(), 8);
}

TEST_F(EditModeTest, ReplaceGoesOnRightBehindTheReplacement) {
    Open("a.txt", "aaaa");
    StartEditing();
    session.OnFindNotification(Request(FindAction::kFindNext, "a"));
    const FindRequest replace = Request(FindAction::kReplace, "a", "b");
    // Find Next left the position behind the match; the replacement still misses no 'a'.
    for (int i = 0; i < 4; ++i) session.OnFindNotification(replace);
    EXPECT_EQ(control.text(), "bbbb");
    EXPECT_EQ(editHost.Texts(), std::vector<std::string>{"找不到 \"a\""});
    EXPECT_EQ(session.SearchPosition(), 0);
    EXPECT_TRUE(control.modified);
}

TEST_F(EditModeTest, ReplaceAllCountsItsReplacements) {
    Open("a.txt", "猫 abc 猫猫\r\n猫");
    StartEditing();
    session.OnFindNotification(Request(FindAction::kReplaceAll, "猫", "小猫"));
    EXPECT_EQ(control.text(), "小猫 abc 小猫小猫\r\n小猫");
    EXPECT_EQ(editHost.Texts(), std::vector<std::string>{"总计完成 4 次替换！"});
    EXPECT_EQ(session.SearchPosition(), 15);  // where the last replacement ended
    EXPECT_EQ(control.replaceCalls, 4);
}

TEST_F(EditModeTest, ReplaceAllSeesTheTextAsReplaced) {
    // Whole words: once the first ".x." became "y", the second follows a word character and is no word.
    Open("a.txt", ".x..x.");
    FindRequest all = Request(FindAction::kReplaceAll, ".x.", "y");
    all.wholeWord = true;
    session.OnFindNotification(all);
    EXPECT_EQ(control.text(), "y.x.");
    EXPECT_EQ(editHost.Texts(), std::vector<std::string>{"总计完成 1 次替换！"});
    all.findWhat = "Y";
    all.replaceWith = "";
    all.wholeWord = false;
    all.matchCase = true;
    session.OnFindNotification(all);
    EXPECT_EQ(editHost.Texts().back(), "找不到 \"Y\"");
}

TEST_F(EditModeTest, ReplaceAllWithoutAMatchChangesNothing) {
    Open("a.txt", "abc");
    StartEditing();
    session.OnFindNotification(Request(FindAction::kFindNext, "b"));
    ASSERT_EQ(session.SearchPosition(), 2);
    session.OnFindNotification(Request(FindAction::kReplaceAll, "z", "y"));
    EXPECT_EQ(editHost.Texts(), std::vector<std::string>{"找不到 \"z\""});
    EXPECT_FALSE(control.modified);
    EXPECT_EQ(session.SearchPosition(), 0);  // the next Find Next starts at the top again
    // An empty find text finds nothing, so Replace All cannot run on for ever.
    session.OnFindNotification(Request(FindAction::kReplaceAll, "", "y"));
    EXPECT_EQ(editHost.Texts().back(), "找不到 \"\"");
    EXPECT_EQ(control.text(), "abc");
}

}  // namespace
}  // namespace pel

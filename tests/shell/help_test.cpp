// The Help menu's texts and commands: shortcut help, usage notes, the link commands and the About box.
#include "shell/help.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_box_catcher.h"
#include "resource.h"
#include "shell/about_dialog.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

TEST(ShortcutHelpTest, TextIsExact) {
    EXPECT_EQ(ShortcutHelpText(),
              "----->>>快捷键<<<-----\r\n"
              "  '空格键'  向下翻屏和自动下一页 \r\n"
              "  '←'  上一页，\t'→ '  下一页\r\n"
              "  '↑'  上翻屏，\t'↓ '  下翻屏\r\n"
              "  'F5'  添加书签， 'Enter'  自动滚屏， 'Ctrl+Enter/Esc'  全屏切换 \r\n"
              "  'F1' 关闭侧边栏，'F2' 更多设置 ，'F3' 阅读时间记录，'F4' 查看目录\r\n"
              "  'PageUp/ PageDown'  向上/下翻屏。\r\n");
}

TEST(ShortcutHelpTest, TextsAreCodePage936) {
    // The arrows and the full-width comma reach the box as GBK bytes.
    const std::string help = ShortcutHelpText();
    EXPECT_NE(help.find("\xA1\xFB"), std::string::npos);  // ←
    EXPECT_NE(help.find("\xA3\xAC"), std::string::npos);  // ，
    EXPECT_EQ(help.find("\xE2\x86\x90"), std::string::npos);
}

TEST(UsageNotesTest, LinesAreExactAndInOrder) {
    const std::vector<std::string> lines = Lines(AboutUsageNotes());
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "【2.8】 更新时间：2017 年 3月 3日。");
    EXPECT_EQ(lines[1], "1. 新增自定义分章规则功能；");
    EXPECT_EQ(lines[2], "2. 支持自动识别99%无bom的utf8编码；");
    EXPECT_EQ(lines[3], "3. 新增乱码按我，强制转换为utf8编码；");
    EXPECT_EQ(lines[4], "4. 提高大文本可读取的页数；");
    EXPECT_EQ(lines[5], "5. 修复边距设置较大时下次无法初始化的bug；");
    EXPECT_EQ(lines[6], "6. 标题栏可显示文件名。");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "----->>>快捷键<<<-----");
    EXPECT_EQ(lines[9], "  '←'  上一页，\t'→ '  下一页");
    EXPECT_EQ(lines[10], "  '↑'  上翻屏，\t'↓ '  下翻屏");
    EXPECT_EQ(lines[11], "  'F5'  添加书签， 'Enter'  自动滚屏， 'Ctrl+Enter/Esc'  全屏切换 ");
    EXPECT_EQ(lines[12], "  'F1' 关闭侧边栏，'F2' 高级设置 ，'F3' 阅读时间记录，'F4' 查看目录 ");
    EXPECT_EQ(lines[13], "  '空格键'  向下翻屏和自动下一页 ");
    EXPECT_EQ(lines[14], "  'PageUp/ PageDown'  向上/下翻屏。");
}

TEST(HelpLinkTest, EveryLinkCommandHasItsOwnPlaceholderAddress) {
    const UINT ids[] = {ID_LINK_1, ID_LINK_2, ID_LINK_3, ID_LINK_4, ID_LINK_5, ID_LINK_YILIN, ID_LINK_YIGE};
    std::vector<std::string> seen;
    for (UINT id : ids) {
        const char* address = HelpLinkAddress(id);
        ASSERT_NE(address, nullptr) << id;
        EXPECT_EQ(std::string(address).rfind("https://example.com/pelin/", 0), 0u) << address;
        for (const std::string& other : seen) EXPECT_NE(other, address);
        seen.push_back(address);
    }
    EXPECT_EQ(HelpLinkAddress(ID_SHORTCUT_HELP), nullptr);
    EXPECT_EQ(HelpLinkAddress(ID_APP_ABOUT), nullptr);
}

std::vector<std::string> opened;
void RecordOpen(HWND, const char* address) { opened.push_back(address); }

class HelpCommandTest : public ::testing::Test {
protected:
    void SetUp() override { opened.clear(); }
};

TEST_F(HelpCommandTest, LinksOpenTheirAddressWithoutAsking) {
    for (UINT id : {ID_LINK_1, ID_LINK_2, ID_LINK_3, ID_LINK_4, ID_LINK_5, ID_LINK_YIGE}) {
        MessageBoxCatcher catcher(IDOK);
        EXPECT_TRUE(HandleHelpCommand(nullptr, id, &RecordOpen));
        EXPECT_FALSE(catcher.box.seen) << id;
    }
    ASSERT_EQ(opened.size(), 6u);
    EXPECT_EQ(opened[0], HelpLinkAddress(ID_LINK_1));
    EXPECT_EQ(opened[5], HelpLinkAddress(ID_LINK_YIGE));
}

TEST_F(HelpCommandTest, MagazineLinkAsksFirstAndCancelOpensNothing) {
    {
        MessageBoxCatcher catcher(IDCANCEL);
        EXPECT_TRUE(HandleHelpCommand(nullptr, ID_LINK_YILIN, &RecordOpen));
        EXPECT_EQ(catcher.box.text, "意林杂志散文！一则故事，改变一生！");
        EXPECT_TRUE(catcher.box.hasOk);
        EXPECT_TRUE(catcher.box.hasCancel);
    }
    EXPECT_TRUE(opened.empty());
    {
        MessageBoxCatcher catcher(IDOK);
        HandleHelpCommand(nullptr, ID_LINK_YILIN, &RecordOpen);
    }
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], HelpLinkAddress(ID_LINK_YILIN));
}

TEST_F(HelpCommandTest, ShortcutHelpShowsTheTextWithAnOkButton) {
    MessageBoxCatcher catcher(IDOK);
    EXPECT_TRUE(HandleHelpCommand(nullptr, ID_SHORTCUT_HELP, &RecordOpen));
    ASSERT_TRUE(catcher.box.seen);
    // The box shows its text without the last line break.
    std::string help = ShortcutHelpText();
    EXPECT_EQ(catcher.box.text.substr(0, help.size() - 2), help.substr(0, help.size() - 2));
    EXPECT_EQ(catcher.box.caption, MessageCaption());
    EXPECT_FALSE(catcher.box.hasCancel);
    EXPECT_TRUE(opened.empty());
}

TEST_F(HelpCommandTest, AboutCommandShowsTheBoxModally) {
    std::string caption, notes, slogan;
    MessageBoxCatcher catcher(IDCANCEL, [&](HWND box) {
        char text[4096] = {};
        GetWindowTextA(box, text, sizeof text);
        caption = text;
        GetDlgItemTextA(box, IDC_ABOUT_NOTES, text, sizeof text);
        notes = text;
        GetDlgItemTextA(box, IDC_ABOUT_SLOGAN, text, sizeof text);
        slogan = text;
    });
    EXPECT_TRUE(HandleHelpCommand(nullptr, ID_APP_ABOUT, &RecordOpen));
    EXPECT_EQ(catcher.boxes, 1);
    EXPECT_EQ(caption, "关于 ");
    EXPECT_EQ(notes, AboutUsageNotes());
    EXPECT_EQ(slogan, kAboutSlogan);
}

TEST_F(HelpCommandTest, OtherCommandsAreNotHelps) {
    EXPECT_FALSE(HandleHelpCommand(nullptr, 32855, &RecordOpen));
    EXPECT_FALSE(HandleHelpCommand(nullptr, 0, &RecordOpen));
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(IsHelpCommand(32855));
    for (UINT id : {ID_APP_ABOUT, ID_SHORTCUT_HELP, ID_LINK_1, ID_LINK_2, ID_LINK_YILIN, ID_LINK_YIGE})
        EXPECT_TRUE(IsHelpCommand(id)) << id;
}

TEST(MessageCaptionTest, IsTheProgramTitle) { EXPECT_EQ(MessageCaption(), "Pelin阅读器——Pelinreader"); }

}  // namespace

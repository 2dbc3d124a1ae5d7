#include <gtest/gtest.h>

#include "framework/app.h"
#include "framework/command.h"
#include "framework/handles.h"
#include "ui/jump_dialog.h"

namespace {

TEST(CommandLine, QuotesGroupAndBackslashesStay) {
    auto args = fw::SplitCommandLine("Pelinreader.exe \"C:\\书 库\\a b.txt\"  x\\y");
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[1], "C:\\书 库\\a b.txt");
    EXPECT_EQ(args[2], "x\\y");
    EXPECT_TRUE(fw::SplitCommandLine("").empty());
    EXPECT_TRUE(fw::SplitCommandLine(nullptr).empty());
}

struct Target : fw::CommandTarget {
    void OnOne(UINT id) { last = id; }
    void OnRange(UINT id) { last = id + 1000; }
    void OnUpdateOne(fw::CommandUI& ui) { ui.SetCheck(true); }
    bool OnCommand(UINT id, UINT, HWND) override;
    bool OnUpdateCommand(fw::CommandUI& ui) override;
    UINT last = 0;
    static const fw::CommandEntry<Target> kCommands[];
    static const fw::UpdateEntry<Target> kUpdates[];
};
const fw::CommandEntry<Target> Target::kCommands[] = {{10, 10, &Target::OnOne}, {20, 29, &Target::OnRange}};
const fw::UpdateEntry<Target> Target::kUpdates[] = {{10, 10, &Target::OnUpdateOne}};

bool Target::OnCommand(UINT id, UINT, HWND) { return fw::DispatchCommand(this, kCommands, id); }
bool Target::OnUpdateCommand(fw::CommandUI& ui) {
    if (fw::DispatchUpdate(this, kUpdates, ui)) return true;
    return fw::TableHas(kCommands, ui.id);
}

TEST(CommandTables, DispatchByIdAndRange) {
    Target t;
    EXPECT_TRUE(t.OnCommand(10, 0, nullptr));
    EXPECT_EQ(t.last, 10u);
    EXPECT_TRUE(t.OnCommand(25, 0, nullptr));
    EXPECT_EQ(t.last, 1025u);
    EXPECT_FALSE(t.OnCommand(30, 0, nullptr));
}

TEST(CommandTables, MenuItemsWithoutHandlerAreGreyedAndUpdatesCheck) {
    Target t;
    fw::UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.get(), MF_STRING, 10, "one");
    AppendMenuA(menu.get(), MF_STRING, 21, "range");
    AppendMenuA(menu.get(), MF_STRING, 99, "nobody");
    fw::UpdateMenuItems(menu.get(), t);
    EXPECT_EQ(GetMenuState(menu.get(), 10, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED), UINT(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu.get(), 21, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED), 0u);
    EXPECT_NE(GetMenuState(menu.get(), 99, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST(JumpDialog, NumbersAreAcceptedAndTextIsRefused) {
    double v = -1;
    EXPECT_TRUE(ParseDialogNumber(" 12.5 ", v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(ParseDialogNumber("-3", v));
    EXPECT_DOUBLE_EQ(v, -3);
    EXPECT_FALSE(ParseDialogNumber("", v));
    EXPECT_FALSE(ParseDialogNumber("abc", v));
    EXPECT_FALSE(ParseDialogNumber("12%", v));
    EXPECT_DOUBLE_EQ(v, -3);  // a refused text leaves the value alone
}

}  // namespace

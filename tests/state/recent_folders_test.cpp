// Recent folders: section File Dir as the file shows it after each change, the submenu entries, the
// commands of the submenu and the folder added at exit.
#include "state/recent_folders.h"

#include <gtest/gtest.h>

#include <set>

#include "book/message_flags.h"
#include "state_test_support.h"

namespace pel::testing {
namespace {

class FakeFolderView : public IRecentFolderHost {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        questions.push_back(text + "|" + caption + "|" + std::to_string(flags));
        return answer;
    }
    bool FolderExists(const std::string& folder) override { return existing.count(folder) != 0; }
    void ListFolderInLibrary(const std::string& folder) override { listed.push_back(folder); }
    void RebuildRecentFolderMenu(const std::vector<MenuEntry>& entries) override {
        menu = entries;
        ++rebuilds;
    }

    std::set<std::string> existing;
    int answer = kIdOk;
    std::vector<std::string> questions;
    std::vector<std::string> listed;
    std::vector<MenuEntry> menu;
    int rebuilds = 0;
};

class RecentFolders : public ::testing::TestWithParam<ProfileImplementation> {
protected:
    void SetUp() override {
        profile = GetParam().make();
        path = FreshPath("folders");
        config = std::make_unique<CConfigFile>(*profile, path);
        commands = std::make_unique<RecentFolderCommands>(*config, view);
    }
    // The file holds `text`; the view's folders exist and the list is loaded as at start-up.
    void Start(const std::string& text) {
        PutFile(path, text);
        for (const char* f : {"D:\\a", "D:\\b", "D:\\c", "D:\\d", "D:\\e", "D:\\小说"})
            view.existing.insert(f);
        commands->Load();
    }
    // The exit step, in a CConfigFile of its own as the exit handler has.
    void ExitAfterChoosing(const std::string& folder) {
        CConfigFile atExit(*profile, path);
        atExit.LoadRecentFolders();
        atExit.AddRecentFolder(folder);
    }
    std::string File() const { return GetFile(path); }

    std::unique_ptr<IProfile> profile;
    std::string path;
    FakeFolderView view;
    std::unique_ptr<CConfigFile> config;
    std::unique_ptr<RecentFolderCommands> commands;
};

const char* const kFour = "[File Dir]\r\nFileNum=4\r\n1=D:\\a\r\n2=D:\\b\r\n3=D:\\c\r\n4=D:\\d\r\n";
const char* const kFive =
    "[File Dir]\r\nFileNum=5\r\n1=D:\\a\r\n2=D:\\b\r\n3=D:\\c\r\n4=D:\\d\r\n5=D:\\e\r\n";

TEST_P(RecentFolders, SubmenuHasTheDigitABlankAndTheFolderUnderIdsFrom57617) {
    Start("[File Dir]\r\nFileNum=3\r\n1=D:\\小说\r\n2=D:\\b\r\n3=D:\\c\r\n");
    EXPECT_EQ(view.menu,
              (std::vector<MenuEntry>{{57617, "1 D:\\小说"}, {57618, "2 D:\\b"}, {57619, "3 D:\\c"}}));
    EXPECT_EQ(File(),
              "[File Dir]\r\nFileNum=3\r\n1=D:\\小说\r\n2=D:\\b\r\n3=D:\\c\r\n");  // loading writes nothing
}

TEST_P(RecentFolders, CountOutsideZeroToFiveIsClampedToTheFiveMenuIds) {
    Start("[File Dir]\r\nFileNum=12\r\n1=D:\\a\r\n2=D:\\b\r\n3=D:\\c\r\n4=D:\\d\r\n5=D:\\e\r\n6=D:\\f\r\n");
    EXPECT_EQ(config->FileNum(), 5);
    ASSERT_EQ(view.menu.size(), 5u);
    EXPECT_EQ(view.menu.back(), (MenuEntry{57621, "5 D:\\e"}));
    EXPECT_FALSE(commands->OnCommand(57622));  // beyond the five ids

    Start("[File Dir]\r\nFileNum=-3\r\n1=D:\\a\r\n");
    EXPECT_EQ(config->FileNum(), 0);
    EXPECT_TRUE(view.menu.empty());
}

TEST_P(RecentFolders, OpeningFolderThreeListsItAndMakesItTheFirst) {
    Start(kFour);
    EXPECT_TRUE(commands->OnCommand(57619));
    EXPECT_EQ(view.listed, std::vector<std::string>{"D:\\c"});
    EXPECT_EQ(File(), "[File Dir]\r\nFileNum=4\r\n1=D:\\c\r\n2=D:\\a\r\n3=D:\\b\r\n4=D:\\d\r\n");
    EXPECT_EQ(view.menu,
              (std::vector<MenuEntry>{
                  {57617, "1 D:\\c"}, {57618, "2 D:\\a"}, {57619, "3 D:\\b"}, {57620, "4 D:\\d"}}));
    EXPECT_TRUE(view.questions.empty());

    EXPECT_EQ(commands->Open(1), "D:\\c");  // the first stays where it is
    EXPECT_EQ(File(), "[File Dir]\r\nFileNum=4\r\n1=D:\\c\r\n2=D:\\a\r\n3=D:\\b\r\n4=D:\\d\r\n");
}

TEST_P(RecentFolders, MissingFolderIsOfferedForDeletionAndOkDeletesIt) {
    Start(kFour);
    view.existing.erase("D:\\b");
    EXPECT_EQ(commands->Open(2), "");
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0],
              "路径不存在！是否删除？|Pelinreader|" + std::to_string(kMbOkCancel | kMbIconExclamation));
    EXPECT_TRUE(view.listed.empty());
    // Keys 2..4 are written, the last one empty, and the count goes down.
    EXPECT_EQ(File(), "[File Dir]\r\nFileNum=3\r\n1=D:\\a\r\n2=D:\\c\r\n3=D:\\d\r\n4=\r\n");
    EXPECT_EQ(view.menu,
              (std::vector<MenuEntry>{{57617, "1 D:\\a"}, {57618, "2 D:\\c"}, {57619, "3 D:\\d"}}));
}

TEST_P(RecentFolders, CancelKeepsAMissingFolderListed) {
    Start(kFour);
    view.existing.clear();
    view.answer = kIdCancel;
    EXPECT_TRUE(commands->OnCommand(57620));
    EXPECT_EQ(File(), kFour);
    EXPECT_EQ(config->FileNum(), 4);
    EXPECT_TRUE(view.listed.empty());
}

TEST_P(RecentFolders, ClearWritesTheCountAndAllFiveKeysEmpty) {
    Start(kFive);
    EXPECT_TRUE(commands->OnCommand(kCmdClearRecentFolders));
    EXPECT_EQ(File(), "[File Dir]\r\nFileNum=\r\n1=\r\n2=\r\n3=\r\n4=\r\n5=\r\n");
    EXPECT_EQ(config->FileNum(), 0);
    EXPECT_TRUE(view.menu.empty());
    EXPECT_EQ(commands->Open(1), "");  // nothing left to open
}

TEST_P(RecentFolders, ClearOfAShortListCreatesTheMissingKeysEmpty) {
    Start("[File Dir]\r\nFileNum=2\r\n1=D:\\a\r\n2=D:\\b\r\n[Quote]\r\nRollType=1\r\n");
    commands->Clear();
    // A new key keeps the blank of its name until the file is next read in; only the last one written
    // still shows it. Every one of them reads back as its number.
    EXPECT_EQ(File(), "[File Dir]\r\nFileNum=\r\n1=\r\n2=\r\n3=\r\n4=\r\n5 =\r\n[Quote]\r\nRollType=1\r\n");
    ExitAfterChoosing("D:\\x");
    EXPECT_EQ(File(),
              "[File Dir]\r\nFileNum=1\r\n1=D:\\x\r\n2=\r\n3=\r\n4=\r\n5=\r\n[Quote]\r\nRollType=1\r\n");
}

TEST_P(RecentFolders, NewFolderAtExitWithFiveListedDropsTheFifthAndComesFirst) {
    Start(kFive);
    ExitAfterChoosing("E:\\新书");
    EXPECT_EQ(File(),
              "[File Dir]\r\nFileNum=5\r\n1=E:\\新书\r\n2=D:\\a\r\n3=D:\\b\r\n4=D:\\c\r\n5=D:\\d\r\n");
}

TEST_P(RecentFolders, NewFolderAtExitGoesInFrontOfAShorterList) {
    Start("[File Dir]\r\nFileNum=2\r\n1=D:\\a\r\n2=D:\\b\r\n");
    ExitAfterChoosing("D:\\new");
    EXPECT_EQ(File(), "[File Dir]\r\nFileNum=3\r\n1=D:\\new\r\n2=D:\\a\r\n3=D:\\b\r\n");

    const std::string empty = FreshPath("nofolders");
    CConfigFile first(*profile, empty);
    first.LoadRecentFolders();
    EXPECT_TRUE(first.AddRecentFolder("C:\\书库"));
    EXPECT_EQ(GetFile(empty), "[File Dir]\r\nFileNum=1\r\n1=C:\\书库\r\n");
}

TEST_P(RecentFolders, ListedFolderAtExitLeavesTheOrderAlone) {
    Start(kFour);
    ExitAfterChoosing("D:\\c");
    EXPECT_EQ(File(), kFour);
    ExitAfterChoosing("");  // no folder chosen in this run
    EXPECT_EQ(File(), kFour);
}

TEST_P(RecentFolders, ClearThenChoosingAFolderLeavesExactlyThatFolder) {
    Start(kFive);
    commands->Clear();
    ExitAfterChoosing("D:\\only");
    EXPECT_EQ(File(), "[File Dir]\r\nFileNum=1\r\n1=D:\\only\r\n2=\r\n3=\r\n4=\r\n5=\r\n");
    commands->Load();
    EXPECT_EQ(view.menu, (std::vector<MenuEntry>{{57617, "1 D:\\only"}}));
}

TEST_P(RecentFolders, FolderDeletedDuringTheRunLeavesNoEmptyEntryAtExit) {
    // The folder was chosen while four were listed; one of them was deleted before the exit.
    Start(kFour);
    view.existing.erase("D:\\d");
    commands->Open(4);
    ExitAfterChoosing("D:\\x");
    EXPECT_EQ(File(), "[File Dir]\r\nFileNum=4\r\n1=D:\\x\r\n2=D:\\a\r\n3=D:\\b\r\n4=D:\\c\r\n");
    commands->Load();
    for (const MenuEntry& entry : view.menu) EXPECT_GT(entry.text.size(), 2u) << entry.id;
}

INSTANTIATE_TEST_SUITE_P(Store, RecentFolders, ::testing::ValuesIn(ProfileImplementations()),
                         [](const ::testing::TestParamInfo<ProfileImplementation>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace pel::testing

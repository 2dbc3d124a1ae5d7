// The context-menu verb against a scratch key under HKEY_CURRENT_USER standing in for HKEY_CLASSES_ROOT.
#include "shell/association.h"

#include <gtest/gtest.h>

#include "framework/handles.h"
#include "message_box_catcher.h"

namespace {

constexpr char kScratch[] = "Software\\PelinreaderTest";
constexpr char kProgram[] = "C:\\Program Files\\Pelin 阅读器\\Pelinreader.exe";

class TxtAssociationTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        root_.reset(key);
        // The system's own file type is there before the program adds anything to it.
        HKEY shell = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root(), "txtfile\\shell\\open", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &shell, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(shell);
    }
    void TearDown() override {
        root_.reset();
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    }
    HKEY root() const { return root_.get(); }

    bool KeyExists(const char* path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root(), path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    std::string DefaultValue(const char* path) const {
        char buffer[1024] = {};
        DWORD size = sizeof buffer - 1, type = 0;
        if (RegGetValueA(root(), path, nullptr, RRF_RT_ANY, &type, buffer, &size) != ERROR_SUCCESS)
            return "<none>";
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        return buffer;
    }
    void WriteDefault(const char* path, const char* value) const {
        ASSERT_EQ(
            RegSetKeyValueA(root(), path, nullptr, REG_SZ, value, static_cast<DWORD>(strlen(value) + 1)),
            ERROR_SUCCESS);
    }

    fw::UniqueKey root_;
};

TEST(TxtVerbCommandTest, QuotesTheProgramPathAndThePlaceholder) {
    EXPECT_EQ(TxtVerbCommand(kProgram), "\"C:\\Program Files\\Pelin 阅读器\\Pelinreader.exe\" \"%1\"");
    EXPECT_EQ(TxtVerbCommand("D:\\r.exe"), "\"D:\\r.exe\" \"%1\"");
}

TEST(TxtVerbCommandTest, ProgramFilePathIsTheRunningModule) {
    std::string path = ProgramFilePath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(path.substr(path.size() - 4), ".exe");
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(TxtAssociationTest, FlagAtStartUpMirrorsTheVerbKey) {
    CTxtAssociation absent(root());
    absent.ReadFlag();
    EXPECT_EQ(absent.Flag(), 0);

    // A verb left behind without its command subkey still counts as present.
    WriteDefault(kTxtVerbKey, kTxtVerbText);
    CTxtAssociation present(root());
    present.ReadFlag();
    EXPECT_EQ(present.Flag(), 1);
    fw::CommandUI ui;
    ui.id = 32855;
    present.OnUpdateToggle(ui);
    EXPECT_EQ(ui.check, 1);
}

TEST_F(TxtAssociationTest, AddWritesTheEntryTextAndTheCommand) {
    CTxtAssociation association(root());
    association.ReadFlag();
    EXPECT_STREQ(association.Toggle(kProgram), "关联TXT右键成功！");
    EXPECT_EQ(association.Flag(), 1);
    EXPECT_EQ(DefaultValue(kTxtVerbKey), "用Pelin阅读器打开");
    EXPECT_EQ(DefaultValue(kTxtVerbCommandKey), TxtVerbCommand(kProgram));
    EXPECT_TRUE(KeyExists("txtfile\\shell\\open"));

    // The next start finds the entry at once.
    CTxtAssociation nextRun(root());
    nextRun.ReadFlag();
    EXPECT_EQ(nextRun.Flag(), 1);
}

TEST_F(TxtAssociationTest, AddOverExistingKeysRewritesBothValues) {
    WriteDefault(kTxtVerbKey, "old text");
    WriteDefault(kTxtVerbCommandKey, "C:\\moved\\Pelinreader.exe %1");
    CTxtAssociation association(root());  // flag 0: the earlier run's entry was never read
    EXPECT_STREQ(association.Toggle(kProgram), "关联TXT右键成功！");
    EXPECT_EQ(DefaultValue(kTxtVerbKey), kTxtVerbText);
    EXPECT_EQ(DefaultValue(kTxtVerbCommandKey), TxtVerbCommand(kProgram));
}

TEST_F(TxtAssociationTest, RemoveDeletesTheVerbAndLeavesTheFileType) {
    CTxtAssociation association(root());
    association.Toggle(kProgram);
    EXPECT_STREQ(association.Toggle(kProgram), "删除TXT右键成功！");
    EXPECT_EQ(association.Flag(), 0);
    EXPECT_FALSE(KeyExists(kTxtVerbKey));
    EXPECT_TRUE(KeyExists("txtfile\\shell\\open"));
    fw::CommandUI ui;
    association.OnUpdateToggle(ui);
    EXPECT_EQ(ui.check, 0);
}

TEST_F(TxtAssociationTest, RemoveOfAVerbWithoutCommandStillDeletesIt) {
    WriteDefault(kTxtVerbKey, kTxtVerbText);
    CTxtAssociation association(root());
    association.ReadFlag();
    EXPECT_STREQ(association.Toggle(kProgram), "删除TXT右键成功！");
    EXPECT_FALSE(KeyExists(kTxtVerbKey));
}

TEST_F(TxtAssociationTest, FailuresKeepTheFlag) {
    // The verb vanished behind the program's back: nothing to delete.
    CTxtAssociation association(root());
    association.Toggle(kProgram);
    RegDeleteTreeA(root(), "txtfile\\shell\\Pelin阅读器");
    EXPECT_STREQ(association.Toggle(kProgram), "删除TXT右键失败！");
    EXPECT_EQ(association.Flag(), 1);

    // A key of someone else's below the verb keeps it from being deleted.
    CTxtAssociation crowded(root());
    crowded.Toggle(kProgram);
    WriteDefault("txtfile\\shell\\Pelin阅读器\\ddeexec", "x");
    EXPECT_STREQ(crowded.Toggle(kProgram), "删除TXT右键失败！");
    EXPECT_EQ(crowded.Flag(), 1);
    EXPECT_TRUE(KeyExists(kTxtVerbKey));
    EXPECT_FALSE(KeyExists(kTxtVerbCommandKey));

    // Without a program path there is no command worth writing.
    RegDeleteTreeA(root(), "txtfile\\shell\\Pelin阅读器");
    CTxtAssociation nameless(root());
    EXPECT_STREQ(nameless.Toggle(""), "关联TXT右键失败！");
    EXPECT_EQ(nameless.Flag(), 0);
    EXPECT_FALSE(KeyExists(kTxtVerbCommandKey));
}

TEST_F(TxtAssociationTest, AddRefusedByTheRegistryReportsFailure) {
    // A volatile verb key cannot hold the lasting command key: the registry refuses it.
    HKEY verb = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root(), kTxtVerbKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              &verb, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(verb);
    CTxtAssociation association(root());
    EXPECT_STREQ(association.Toggle(kProgram), "关联TXT右键失败！");
    EXPECT_EQ(association.Flag(), 0);
    EXPECT_FALSE(KeyExists(kTxtVerbCommandKey));
}

TEST_F(TxtAssociationTest, CommandTellsTheReaderAndPointsAtTheRunningProgram) {
    CTxtAssociation association(root());
    {
        MessageBoxCatcher catcher(IDOK);
        association.OnToggleCommand(nullptr);
        EXPECT_TRUE(catcher.box.seen);
        EXPECT_EQ(catcher.box.text, "关联TXT右键成功！");
        EXPECT_TRUE(catcher.box.hasOk);
        EXPECT_FALSE(catcher.box.hasCancel);
    }
    std::string expected = "\"";
    expected += ProgramFilePath();
    expected += "\" \"%1\"";
    EXPECT_EQ(DefaultValue(kTxtVerbCommandKey), expected);
    {
        MessageBoxCatcher catcher(IDOK);
        association.OnToggleCommand(nullptr);
        EXPECT_EQ(catcher.box.text, "删除TXT右键成功！");
    }
    EXPECT_EQ(association.Flag(), 0);
}

}  // namespace

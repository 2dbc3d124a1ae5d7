// Member book paths, the names shown and extracted, and the checks on paths going into a command line.
#include "archive/archive_paths.h"

#include <gtest/gtest.h>

namespace pel {
namespace {

// "墊" ends in the byte 0x5C ('\') and "億" in 0x7C ('|') in CP936.
constexpr char kBackslashTrail[] = "墊";
constexpr char kBarTrail[] = "億";

TEST(MemberBookPath, SplitsAtTheFirstBarAndJoinsBack) {
    std::string archive, member;
    ASSERT_TRUE(SplitMemberBookPath("D:\\书 库\\合集.rar|卷一\\第1部.txt", archive, member));
    EXPECT_EQ(archive, "D:\\书 库\\合集.rar");
    EXPECT_EQ(member, "卷一\\第1部.txt");
    EXPECT_EQ(MemberBookPath(archive, member), "D:\\书 库\\合集.rar|卷一\\第1部.txt");

    EXPECT_FALSE(SplitMemberBookPath("D:\\书\\a.txt", archive, member));
    ASSERT_TRUE(SplitMemberBookPath("a.zip|", archive, member));
    EXPECT_EQ(member, "");
}

TEST(MemberBookPath, ABarByteInsideAChineseCharacterIsNoSeparator) {
    const std::string archive = std::string("D:\\") + kBarTrail + "万.zip";
    std::string a, m;
    ASSERT_TRUE(SplitMemberBookPath(archive + "|" + kBarTrail + ".txt", a, m));
    EXPECT_EQ(a, archive);
    EXPECT_EQ(m, std::string(kBarTrail) + ".txt");
}

TEST(MemberFileName, IsThePartAfterTheLastBackslashOrBar) {
    EXPECT_EQ(MemberFileName("卷一\\第二卷\\正文.txt"), "正文.txt");
    EXPECT_EQ(MemberFileName("正文.txt"), "正文.txt");
    EXPECT_EQ(MemberFileName("a|b.txt"), "b.txt");
    EXPECT_EQ(MemberFileName("卷一\\"), "");
    // A trail byte equal to '\' or '|' stays inside its character.
    EXPECT_EQ(MemberFileName(std::string("卷\\") + kBackslashTrail + "子.txt"),
              std::string(kBackslashTrail) + "子.txt");
    EXPECT_EQ(MemberFileName(std::string(kBarTrail) + "年.txt"), std::string(kBarTrail) + "年.txt");
}

TEST(ExtractorPath, FolderIsCutBeforeTheLastBackslashAndDriveIsTheFirstCharacter) {
    EXPECT_EQ(ExtractorFolderOf("C:\\Program Files\\HaoZip\\HaoZipC.exe"), "C:\\Program Files\\HaoZip");
    EXPECT_EQ(ExtractorFolderOf("HaoZipC.exe"), "");
    EXPECT_EQ(ExtractorFolderOf(std::string("E:\\") + kBackslashTrail + "\\HaoZipC.exe"),
              std::string("E:\\") + kBackslashTrail);
    EXPECT_EQ(ExtractorFolderOf(std::string("E:\\") + kBackslashTrail + "HaoZipC.exe"), "E:");
    EXPECT_EQ(ExtractorDriveOf("d:\\program files\\haozip\\haozipc.exe"), "d");
    EXPECT_EQ(ExtractorDriveOf(""), "");
    EXPECT_EQ(ExtractorDriveOf("好压\\HaoZipC.exe"), "好");
}

TEST(JoinPath, AddsABackslashOnlyWhenTheFolderHasNone) {
    EXPECT_EQ(JoinPath("C:\\HaoZip", "HaoZipC.exe"), "C:\\HaoZip\\HaoZipC.exe");
    EXPECT_EQ(JoinPath("C:\\", "HaoZipC.exe"), "C:\\HaoZipC.exe");
    // The folder ends in a character whose trail byte is 0x5C, not in a backslash.
    EXPECT_EQ(JoinPath(std::string("C:\\") + kBackslashTrail, "a"),
              std::string("C:\\") + kBackslashTrail + "\\a");
}

TEST(CommandLineSafety, RefusesQuotesControlBytesAndPercentPairs) {
    EXPECT_TRUE(IsSafeForCommandLine("D:\\My Books\\小说 合集 (1).rar"));
    EXPECT_TRUE(IsSafeForCommandLine("D:\\100%好书.zip"));
    EXPECT_TRUE(IsSafeForCommandLine("D:\\a&b^c!.zip"));  // literal between quotes
    EXPECT_TRUE(IsSafeForCommandLine(std::string("D:\\") + kBackslashTrail + kBarTrail + ".7z"));
    EXPECT_FALSE(IsSafeForCommandLine(""));
    EXPECT_FALSE(IsSafeForCommandLine("a\" & del /q C:\\*.* & \".txt"));
    EXPECT_FALSE(IsSafeForCommandLine("%USERPROFILE%\\a.txt"));
    EXPECT_FALSE(IsSafeForCommandLine("a\r\nb.txt"));
    EXPECT_FALSE(IsSafeForCommandLine(std::string("a\tb.txt")));
}

TEST(MemberPathSafety, AcceptsFoldersSpacesAndChineseNames) {
    EXPECT_TRUE(IsSafeMemberPath("正文.txt"));
    EXPECT_TRUE(IsSafeMemberPath("第一部 上\\卷 一\\第1章 开始.txt"));
    EXPECT_TRUE(IsSafeMemberPath("..a\\b..\\...txt"));  // dots inside names are no parent folder
    EXPECT_TRUE(IsSafeMemberPath(std::string(kBackslashTrail) + "\\" + kBarTrail + ".txt"));
    EXPECT_TRUE(IsSafeMemberPath("50%折扣.txt"));
}

TEST(MemberPathSafety, RefusesEverythingThatCouldLeaveTempOrTheQuotes) {
    EXPECT_FALSE(IsSafeMemberPath("..\\..\\Windows\\evil.txt"));
    EXPECT_FALSE(IsSafeMemberPath("卷一\\..\\..\\evil.txt"));
    EXPECT_FALSE(IsSafeMemberPath(".."));
    EXPECT_FALSE(IsSafeMemberPath("../evil.txt"));
    EXPECT_FALSE(IsSafeMemberPath("\\Windows\\evil.txt"));
    EXPECT_FALSE(IsSafeMemberPath("C:\\evil.txt"));
    EXPECT_FALSE(IsSafeMemberPath("a.txt:stream"));
    EXPECT_FALSE(IsSafeMemberPath("a|b.txt"));
    EXPECT_FALSE(IsSafeMemberPath("*.txt"));
    EXPECT_FALSE(IsSafeMemberPath("a?.txt"));
    EXPECT_FALSE(IsSafeMemberPath("<a>.txt"));
    EXPECT_FALSE(IsSafeMemberPath("say \"hi\".txt"));
    EXPECT_FALSE(IsSafeMemberPath("%a%.txt"));
    EXPECT_FALSE(IsSafeMemberPath("卷一\\"));
    EXPECT_FALSE(IsSafeMemberPath(""));
}

TEST(MemberPathSafety, RefusesDeviceNamesAndNamesWindowsWouldTrim) {
    for (const char* name : {"CON.txt", "卷一\\con.txt", "Nul", "aux.tar.txt", "PRN .txt", "COM1.txt",
                             "lpt9.txt", "conout$.txt", "书.txt.", "书.txt "})
        EXPECT_FALSE(IsSafeMemberPath(name)) << name;
    for (const char* name : {"CONTENTS.txt", "console.txt", "COM10.txt", "COM0.txt", "LPT.txt",
                             "卷一\\NUL书.txt", "CON\\正文.txt"})
        EXPECT_TRUE(IsSafeMemberPath(name)) << name;
}

}  // namespace
}  // namespace pel

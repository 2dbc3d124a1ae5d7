// The exact command lines handed to the interpreter.
#include "archive/command_lines.h"

#include <gtest/gtest.h>

namespace pel {
namespace {

TEST(ListingCommandLine, ChangesToTheExtractorFolderAndRedirectsIntoTheListFile) {
    EXPECT_EQ(ListingCommandLine("C:\\Program Files\\HaoZip\\HaoZipC.exe", "D:\\小说 合集\\金庸 全集.rar",
                                 "E:\\Pelin 阅读器\\"),
              "cmd.exe /D /C C:& cd \"C:\\Program Files\\HaoZip\"& haozipc l \"D:\\小说 合集\\金庸 全集.rar\""
              " -y -r0 *.txt >\"E:\\Pelin 阅读器\\temp\\rarlist.txt\"");
}

TEST(ExtractionCommandLine, PassesTheWholeMemberPathAndTheWorkFolderWithoutItsBackslash) {
    EXPECT_EQ(ExtractionCommandLine("d:\\program files\\haozip\\haozipc.exe", "C:\\书\\a b.zip",
                                    "第一卷\\第 1 章.txt", "C:\\Pelin\\"),
              "cmd.exe /D /C d:& cd \"d:\\program files\\haozip\"& haozipc e \"C:\\书\\a b.zip\" -y"
              " -o\"C:\\Pelin\\temp\" \"第一卷\\第 1 章.txt\"");
}

TEST(CommandLines, AnExtractorWithoutFolderChangesToAnEmptyFolder) {
    EXPECT_EQ(ListingCommandLine("HaoZipC.exe", "a.7z", "C:\\p\\"),
              "cmd.exe /D /C H:& cd \"\"& haozipc l \"a.7z\" -y -r0 *.txt >\"C:\\p\\temp\\rarlist.txt\"");
}

TEST(WorkFolder, HoldsTheListFileAndEveryExtractedMemberUnderItsBareName) {
    EXPECT_EQ(WorkFolderOf("C:\\Pelin\\"), "C:\\Pelin\\temp");
    EXPECT_EQ(ListFilePathOf("C:\\Pelin\\"), "C:\\Pelin\\temp\\rarlist.txt");
    EXPECT_EQ(ExtractedMemberPath("C:\\Pelin\\", "卷一\\正文.txt"), "C:\\Pelin\\temp\\正文.txt");
    EXPECT_EQ(ExtractedMemberPath("C:\\Pelin\\", "卷二\\正文.txt"), "C:\\Pelin\\temp\\正文.txt");
}

}  // namespace
}  // namespace pel

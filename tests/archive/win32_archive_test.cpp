// The driver on Windows: the real command interpreter runs a stand-in HaoZipC.exe from a folder with
// blanks and Chinese characters, on another drive than the archives and the program folder.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "archive/win32_archive_platform.h"
#include "archive_doubles.h"

namespace pel {
namespace {

std::string ModuleFolder() {
    char path[MAX_PATH * 2] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

class Win32ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        const std::string run = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
        // The extractor on the system drive, the program folder and the archives beside the test program.
        toolFolder = std::string(temp) + "好压 工具 " + run;
        programDir = ModuleFolder() + "程序 目录 " + run + "\\";
        books = ModuleFolder() + "书 库 " + run + "\\";
        ASSERT_TRUE(CreateDirectoryA(toolFolder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(programDir.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(books.c_str(), nullptr));
        extractor = toolFolder + "\\HaoZipC.exe";
        ASSERT_TRUE(CopyFileA((ModuleFolder() + "HaoZipC.exe").c_str(), extractor.c_str(), FALSE));
        profile.values[{"Check", "HaoZpath"}] = extractor;
    }
    void TearDown() override {
        for (std::string folder : {toolFolder, programDir, books}) {
            if (!folder.empty() && folder.back() == '\\') folder.pop_back();
            if (!folder.empty()) RemoveTree(folder);
        }
    }

    testing::MemoryProfile profile;
    Win32ArchiveFiles files;
    Win32ProcessRunner runner;
    testing::RecordingHost host;
    std::string toolFolder, programDir, books, extractor;
};

TEST_F(Win32ArchiveTest, ListsAndExtractsThroughTheCommandInterpreter) {
    const std::string archive = books + "金庸 全集.rar";
    Put(archive,
        "第一卷\\第1章 开始.txt\t第一章的正文\r\n"
        "封面.jpg\tJFIF\r\n"
        "番外 合集.TXT\t番外的正文\r\n"
        "..\\..\\逃出.txt\t不该出现\r\n");
    CArchiveDriver driver(profile, programDir + "Config.ini", programDir, files, runner, host);
    driver.LocateExtractor();
    ASSERT_EQ(driver.ExtractorPath(), extractor);

    ASSERT_TRUE(driver.ListArchive(archive)) << (host.messages.empty() ? "" : host.messages[0]);
    EXPECT_EQ(host.messages, std::vector<std::string>{"压缩包中有1个txt文件的文件名不安全，未列出！"});
    ASSERT_EQ(driver.MemberCount(), 2);
    EXPECT_EQ(driver.Members()[0].path, "第一卷\\第1章 开始.txt");
    EXPECT_EQ(driver.Members()[0].displayName, "第1章 开始.txt");
    EXPECT_EQ(driver.Members()[1].path, "番外 合集.TXT");
    EXPECT_NE(Slurp(programDir + "temp\\rarlist.txt").find("日期      时间"), std::string::npos);

    host.messages.clear();
    const std::string book = driver.MemberBookPathAt(0);
    ASSERT_TRUE(driver.ExtractArchiveMember(book)) << (host.messages.empty() ? "" : host.messages[0]);
    EXPECT_EQ(driver.ExtractedPathOf(book), programDir + "temp\\第1章 开始.txt");
    EXPECT_EQ(Slurp(driver.ExtractedPathOf(book)), "第一章的正文");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Win32ArchiveTest, TheWaitLastsAsLongAsTheExtractorWorks) {
    const std::string archive = books + "慢.7z";
    Put(archive, "#sleep 1500\r\n正文.txt\t慢慢写出\r\n");
    CArchiveDriver driver(profile, programDir + "Config.ini", programDir, files, runner, host);
    driver.LocateExtractor();
    const DWORD start = GetTickCount();
    ASSERT_TRUE(driver.ExtractArchiveMember(archive + "|正文.txt"));
    EXPECT_GE(GetTickCount() - start, 1400u);
    EXPECT_EQ(Slurp(programDir + "temp\\正文.txt"), "慢慢写出");
}

TEST_F(Win32ArchiveTest, AMissingMemberIsReportedAndNoOldCopyIsLeftToOpen) {
    const std::string archive = books + "空.zip";
    Put(archive, "别的.txt\tx\r\n");
    ASSERT_TRUE(files.CreateFolder(programDir + "temp"));
    ASSERT_TRUE(files.CreateFolder(programDir + "temp"));  // an existing folder is no error
    Put(programDir + "temp\\正文.txt", "an earlier archive's member");
    CArchiveDriver driver(profile, programDir + "Config.ini", programDir, files, runner, host);
    driver.LocateExtractor();
    EXPECT_FALSE(driver.ExtractArchiveMember(archive + "|正文.txt"));
    EXPECT_EQ(host.messages, std::vector<std::string>{"文件解压失败！"});
    EXPECT_FALSE(files.FileExists(programDir + "temp\\正文.txt"));
}

TEST(Win32ArchiveFilesTest, FoldersAreNoFilesAndMissingFilesRemoveFine) {
    Win32ArchiveFiles files;
    EXPECT_FALSE(files.FileExists(ModuleFolder()));
    EXPECT_FALSE(files.FileExists(ModuleFolder() + "不存在.txt"));
    EXPECT_TRUE(files.RemoveFile(ModuleFolder() + "不存在.txt"));
    std::string bytes = "x";
    EXPECT_FALSE(files.ReadAll(ModuleFolder() + "不存在.txt", bytes));
}

}  // namespace
}  // namespace pel

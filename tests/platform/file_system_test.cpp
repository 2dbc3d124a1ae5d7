// The platform's file functions on real files in a scratch folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/system_code_page.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace pel {
namespace {

namespace fs = std::filesystem;

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("pel_fs_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
#ifdef _WIN32
        for (const auto& entry : fs::recursive_directory_iterator(dir, ec)) {
            SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
#endif
        for (const auto& entry : fs::recursive_directory_iterator(dir, ec)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::remove_all(dir, ec);
    }
    // Path as the program passes it: narrow bytes (CP936 names on Windows).
    std::string Write(const std::string& name, const std::string& bytes) {
#ifdef _WIN32
        const std::string path = dir.string() + "\\" + name;
#else
        const std::string path = dir.string() + "/" + name;
#endif
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    fs::path dir;
    testing::SystemFileSystem files;
};

TEST_F(FileSystemTest, ReadsAWholeFile) {
    std::string bytes(3 << 20, 'x');
    for (std::size_t i = 0; i < bytes.size(); i += 4093) bytes[i] = static_cast<char>(i & 0xFF);
    const std::string path = Write("book.txt", bytes);
    EXPECT_TRUE(files.CanOpenForReading(path));
    EXPECT_TRUE(files.CanOpenExclusive(path));
    std::uint64_t size = 0;
    ASSERT_TRUE(files.FileSize(path, size));
    EXPECT_EQ(size, bytes.size());
    std::string read;
    ASSERT_TRUE(files.ReadAll(path, read));
    EXPECT_EQ(read, bytes);
}

TEST_F(FileSystemTest, ChineseFileNames) {
    const std::string path = Write("第一卷.txt", "中文");
    std::string read;
    ASSERT_TRUE(files.ReadAll(path, read));
    EXPECT_EQ(read, "中文");
    EXPECT_TRUE(files.CanOpenExclusive(path));
}

TEST_F(FileSystemTest, MissingFilesAndFoldersAreNotBooks) {
    const std::string missing = (dir / "missing.txt").string();
    EXPECT_FALSE(files.CanOpenForReading(missing));
    EXPECT_FALSE(files.CanOpenExclusive(missing));
    std::uint64_t size = 0;
    EXPECT_FALSE(files.FileSize(missing, size));
    std::string read = "stale";
    EXPECT_FALSE(files.ReadAll(missing, read));
    EXPECT_FALSE(files.CanOpenExclusive(dir.string()));
}

TEST_F(FileSystemTest, ReadOnlyFilesAreNotOursToOpen) {
    const std::string path = Write("ro.txt", "abc");
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
#else
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
#endif
    EXPECT_TRUE(files.CanOpenForReading(path));
    EXPECT_FALSE(files.CanOpenExclusive(path));
    std::string read;
    EXPECT_TRUE(files.ReadAll(path, read));
    EXPECT_EQ(read, "abc");
}

TEST_F(FileSystemTest, ReadsTheStartOfAFile) {
    const std::string path = Write("book.txt", "0123456789");
    std::string read;
    ASSERT_TRUE(files.ReadPrefix(path, 4, read));
    EXPECT_EQ(read, "0123");
    ASSERT_TRUE(files.ReadPrefix(path, 40, read));
    EXPECT_EQ(read, "0123456789");
    EXPECT_FALSE(files.ReadPrefix((dir / "missing.txt").string(), 4, read));
}

// Names of the files in the scratch folder, to see that no temporary file is left behind.
std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(FileSystemTest, ReplacesAFileWholeWithThePiecesJoined) {
    const std::string path = Write("第一卷.txt", std::string(100000, 'x'));
    const std::string big(3 << 20, 'y');
    FileError error = FileError::kGeneric;
    ASSERT_TRUE(files.WriteAllReplacing(path, {"前", big, "", "后"}, error));
    EXPECT_EQ(error, FileError::kNone);
    EXPECT_EQ(ReadFile(path), "前" + big + "后");
    EXPECT_EQ(Names(dir).size(), 1u);

    // A missing file in an existing folder is created.
    const std::string fresh = (dir / "new.txt").string();
    ASSERT_TRUE(files.WriteAllReplacing(fresh, {"abc"}, error));
    EXPECT_EQ(ReadFile(fresh), "abc");
    EXPECT_EQ(Names(dir).size(), 2u);
}

TEST_F(FileSystemTest, ARefusedWriteLeavesTheFileAsItWas) {
    const std::string path = Write("ro.txt", "原文");
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
#else
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
#endif
    FileError error = FileError::kNone;
    EXPECT_FALSE(files.WriteAllReplacing(path, {"新的"}, error));
    EXPECT_EQ(error, FileError::kAccessDenied);
    EXPECT_EQ(ReadFile(path), "原文");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"ro.txt"});

    // A folder is no file to write, and a missing folder makes a bad path.
    EXPECT_FALSE(files.WriteAllReplacing(dir.string(), {"x"}, error));
    EXPECT_EQ(error, FileError::kAccessDenied);
    EXPECT_FALSE(files.WriteAllReplacing((dir / "no" / "b.txt").string(), {"x"}, error));
    EXPECT_EQ(error, FileError::kBadPath);
}

#ifdef _WIN32
TEST_F(FileSystemTest, AFileHeldByAnotherProgramIsNotReplaced) {
    const std::string path = Write("busy.txt", "abc");
    HANDLE held =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FileError error = FileError::kNone;
    EXPECT_FALSE(files.WriteAllReplacing(path, {"xyz"}, error));
    EXPECT_EQ(error, FileError::kSharingViolation);
    CloseHandle(held);
    EXPECT_EQ(ReadFile(path), "abc");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"busy.txt"});
}

TEST_F(FileSystemTest, AnArchiveMemberPathIsABadPath) {
    FileError error = FileError::kNone;
    EXPECT_FALSE(files.WriteAllReplacing(dir.string() + "\\a.rar|b.txt", {"x"}, error));
    EXPECT_EQ(error, FileError::kBadPath);
}

TEST_F(FileSystemTest, AFileInUseIsNotOursToOpen) {
    const std::string path = Write("busy.txt", "abc");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.CanOpenExclusive(path));
    CloseHandle(held);
    EXPECT_TRUE(files.CanOpenExclusive(path));
}
#endif

}  // namespace
}  // namespace pel

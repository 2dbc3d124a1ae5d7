// The platform's file functions on real files in a scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

#ifdef _WIN32
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

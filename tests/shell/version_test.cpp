// The version resource of the program: the numbers of the VERSION file at the top of the tree, as the fixed
// file and product version and as the two version strings, and the description Explorer shows.
#include <windows.h>
// The header below needs windows.h first.
#include <gtest/gtest.h>
#include <winver.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Version {
    unsigned major = 0, minor = 0, patch = 0;
};

// The VERSION file as the package script reads it: the first line, MAJOR.MINOR.PATCH.
bool ReadVersionFile(Version& v) {
    std::ifstream in(PEL_VERSION_FILE);
    std::string line;
    if (!std::getline(in, line)) return false;
    char rest = 0;
    return std::sscanf(line.c_str(), "%u.%u.%u%c", &v.major, &v.minor, &v.patch, &rest) == 3;
}

class VersionResourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ReadVersionFile(expected)) << "cannot read " << PEL_VERSION_FILE;
        char path[MAX_PATH] = {};
        ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(path, &handle);
        ASSERT_GT(size, 0u) << "no version resource";
        block.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
    }

    std::string String(const char* name) {
        char* value = nullptr;
        UINT len = 0;
        std::string key = std::string("\\StringFileInfo\\080404b0\\") + name;
        if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &len) || !value)
            return "<missing>";
        return value;
    }

    Version expected;
    std::vector<char> block;
};

TEST_F(VersionResourceTest, NumbersComeFromTheVersionFile) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD ms = MAKELONG(expected.minor, expected.major);
    const DWORD ls = MAKELONG(0, expected.patch);
    EXPECT_EQ(fixed->dwFileVersionMS, ms);
    EXPECT_EQ(fixed->dwFileVersionLS, ls);
    EXPECT_EQ(fixed->dwProductVersionMS, ms);
    EXPECT_EQ(fixed->dwProductVersionLS, ls);

    const std::string text = std::to_string(expected.major) + "." + std::to_string(expected.minor) + "." +
                             std::to_string(expected.patch) + ".0";
    EXPECT_EQ(String("FileVersion"), text);
    EXPECT_EQ(String("ProductVersion"), text);
}

TEST_F(VersionResourceTest, DescribesTheProgram) {
    EXPECT_EQ(String("FileDescription"), "Pelin阅读器");
    EXPECT_EQ(String("ProductName"), "Pelinreader");
    EXPECT_EQ(String("OriginalFilename"), "Pelinreader.exe");
}

}  // namespace

// File names and titles taken from CP936 paths.
#include <gtest/gtest.h>

#include "book/reader.h"
#include "support/bytes.h"

namespace pel {
namespace {

using testing::Bytes;

TEST(BookNamesTest, AGbkTrailByteIsNeverTakenForASeparator) {
    // 95 5C and 81 7C are double-byte characters whose trail bytes are '\' and '|'.
    const std::string name = Bytes({0x95, 0x5C}) + "卷" + Bytes({0x81, 0x7C}) + ".txt";
    EXPECT_EQ(FileNameOf("D:\\书\\" + name), name);
    EXPECT_EQ(BookTitleOf("D:\\书\\" + name), name.substr(0, name.size() - 4));
    EXPECT_EQ(FileNameOf("D:\\a.rar|" + name), name);
    EXPECT_EQ(FindLastOf("a\\b|c", "\\|"), 3u);
    EXPECT_EQ(FindLastOf(Bytes({0x95, 0x5C}), "\\"), std::string_view::npos);
    EXPECT_EQ(FindFirstOf("a|b|c", "|"), 1u);
    EXPECT_EQ(FindFirstOf(Bytes({0x81, 0x7C}) + "|x", "|"), 2u);
    EXPECT_EQ(FindFirstOf(Bytes({0x81, 0x7C}), "|"), std::string_view::npos);
}

}  // namespace
}  // namespace pel

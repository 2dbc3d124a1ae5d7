#include "ui/library_text.h"

#include <gtest/gtest.h>

namespace {

TEST(LibraryTip, SizeTextsAtTheirBoundaries) {
    EXPECT_EQ(LibrarySizeText(0), "0 B");
    EXPECT_EQ(LibrarySizeText(1023), "1023 B");
    EXPECT_EQ(LibrarySizeText(1024), "1.0 KB");
    EXPECT_EQ(LibrarySizeText(1048575), "1024.0 KB");
    EXPECT_EQ(LibrarySizeText(1048576), "1.00 MB");
    EXPECT_EQ(LibrarySizeText(150ULL << 20), "150.00 MB");
    EXPECT_EQ(LibraryTipText("a.txt", "C:\\书", "1 B"), "小说：a.txt\n位置：C:\\书\n大小：1 B");
}

TEST(LibraryTip, FolderPartSkipsTrailBytesThatLookLikeSeparators) {
    EXPECT_EQ(LibraryFolderPart("C:\\books\\a.txt"), "C:\\books");
    EXPECT_EQ(LibraryFolderPart("C:\\x.rar|dir\\a.txt"), "C:\\x.rar|dir");
    EXPECT_EQ(LibraryFolderPart("C:\\x.rar|a.txt"), "C:\\x.rar|");
    EXPECT_EQ(LibraryFolderPart("a.txt"), "");
    // 0xD5 0x5C is one character whose second byte equals '\'.
    EXPECT_EQ(LibraryFolderPart("C:\\\xD5\x5C.txt"), "C:");
}

}  // namespace

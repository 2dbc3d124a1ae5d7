// The list file of "haozipc l": members between the separators, folders and other files left out.
#include "archive/listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listing_samples.h"

namespace pel {
namespace {

using testing::kSeparator;
using testing::kSummary;
using testing::Listing;
using testing::MemberLine;

TEST(ListingLayout, ColumnsAndHeaderHaveTheExtractorsWidths) {
    EXPECT_EQ(std::string(kListingHeader).size(), 54u);
    EXPECT_EQ(kSeparator.size(), 77u);
    EXPECT_EQ(MemberLine("").size(), kListingColumns);
}

TEST(ParseArchiveListing, TakesTheMemberPathsInListingOrder) {
    const ArchiveListing listing = ParseArchiveListing(Listing({
        MemberLine("第一卷\\第1章 开始.txt"),
        MemberLine("第一卷", "D...."),
        MemberLine("封面.jpg"),
        MemberLine("README.TXT"),
        MemberLine("番外 合集.txt"),
        MemberLine("卷二/正文.txt"),
    }));
    ASSERT_EQ(listing.status, ArchiveListing::Status::kListed);
    EXPECT_EQ(listing.members, (std::vector<std::string>{"第一卷\\第1章 开始.txt", "README.TXT",
                                                         "番外 合集.txt", "卷二\\正文.txt"}));
    EXPECT_FALSE(listing.truncated);
    EXPECT_EQ(listing.unsafeMembers, 0);
}

TEST(ParseArchiveListing, AnArchiveWithoutTextFilesIsListedEmpty) {
    const ArchiveListing listing = ParseArchiveListing(Listing({}));
    EXPECT_EQ(listing.status, ArchiveListing::Status::kListed);
    EXPECT_TRUE(listing.members.empty());
}

TEST(ParseArchiveListing, WithoutTheHeaderBeforeTheFirstZeroByteItIsNoListing) {
    EXPECT_EQ(ParseArchiveListing("'haozipc' is not recognized as a command\r\n").status,
              ArchiveListing::Status::kNotListing);
    EXPECT_EQ(ParseArchiveListing("").status, ArchiveListing::Status::kNotListing);
    std::string afterZero = std::string("x\0y", 3) + Listing({MemberLine("a.txt")});
    EXPECT_EQ(ParseArchiveListing(afterZero).status, ArchiveListing::Status::kNotListing);
}

TEST(ParseArchiveListing, AListingCutShortIsIncomplete) {
    const std::string full = Listing({MemberLine("a.txt"), MemberLine("b.txt")});
    // Cut inside the second member line, then right after the closing separator.
    EXPECT_EQ(ParseArchiveListing(full.substr(0, full.find("b.txt"))).status,
              ArchiveListing::Status::kIncomplete);
    EXPECT_EQ(ParseArchiveListing(full.substr(0, full.rfind(kSummary))).status,
              ArchiveListing::Status::kIncomplete);
    EXPECT_EQ(ParseArchiveListing(std::string(kListingHeader)).status, ArchiveListing::Status::kIncomplete);
}

TEST(ParseArchiveListing, LineEndsAndTrailingTextDoNotChangeTheMembers) {
    const std::vector<std::string> lines = {MemberLine("a.txt"), MemberLine("b.txt")};
    const std::vector<std::string> expected = {"a.txt", "b.txt"};
    EXPECT_EQ(ParseArchiveListing(Listing(lines, "\n")).members, expected);
    EXPECT_EQ(ParseArchiveListing(Listing(lines, "\r\r\n")).members, expected);
    std::string noFinalEnd = Listing(lines);
    noFinalEnd.resize(noFinalEnd.size() - 2);
    EXPECT_EQ(ParseArchiveListing(noFinalEnd).members, expected);
    EXPECT_EQ(ParseArchiveListing(Listing(lines) + "\r\nEverything is Ok\r\n\r\n").members, expected);
    // Another closing separator of the same length, with the summary last.
    EXPECT_EQ(ParseArchiveListing(Listing(lines, "\r\n", std::string(77, '='))).members, expected);
}

TEST(ParseArchiveListing, LongMemberPathsAreKeptWhole) {
    std::string deep;
    for (int i = 0; i < 30; ++i) deep += "第" + std::to_string(i) + "层目录\\";
    deep += "很长的书名.txt";
    ASSERT_GT(deep.size(), 300u);
    EXPECT_EQ(ParseArchiveListing(Listing({MemberLine(deep)})).members, std::vector<std::string>{deep});
}

TEST(ParseArchiveListing, LinesWithoutAPathAfterTheColumnsAreSkipped) {
    EXPECT_EQ(ParseArchiveListing(Listing({"", "short", MemberLine(""), MemberLine("a.txt")})).members,
              std::vector<std::string>{"a.txt"});
}

TEST(ParseArchiveListing, UnsafeMemberPathsAreLeftOutAndCounted) {
    const ArchiveListing listing = ParseArchiveListing(Listing({
        MemberLine("..\\..\\Windows\\win.txt"),
        MemberLine("ok.txt"),
        MemberLine("x\" & del C:\\*.* & \".txt"),
        MemberLine("C:\\boot.txt"),
        MemberLine("%PATH%.txt"),
    }));
    EXPECT_EQ(listing.members, std::vector<std::string>{"ok.txt"});
    EXPECT_EQ(listing.unsafeMembers, 4);
}

std::vector<std::string> ManyMemberLines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back(MemberLine("第" + std::to_string(i) + "章.txt"));
    return lines;
}

TEST(ParseArchiveListing, KeepsTheFirst2000MembersAndSaysWhenThereWereMore) {
    const ArchiveListing exact = ParseArchiveListing(Listing(ManyMemberLines(2000)));
    EXPECT_EQ(exact.members.size(), 2000u);
    EXPECT_FALSE(exact.truncated);

    const ArchiveListing more = ParseArchiveListing(Listing(ManyMemberLines(2500)));
    ASSERT_EQ(more.members.size(), 2000u);
    EXPECT_TRUE(more.truncated);
    EXPECT_EQ(more.members.front(), "第1章.txt");
    EXPECT_EQ(more.members.back(), "第2000章.txt");
}

}  // namespace
}  // namespace pel

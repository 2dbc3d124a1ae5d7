// HaoZipC's listing, written from 7-Zip's technical listing, read back by the reader's own parser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/listing.h"
#include "listing_format.h"

namespace {

const char kTechnical[] =
    "\n7-Zip (z) 23.01 (x64)\n\nScanning the drive for archives:\n1 file, 900 bytes (1 KiB)\n\n"
    "Listing archive: Z:\\tmp\\books.zip\n\n--\nPath = Z:\\tmp\\books.zip\nType = zip\nPhysical Size = "
    "900\n\n"
    "----------\n"
    "Path = 第一卷\nFolder = +\nSize = 0\nPacked Size = 0\nModified = 2024-03-01 10:20:30\nAttributes = D\n\n"
    "Path = 第一卷\\第1章 开始.txt\r\nFolder = -\r\nSize = 12345\r\nPacked Size = 678\r\n"
    "Modified = 2024-03-01 10:20:30.1234567\r\nAttributes = A\r\nComment =\r\n\r\n"
    "Path = cover.jpg\nFolder = -\nSize = 5\nPacked Size = 5\nModified = 2024-03-01 10:20:30\n\n"
    "Path = README.TXT\nFolder = -\nSize = 1\nPacked Size = 1\nModified =\n";

std::vector<haozipc::Entry> Matching(const std::vector<haozipc::Entry>& all, const char* pattern) {
    std::vector<haozipc::Entry> out;
    for (const auto& entry : all)
        if (!entry.folder && haozipc::MatchesWildcard(entry.path, pattern)) out.push_back(entry);
    return out;
}

TEST(HaoZipListing, TechnicalListingGivesEveryMemberOnce) {
    std::vector<haozipc::Entry> entries;
    ASSERT_TRUE(haozipc::ParseTechnicalListing(kTechnical, entries));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_TRUE(entries[0].folder);
    EXPECT_EQ(entries[1].path, "第一卷\\第1章 开始.txt");
    EXPECT_EQ(entries[1].size, 12345u);
    EXPECT_EQ(entries[1].packed, 678u);
    EXPECT_EQ(entries[1].modified, "2024-03-01 10:20:30");
    EXPECT_EQ(entries[3].path, "README.TXT");
    EXPECT_TRUE(entries[3].modified.empty());
    // Output without the member block (7-Zip could not open the archive) is no listing.
    EXPECT_FALSE(
        haozipc::ParseTechnicalListing("\nERROR: Z:\\x.zip\nCan not open the file as archive\n", entries));
}

TEST(HaoZipListing, WildcardLooksAtTheBareNameWithoutCase) {
    EXPECT_TRUE(haozipc::MatchesWildcard("a\\b\\c.TXT", "*.txt"));
    EXPECT_TRUE(haozipc::MatchesWildcard("a/b.txt", "*.txt"));
    EXPECT_FALSE(haozipc::MatchesWildcard("a.txt\\b.jpg", "*.txt"));
    EXPECT_FALSE(haozipc::MatchesWildcard("a.txt.bak", "*.txt"));
    EXPECT_TRUE(haozipc::MatchesWildcard("x", "*"));
    EXPECT_TRUE(haozipc::MatchesWildcard("ab.txt", "a?.t*t"));
}

TEST(HaoZipListing, LayoutHasTheWidthsTheReaderScans) {
    EXPECT_EQ(std::string(haozipc::kHeader), std::string(pel::kListingHeader));
    EXPECT_EQ(std::string(haozipc::kHeader).size(), 54u);
    EXPECT_EQ(std::string(haozipc::kSeparator).size(), 77u);
    haozipc::Entry entry{"a.txt", false, 999999999999ull, 1, "2024-03-01 10:20:30"};
    const std::string line = haozipc::MemberLine(entry);
    EXPECT_EQ(line.substr(haozipc::kColumns), "a.txt");
    entry.folder = true;
    EXPECT_EQ(haozipc::MemberLine(entry)[pel::kListingAttributeColumn], 'D');
    // Sizes too wide for their column never shift the path.
    entry.size = 18446744073709551615ull;
    EXPECT_EQ(haozipc::MemberLine(entry).substr(haozipc::kColumns), "a.txt");
    const std::string listing = haozipc::FormatListing({entry});
    EXPECT_EQ(listing.find("\n"), listing.find("\r\n") + 1);
    for (std::size_t at = listing.find('\n'); at != std::string::npos; at = listing.find('\n', at + 1))
        EXPECT_EQ(listing[at - 1], '\r') << "LF without CR at " << at;
}

TEST(HaoZipListing, ReaderParsesWhatHaoZipWrites) {
    std::vector<haozipc::Entry> entries;
    ASSERT_TRUE(haozipc::ParseTechnicalListing(kTechnical, entries));
    const pel::ArchiveListing listing =
        pel::ParseArchiveListing(haozipc::FormatListing(Matching(entries, "*.txt")));
    EXPECT_EQ(listing.status, pel::ArchiveListing::Status::kListed);
    EXPECT_EQ(listing.members, (std::vector<std::string>{"第一卷\\第1章 开始.txt", "README.TXT"}));
    EXPECT_EQ(listing.unsafeMembers, 0);

    // Forward slashes of other archivers become backslashes.
    const pel::ArchiveListing slashed =
        pel::ParseArchiveListing(haozipc::FormatListing({{"卷/章.txt", false, 1, 1, ""}}));
    EXPECT_EQ(slashed.members, (std::vector<std::string>{"卷\\章.txt"}));
}

TEST(HaoZipListing, EmptyTooManyAndBrokenListingsAreToldApart) {
    const pel::ArchiveListing none = pel::ParseArchiveListing(haozipc::FormatListing({}));
    EXPECT_EQ(none.status, pel::ArchiveListing::Status::kListed);
    EXPECT_TRUE(none.members.empty());

    std::vector<haozipc::Entry> many;
    for (int i = 0; i < 2100; ++i) many.push_back({"第" + std::to_string(i) + "章.txt", false, 10, 5, ""});
    const pel::ArchiveListing big = pel::ParseArchiveListing(haozipc::FormatListing(many));
    EXPECT_TRUE(big.truncated);
    ASSERT_EQ(big.members.size(), pel::kMaxArchiveMembers);
    EXPECT_EQ(big.members.front(), "第0章.txt");
    EXPECT_EQ(big.members.back(), "第1999章.txt");

    EXPECT_EQ(pel::ParseArchiveListing(haozipc::FormatBrokenListing()).status,
              pel::ArchiveListing::Status::kIncomplete);
    // A character code page 936 has not is written as '?': the reader refuses it instead of guessing.
    const pel::ArchiveListing lost =
        pel::ParseArchiveListing(haozipc::FormatListing({{"a?b.txt", false, 1, 1, ""}}));
    EXPECT_TRUE(lost.members.empty());
    EXPECT_EQ(lost.unsafeMembers, 1);
}

}  // namespace

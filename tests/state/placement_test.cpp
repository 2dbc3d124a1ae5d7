// The remembered window placement: its encoding and the default record.
#include "state/placement.h"

#include <gtest/gtest.h>

#include "state_test_support.h"

namespace pel::testing {
namespace {

const std::string kDefaultRecordText =
    "2C0000000000000001000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF6400000064000000B6030000BC0200005C";

class PlacementTest : public ::testing::TestWithParam<ProfileImplementation> {
protected:
    void SetUp() override { profile = GetParam().make(); }
    std::unique_ptr<IProfile> profile;
};

TEST(PlacementRecord, EncodesElevenLittleEndianFields) {
    const auto bytes = EncodePlacement({44, 2, 3, -1, -2, 0x01020304, 5, 10, 20, 30, 40});
    EXPECT_EQ(bytes[0], 44);
    EXPECT_EQ(bytes[4], 2);
    EXPECT_EQ(bytes[8], 3);
    EXPECT_EQ(bytes[12], 0xFF);
    EXPECT_EQ(bytes[16], 0xFE);
    EXPECT_EQ(bytes[20], 0x04);
    EXPECT_EQ(bytes[23], 0x01);
    EXPECT_EQ(bytes[40], 40);
    const WindowPlacement back = DecodePlacement(bytes);
    EXPECT_EQ(back, (WindowPlacement{44, 2, 3, -1, -2, 0x01020304, 5, 10, 20, 30, 40}));
}

TEST(PlacementRecord, UsableRecordsHaveASaneLengthAndRectangle) {
    EXPECT_TRUE(IsUsablePlacement({}));
    WindowPlacement p;
    p.length = 10000;
    EXPECT_TRUE(IsUsablePlacement(p));
    p.length = 10001;
    EXPECT_FALSE(IsUsablePlacement(p));
    p.length = 0;
    EXPECT_FALSE(IsUsablePlacement(p));
    p = {};
    p.right = p.left;  // no width
    EXPECT_FALSE(IsUsablePlacement(p));
    p = {};
    p.bottom = 50;  // above its top
    EXPECT_FALSE(IsUsablePlacement(p));
    p = {};
    p.left = -2147483647 - 1;
    p.right = 2147483647;  // a width that overflows 32 bits
    EXPECT_FALSE(IsUsablePlacement(p));
    p = {};
    p.right = p.left + 20000;
    EXPECT_TRUE(IsUsablePlacement(p));
    p.right += 1;
    EXPECT_FALSE(IsUsablePlacement(p));
}

TEST_P(PlacementTest, DefaultRecordIsStoredInThePlatformsText) {
    const std::string path = FreshPath("place");
    EXPECT_TRUE(WritePlacement(*profile, path, WindowPlacement{}));
    EXPECT_EQ(GetFile(path), "[Interface]\r\nRemWndPlace=" + kDefaultRecordText + "\r\n");
}

TEST_P(PlacementTest, StoredPlacementReadsBack) {
    const std::string path = FreshPath("place");
    const WindowPlacement stored{44, 0, 3, -32000, -32000, -1, -1, 12, 34, 1290, 990};
    EXPECT_TRUE(WritePlacement(*profile, path, stored));
    EXPECT_EQ(ReadPlacement(*profile, path), stored);
}

TEST_P(PlacementTest, MissingDamagedOrAbsurdRecordsGiveTheDefaultWindow) {
    const WindowPlacement defaults{44, 0, 1, -1, -1, -1, -1, 100, 100, 950, 700};
    EXPECT_EQ(ReadPlacement(*profile, FreshPath("absent")), defaults);

    // Edited by hand: the rectangle changed, the checksum did not.
    std::string edited = kDefaultRecordText;
    edited[56] = '7';
    const std::string editedPath = FreshPath("place");
    PutFile(editedPath, "[Interface]\r\nRemWndPlace=" + edited + "\r\n");
    EXPECT_EQ(ReadPlacement(*profile, editedPath), defaults);

    const std::string shortPath = FreshPath("place");
    PutFile(shortPath, "[Interface]\r\nRemWndPlace=2C000000\r\n");
    EXPECT_EQ(ReadPlacement(*profile, shortPath), defaults);

    for (const WindowPlacement& bad : {WindowPlacement{0, 0, 1, -1, -1, -1, -1, 10, 10, 500, 500},
                                       WindowPlacement{10001, 0, 1, -1, -1, -1, -1, 10, 10, 500, 500},
                                       WindowPlacement{44, 0, 1, -1, -1, -1, -1, 500, 10, 10, 500},
                                       WindowPlacement{44, 0, 1, -1, -1, -1, -1, 0, 0, 90000, 500}}) {
        const std::string path = FreshPath("place");
        EXPECT_TRUE(WritePlacement(*profile, path, bad));
        EXPECT_EQ(ReadPlacement(*profile, path), defaults);
    }
}

INSTANTIATE_TEST_SUITE_P(Store, PlacementTest, ::testing::ValuesIn(ProfileImplementations()),
                         [](const ::testing::TestParamInfo<ProfileImplementation>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace pel::testing

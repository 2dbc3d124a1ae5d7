// The platform's code-page converter: natively the iconv-built table, on Windows the system functions.
#include <gtest/gtest.h>

#include "support/bytes.h"
#include "support/system_code_page.h"

namespace pel {
namespace {

using testing::Bytes;
using testing::Utf8;

TEST(CodePage, Utf16ChineseBecomesGbk) {
    testing::SystemCodePage cp;
    EXPECT_EQ(cp.Utf16ToCp936(u"中文"), Bytes({0xD6, 0xD0, 0xCE, 0xC4}));
    EXPECT_EQ(cp.Utf16ToCp936(u"第一章 abc\r\n"), "第一章 abc\r\n");
    EXPECT_EQ(cp.Utf16ToCp936(u"“引号”、。！"), "“引号”、。！");
    EXPECT_EQ(cp.Utf16ToCp936(u""), "");
}

TEST(CodePage, UnmappableCharactersBecomeTheReplacementCharacter) {
    testing::SystemCodePage cp;
    EXPECT_EQ(cp.Utf16ToCp936(u"a\u0E01b"), "a?b");  // Thai has no GBK form
    EXPECT_EQ(cp.Utf16ToCp936(u"\uFEFF中"), "?中");
}

TEST(CodePage, StrictUtf8) {
    testing::SystemCodePage cp;
    std::u16string out;
    ASSERT_TRUE(cp.Utf8ToUtf16(Utf8(u8"第一章abc"), out));
    EXPECT_EQ(out, u"第一章abc");
    ASSERT_TRUE(cp.Utf8ToUtf16(Bytes({0xF0, 0x9F, 0x98, 0x80}), out));
    EXPECT_EQ(out, u"\U0001F600");
    ASSERT_TRUE(cp.Utf8ToUtf16("", out));
    EXPECT_TRUE(out.empty());
    // Long ASCII runs and Chinese mixed across the eight-byte fast path.
    const std::string mixed = Utf8(u8"abcdefghijk中文lmnopqrstuvwxyz字");
    ASSERT_TRUE(cp.Utf8ToUtf16(mixed, out));
    EXPECT_EQ(out, u"abcdefghijk中文lmnopqrstuvwxyz字");

    for (const std::string& bad : {Bytes({0xE4, 0xB8}), Bytes({0xC0, 0x80}), Bytes({0xED, 0xA0, 0x80}),
                                   Bytes({0xF4, 0x90, 0x80, 0x80}), Bytes({0x80}), Bytes({0xFF}),
                                   Utf8(u8"好的") + Bytes({0xE4, 0x41, 0x42})}) {
        out = u"left over";
        EXPECT_FALSE(cp.Utf8ToUtf16(bad, out)) << bad.size();
        EXPECT_TRUE(out.empty());
    }
}

}  // namespace
}  // namespace pel

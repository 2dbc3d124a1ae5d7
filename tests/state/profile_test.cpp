// The private-profile rules that Config.ini relies on, as the platform keeps them. Every case runs
// against NativeProfile and, in the Windows build, against the platform's own functions, so a rule
// the portable store gets wrong fails under Wine.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>

#include "state/native_profile.h"
#include "state_test_support.h"

namespace pel::testing {
namespace {

// "k0", "k1", ... (appended rather than added: GCC 12 warns wrongly about "k" + std::string).
std::string KeyName(std::size_t i) {
    std::string name = "k";
    name += std::to_string(i);
    return name;
}

class ProfileSemantics : public ::testing::TestWithParam<ProfileImplementation> {
protected:
    void SetUp() override { profile = GetParam().make(); }

    std::string FileWith(const std::string& bytes) {
        const std::string path = FreshPath("p");
        PutFile(path, bytes);
        return path;
    }
    std::string Read(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& def = "DEF") {
        return profile->ReadString(path, section, key, def);
    }
    void Write(const std::string& path, const std::string& section, const std::string& key,
               const std::string& value) {
        EXPECT_TRUE(profile->WriteString(path, section, key, value)) << section << "/" << key;
    }

    std::unique_ptr<IProfile> profile;
};

TEST_P(ProfileSemantics, NewFileGrowsKeysAtTheEndOfTheirSectionAndSectionsAtTheEnd) {
    const std::string path = FreshPath("new");
    Write(path, "Sec", "key", "val");
    EXPECT_EQ(GetFile(path), "[Sec]\r\nkey=val\r\n");
    Write(path, "Sec", "key2", "v2");
    Write(path, "Two", "k", "1");
    Write(path, "Sec", "key3", "");
    Write(path, "sec", "KEY", "new");  // replaces key, keeps the stored spelling
    Write(path, "Three", "x", "y");
    EXPECT_EQ(GetFile(path), "[Sec]\r\nkey=new\r\nkey2=v2\r\nkey3=\r\n[Two]\r\nk=1\r\n[Three]\r\nx=y\r\n");
    EXPECT_EQ(Read(path, "Sec", "key3"), "");
}

TEST_P(ProfileSemantics, AnyChangeRewritesTheWholeFileWithoutBlanksOrBlankLines) {
    const std::string messy =
        "; comment line\r\n  [ Sec ]  \r\n  Key  =  value with spaces  \r\n\r\nother=1\r\n\r\n[Next]\r\nk=v";
    const std::string head = "; comment line\r\n[Sec]\r\n";
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        std::string expected;
    };
    const Case cases[] = {
        {"Sec", "Key", "new", head + "Key=new\r\nother=1\r\n[Next]\r\nk=v\r\n"},
        {"Sec", "added", "a", head + "Key=value with spaces\r\nother=1\r\nadded=a\r\n[Next]\r\nk=v\r\n"},
        {"Next", "k2", "z", head + "Key=value with spaces\r\nother=1\r\n[Next]\r\nk=v\r\nk2=z\r\n"},
        {"New", "n", "1", head + "Key=value with spaces\r\nother=1\r\n[Next]\r\nk=v\r\n[New]\r\nn=1\r\n"},
    };
    for (const Case& c : cases) {
        const std::string path = FileWith(messy);
        Write(path, c.section, c.key, c.value);
        EXPECT_EQ(GetFile(path), c.expected) << c.section << "/" << c.key;
    }
}

TEST_P(ProfileSemantics, WritingTheValueAKeyAlreadyHasLeavesTheFileUntouched) {
    const std::string messy = "  [S]  \r\n  a = 1 \r\n\r\n";
    const std::string path = FileWith(messy);
    Write(path, "S", "a", "1");
    Write(path, "s", "A", "1");
    EXPECT_EQ(GetFile(path), messy);

    // The stored text is compared, quotes included.
    const std::string quoted = FileWith("  [S]  \r\n  a = \"1\" \r\n\r\n");
    Write(quoted, "S", "a", "1");
    EXPECT_EQ(GetFile(quoted), "[S]\r\na=1\r\n");
}

TEST_P(ProfileSemantics, LinesEndAtAnyRunOfCrAndLfAndAreWrittenBackWithCrLf) {
    const std::string lf = FileWith("[S]\na=1\nb=2\n\n[T]\nc=3\n");
    Write(lf, "S", "a", "9");
    EXPECT_EQ(GetFile(lf), "[S]\r\na=9\r\nb=2\r\n[T]\r\nc=3\r\n");

    const std::string cr = FileWith("[S]\ra=1\rb=2\r");
    EXPECT_EQ(Read(cr, "S", "b"), "2");
    Write(cr, "S", "c", "3");
    EXPECT_EQ(GetFile(cr), "[S]\r\na=1\r\nb=2\r\nc=3\r\n");

    const std::string mixed = FileWith("[S]\r\r\na=1\n\rb=2");
    EXPECT_EQ(Read(mixed, "S", "a"), "1");
    EXPECT_EQ(Read(mixed, "S", "b"), "2");
    Write(mixed, "S", "c", "3");
    EXPECT_EQ(GetFile(mixed), "[S]\r\na=1\r\nb=2\r\nc=3\r\n");
}

TEST_P(ProfileSemantics, NamesMatchWithoutAsciiCaseAndSurroundingBlanks) {
    const std::string path = FileWith(
        "  [ Sec ]  \r\n  Key  =  value with spaces  \r\n\x0Bk2\x0C=\x1Av2\x1A\r\n\tk3\t=\tv3\t\r\n"
        "my key=a=b\r\n\xA1\xA1k4\xA1\xA1=ideographic\r\n");
    EXPECT_EQ(Read(path, "sec", "key"), "value with spaces");
    EXPECT_EQ(Read(path, " Sec ", "KEY "), "value with spaces");
    EXPECT_EQ(Read(path, "Sec", "k2"), "v2");
    EXPECT_EQ(Read(path, "Sec", "k3"), "v3");
    EXPECT_EQ(Read(path, "Sec", "my key"), "a=b");
    // The ideographic space is a character, not a blank.
    EXPECT_EQ(Read(path, "Sec", "k4"), "DEF");
    EXPECT_EQ(Read(path, "Sec", "\xA1\xA1k4\xA1\xA1"), "ideographic");
}

TEST_P(ProfileSemantics, SectionLinesEndAtTheirLastClosingBracket) {
    const std::string path =
        FileWith("a=0\r\n[x]y]\r\nc=2\r\n  [q] ; note\r\ne=4\r\n[S]junk\r\nf=5\r\n[T\r\ng=6\r\n");
    EXPECT_EQ(Read(path, "x]y", "c"), "2");
    EXPECT_EQ(Read(path, "x", "c"), "DEF");
    EXPECT_EQ(Read(path, "q", "e"), "4");
    EXPECT_EQ(Read(path, "S", "f"), "5");
    // "[T" is no section line: g belongs to S.
    EXPECT_EQ(Read(path, "T", "g"), "DEF");
    EXPECT_EQ(Read(path, "S", "g"), "6");
    Write(path, "S", "h", "7");
    EXPECT_EQ(GetFile(path), "a=0\r\n[x]y]\r\nc=2\r\n[q]\r\ne=4\r\n[S]\r\nf=5\r\n[T\r\ng=6\r\nh=7\r\n");
}

TEST_P(ProfileSemantics, CommentsAndKeysWithoutValuesStayAsLines) {
    const std::string path =
        FileWith("[S]\r\nq=\"quoted\"\r\nnoeq\r\n;c=1\r\n#h=2\r\nsp = \r\nempty=\r\n[S]\r\ndup=1\r\n");
    EXPECT_EQ(Read(path, "S", ";c"), "1");
    EXPECT_EQ(Read(path, "S", "#h"), "2");
    EXPECT_EQ(Read(path, "S", "noeq"), "DEF");
    EXPECT_EQ(Read(path, "S", "sp"), "");
    EXPECT_EQ(Read(path, "S", "empty"), "");
    EXPECT_EQ(profile->ReadInt(path, "S", "noeq", 7), 7);
    // Only the first section of a name is searched, and written.
    EXPECT_EQ(Read(path, "S", "dup"), "DEF");
    Write(path, "S", "dup", "2");
    EXPECT_EQ(GetFile(path),
              "[S]\r\nq=\"quoted\"\r\nnoeq\r\n;c=1\r\n#h=2\r\nsp=\r\nempty=\r\ndup=2\r\n[S]\r\ndup=1\r\n");
    Write(path, "S", "noeq", "v");
    EXPECT_EQ(Read(path, "S", "noeq"), "v");
}

TEST_P(ProfileSemantics, OnePairOfMatchingQuotesIsDroppedOnReading) {
    const std::string path = FileWith(
        "[S]\r\na=\"quoted\"\r\nb='single'\r\nc=\"half\r\nd=\"  \"\r\ne=\"\r\nf=\"\"\r\ng='\"x\"'\r\n"
        "h=\"a\"b\"\r\ni= \" sp \" \r\nj=\"abc'\r\n");
    EXPECT_EQ(Read(path, "S", "a"), "quoted");
    EXPECT_EQ(Read(path, "S", "b"), "single");
    EXPECT_EQ(Read(path, "S", "c"), "\"half");
    EXPECT_EQ(Read(path, "S", "d"), "  ");
    EXPECT_EQ(Read(path, "S", "e"), "\"");
    EXPECT_EQ(Read(path, "S", "f"), "");
    EXPECT_EQ(Read(path, "S", "g"), "\"x\"");
    EXPECT_EQ(Read(path, "S", "h"), "a\"b");
    EXPECT_EQ(Read(path, "S", "i"), " sp ");
    EXPECT_EQ(Read(path, "S", "j"), "\"abc'");
}

TEST_P(ProfileSemantics, DefaultsLoseTrailingSpacesButNeverTheirFirstCharacter) {
    const std::string path = FileWith("[S]\r\nk=v\r\n");
    EXPECT_EQ(Read(path, "S", "zz", "  spaced default  "), "  spaced default");
    EXPECT_EQ(Read(path, "S", "zz", "  "), " ");
    EXPECT_EQ(Read(path, "S", "zz", "\"q\""), "q");
    EXPECT_EQ(Read(path, "S", "zz", ""), "");
    EXPECT_EQ(Read(path, "S", "zz", std::string(260, 'r')), std::string(259, 'r'));
    std::string chinese;
    for (int i = 0; i < 140; ++i) chinese += "中";
    EXPECT_EQ(Read(path, "S", "zz", chinese), chinese.substr(0, 258));
    EXPECT_EQ(Read(FreshPath("absent"), "S", "k", "fallback"), "fallback");
}

TEST_P(ProfileSemantics, LongValuesAreCutAt259BytesOfWholeCharacters) {
    std::string letters;
    for (int i = 0; i < 300; ++i) letters += static_cast<char>('a' + i % 26);
    std::string chinese;
    for (int i = 0; i < 150; ++i) chinese += "\xD6\xD0";
    const std::string path =
        FileWith("[L]\r\nlong=" + letters + "\r\ncn=" + chinese + "\r\nodd=a" + chinese + "\r\nq1=\"" +
                 std::string(258, 'a') + "\"\r\nq2=\"" + std::string(259, 'b') + "\"\r\nq3=\"" +
                 std::string(260, 'c') + "\"\r\nm1=" + std::string(258, 'm') +
                 "\xD6\xD0\r\nm2=" + std::string(257, 'm') + "\xD6\xD0\r\n");
    EXPECT_EQ(Read(path, "L", "long"), letters.substr(0, 259));
    EXPECT_EQ(Read(path, "L", "cn"), chinese.substr(0, 258));
    EXPECT_EQ(Read(path, "L", "odd"), std::string("a").append(chinese, 0, 258));
    EXPECT_EQ(Read(path, "L", "q1"), std::string(258, 'a'));
    EXPECT_EQ(Read(path, "L", "q2"), std::string(258, 'b'));
    EXPECT_EQ(Read(path, "L", "q3"), std::string(259, 'c'));
    EXPECT_EQ(Read(path, "L", "m1"), std::string(258, 'm'));
    EXPECT_EQ(Read(path, "L", "m2"), std::string(257, 'm') + "\xD6\xD0");
    // Whatever is read, the file keeps the whole line.
    Write(path, "L", "w", "x");
    EXPECT_NE(GetFile(path).find("long=" + letters + "\r\n"), std::string::npos);
}

TEST_P(ProfileSemantics, Cp936NamesMatchByteForByteAndOnlyAsciiLettersFoldCase) {
    // [中文] 键=值, [Α] (Greek capital alpha), [Ａ] (full-width A), a key whose second byte is 'A'.
    const std::string path = FileWith(
        "[\xD6\xD0\xCE\xC4]\r\n\xBC\xFC=\xD6\xB5\r\n[\xA6\xA1]\r\nx=1\r\n[\xA3\xC1]\r\ny=2\r\n"
        "[S]\r\n\x81\x41=up\r\n");
    EXPECT_EQ(Read(path, "\xD6\xD0\xCE\xC4", "\xBC\xFC"), "\xD6\xB5");
    EXPECT_EQ(Read(path, "\xA6\xA1", "x"), "1");
    EXPECT_EQ(Read(path, "\xA6\xC1", "x"), "DEF");  // small alpha
    EXPECT_EQ(Read(path, "\xA3\xE1", "y"), "DEF");  // full-width small a
    EXPECT_EQ(Read(path, "S", "\x81\x41"), "up");
    EXPECT_EQ(Read(path, "S", "\x81\x61"), "DEF");
    Write(path, "\xD6\xD0\xCE\xC4", "\xBC\xFC", "\xD0\xC2");
    EXPECT_EQ(GetFile(path),
              "[\xD6\xD0\xCE\xC4]\r\n\xBC\xFC=\xD0\xC2\r\n[\xA6\xA1]\r\nx=1\r\n[\xA3\xC1]\r\ny=2\r\n"
              "[S]\r\n\x81\x41=up\r\n");
}

TEST_P(ProfileSemantics, BrokenDoubleByteCharactersBecomeQuestionMarks) {
    const std::string path = FileWith(
        "[S]\r\nk1=\x81\x30Z\r\nk2=\x81\x7FZ\r\nk3=\x81\xFFZ\r\nk4=\x80Z\r\nk5=\xFFZ\r\nk6=\xA2\xA0Z\r\n"
        "k7=\x81\x40Z\r\nk8=\x81\r\nk9=\x81 \r\n");
    EXPECT_EQ(Read(path, "S", "k1"), "?Z");
    EXPECT_EQ(Read(path, "S", "k2"), "?Z");
    EXPECT_EQ(Read(path, "S", "k3"), "?Z");
    EXPECT_EQ(Read(path, "S", "k4"), "\x80Z");
    EXPECT_EQ(Read(path, "S", "k5"), "\xFFZ");
    EXPECT_EQ(Read(path, "S", "k6"), "\xA2\xA0Z");
    EXPECT_EQ(Read(path, "S", "k7"), "\x81@Z");
    EXPECT_EQ(Read(path, "S", "k8"), "?");
    EXPECT_EQ(Read(path, "S", "k9"), "?");
    Write(path, "S", "k1", "x");
    EXPECT_EQ(GetFile(path),
              "[S]\r\nk1=x\r\nk2=?Z\r\nk3=?Z\r\nk4=\x80Z\r\nk5=\xFFZ\r\nk6=\xA2\xA0Z\r\nk7=\x81@Z\r\nk8=?"
              "\r\nk9=?\r\n");

    // A lead byte takes the line end after it along, joining two lines.
    const std::string joined = FileWith("[S]\r\na=\x81\nb=2\r\nc=1\r\n");
    EXPECT_EQ(Read(joined, "S", "a"), "?b=2");
    EXPECT_EQ(Read(joined, "S", "b"), "DEF");

    const std::string atEnd = FileWith("[S]\r\nk=v\x81");
    EXPECT_EQ(Read(atEnd, "S", "k"), "v?");
    Write(atEnd, "S", "j", "1");
    EXPECT_EQ(GetFile(atEnd), "[S]\r\nk=v?\r\nj=1\r\n");

    // In names and values handed in, a lead byte at the end is dropped.
    const std::string written = FreshPath("args");
    Write(written, "S", "v1", "x\x81");
    Write(written, "S", "v2", "x\x81y");
    Write(written, "S", "v3", "\x81\x30");
    Write(written, "S", "k\x81", "z");
    Write(written, "S\x81", "k", "w");
    EXPECT_EQ(GetFile(written), "[S]\r\nv1=x\r\nv2=x\x81y\r\nv3=?\r\nk=w\r\n");
}

TEST_P(ProfileSemantics, IntegersReadAsThePlatformReadsThem) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"12abc", 12},
        {"-5", -5},
        {"+3", 3},
        {"abc", 0},
        {"0x1F", 31},
        {" 42 ", 42},
        {"4294967297", 1},
        {"-", 0},
        {"- 5", 0},
        {"010", 10},
        {"0b101", 5},
        {"0o17", 15},
        {"99999999999", 1215752191},
        {"\"17\"", 17},
        {"  -0x10", -16},
        {"2147483648", INT_MIN},
        {"-2147483649", INT_MAX},
        {"1e3", 1},
        {"\"5", 0},
        {"0X1f", 0},
        {"0x", 0},
        {"0xg", 0},
        {"-0", 0},
        {"\xA3\xB1", 0},  // full-width 1
        {"12 34", 12},
        {"0B2", 0},
        {"+-3", 0},
        {"007", 7},
        // Numbers are read through 30 characters: 29 are seen.
        {"00000000000000000000000000000123", 0},
        {"0000000000000000000000000012", 12},
        {"00000000000000000000000000012", 12},
        {"000000000000000000000000000012", 1},
    };
    std::string file = "[I]\r\n";
    for (std::size_t i = 0; i < std::size(cases); ++i) file += KeyName(i) + "=" + cases[i].text + "\r\n";
    const std::string path = FileWith(file);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(profile->ReadInt(path, "I", KeyName(i), 7), cases[i].expected) << cases[i].text;
    }
    EXPECT_EQ(profile->ReadInt(path, "I", "missing", 7), 7);
    EXPECT_EQ(profile->ReadInt(path, "Nowhere", "k0", -1), -1);
    EXPECT_EQ(profile->ReadInt(FreshPath("absent"), "I", "k0", 13625548), 13625548);
}

TEST_P(ProfileSemantics, EmptyValueReadsAsZero) {
    if (GetParam().name == "Win32" && RunningUnderWine()) {
        GTEST_SKIP() << "Wine gives the default for an empty value, Windows gives 0";
    }
    const std::string path = FileWith("[I]\r\nempty=\r\nblank=   \r\nquotes=\"\"\r\n");
    EXPECT_EQ(profile->ReadInt(path, "I", "empty", 7), 0);
    EXPECT_EQ(profile->ReadInt(path, "I", "blank", 7), 0);
    EXPECT_EQ(profile->ReadInt(path, "I", "quotes", 7), 0);
}

TEST_P(ProfileSemantics, StructsAreUppercaseHexDigitsAndAChecksumByte) {
    const unsigned char bytes[3] = {0xAB, 0xCD, 0xEF};
    const std::string path = FreshPath("struct");
    EXPECT_TRUE(profile->WriteStruct(path, "S", "t", bytes, sizeof bytes));
    EXPECT_EQ(GetFile(path), "[S]\r\nt=ABCDEF67\r\n");

    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"ABCDEF67", true},
        {"abcdef67", true},
        {" ABCDEF67 ", true},
        {"ABCDEF67 X", true},
        {"ABCDEF670", true},
        {"ABCDEF67ABCD", true},
        {"ABCDEF67\"", true},
        {"ABCDEF68", false},
        {"ABCDEF6", false},
        {"\"ABCDEF67\"", false},
        {"ABCDEG67", false},
        {"GBCDEF67", false},
        {"ABCDEF6G", false},
        {"AB DEF67", false},
        {"AB\xD6\xD0"
         "DEF67",
         false},
        {"ABCDEFG7", false},
        {"zbcdef67", false},
        {"", false},
    };
    std::string file = "[S]\r\nnoeq\r\n";
    for (std::size_t i = 0; i < std::size(cases); ++i) file += KeyName(i) + "=" + cases[i].text + "\r\n";
    const std::string table = FileWith(file);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        unsigned char out[3] = {0x11, 0x11, 0x11};
        EXPECT_EQ(profile->ReadStruct(table, "S", KeyName(i), out, sizeof out), cases[i].ok) << cases[i].text;
        const unsigned char untouched[3] = {0x11, 0x11, 0x11};
        EXPECT_EQ(std::memcmp(out, cases[i].ok ? bytes : untouched, 3), 0) << cases[i].text;
    }
    unsigned char out[3] = {};
    EXPECT_FALSE(profile->ReadStruct(table, "S", "noeq", out, sizeof out));
    EXPECT_FALSE(profile->ReadStruct(table, "S", "missing", out, sizeof out));
    // A record read with another size fails on its checksum.
    unsigned char two[2] = {};
    EXPECT_FALSE(profile->ReadStruct(path, "S", "t", two, sizeof two));

    // The same record written again leaves the file alone, whatever its spelling.
    const std::string same = FileWith("  [S]  \r\n t = ABCDEF67 \r\n");
    EXPECT_TRUE(profile->WriteStruct(same, "S", "t", bytes, sizeof bytes));
    EXPECT_EQ(GetFile(same), "  [S]  \r\n t = ABCDEF67 \r\n");
    const std::string lower = FileWith("  [S]  \r\n t = abcdef67 \r\n");
    EXPECT_TRUE(profile->WriteStruct(lower, "S", "t", bytes, sizeof bytes));
    EXPECT_EQ(GetFile(lower), "[S]\r\nt=ABCDEF67\r\n");
}

TEST_P(ProfileSemantics, NamesHandedInLoseTheirLeadingBlanksOnly) {
    const std::string path = FreshPath("blanks");
    Write(path, " S ", "  k  ", "  v  ");
    EXPECT_EQ(GetFile(path), "[S ]\r\nk  =v  \r\n");
    EXPECT_EQ(Read(path, "S", "k"), "v");
}

TEST_P(ProfileSemantics, WritingIntoAMissingFolderFails) {
    const std::string path = FreshPath("missing") + ".d/Config.ini";
    EXPECT_FALSE(profile->WriteString(path, "S", "k", "v"));
    EXPECT_FALSE(FileExists(path));
}

TEST_P(ProfileSemantics, FilesInAFolderNamedInCp936) {
    const std::string path = FreshCp936Folder() + "Config.ini";
    Write(path, "BookMark", "0", "\xB6\xB7\xC6\xC6.txt,P3,14:05,03/March >C:\\\xB6\xB7\xC6\xC6.txt");
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(Read(path, "bookmark", "0"),
              "\xB6\xB7\xC6\xC6.txt,P3,14:05,03/March >C:\\\xB6\xB7\xC6\xC6.txt");
}

INSTANTIATE_TEST_SUITE_P(Store, ProfileSemantics, ::testing::ValuesIn(ProfileImplementations()),
                         [](const ::testing::TestParamInfo<ProfileImplementation>& info) {
                             return info.param.name;
                         });

#ifdef _WIN32
// Random writes of awkward names and values through both stores, one file each: the files and every
// read must stay the same.
TEST(ProfileAgainstPlatform, RandomWritesGiveTheSameFilesAndReads) {
    const auto stores = ProfileImplementations();
    ASSERT_EQ(stores.size(), 2u);
    auto native = stores[0].make();
    auto platform = stores[1].make();
    const std::string nativePath = FreshPath("diff_native");
    const std::string platformPath = FreshPath("diff_platform");
    const char* const sections[] = {"Style", "style", " Quote", "File Dir", "\xD6\xD0\xCE\xC4", "RuleDiy"};
    const char* const keys[] = {"0", "1", "KeyUD", "keyud ", " txtfont", "\xBC\xFC", ";c", "a b"};
    const char* const pieces[] = {"",    " ",        "1",           "-7",       "\"",  "'", "x=y",
                                  "[z]", "\xD6\xD0", "C:\\books\\", "\x81\x30", "abc", "\t"};
    std::mt19937 random(20240303);
    for (int step = 0; step < 900; ++step) {
        const std::string section = sections[random() % std::size(sections)];
        const std::string key = keys[random() % std::size(keys)];
        std::string value;
        const int parts = static_cast<int>(random() % 4);
        for (int i = 0; i < parts; ++i) value += pieces[random() % std::size(pieces)];
        ASSERT_EQ(native->WriteString(nativePath, section, key, value),
                  platform->WriteString(platformPath, section, key, value));
        ASSERT_EQ(GetFile(nativePath), GetFile(platformPath)) << "step " << step;
        const std::string readSection = sections[random() % std::size(sections)];
        const std::string readKey = keys[random() % std::size(keys)];
        const std::string text = native->ReadString(nativePath, readSection, readKey, "d ");
        ASSERT_EQ(text, platform->ReadString(platformPath, readSection, readKey, "d ")) << "step " << step;
        if (text.empty()) continue;  // empty values are read as numbers differently by Wine
        ASSERT_EQ(native->ReadInt(nativePath, readSection, readKey, 5),
                  platform->ReadInt(platformPath, readSection, readKey, 5))
            << "step " << step;
    }
}
#endif

// The store over files in memory keeps the bytes a file on disk would hold, and never touches the disk.
TEST(ProfileInMemory, HoldsTheBytesTheFileWouldHold) {
    NativeProfile disk;
    ProfileFiles files;
    NativeProfile memory(&files);
    const std::string path = FreshPath("memory");
    PutFile(path, "[Style]\r\n\r\n  KeyUD = 3 \r\n\x81\n[Quote]\nx\r\n");
    files[path] = GetFile(path);
    EXPECT_EQ(memory.ReadInt(path, "style", "keyud", 0), 3);
    for (const char* value : {"1", "\xD6\xD0\xCE\xC4", " spaced ", "\"q\""}) {
        ASSERT_TRUE(disk.WriteString(path, "Quote", "QuotePath", value));
        ASSERT_TRUE(memory.WriteString(path, "Quote", "QuotePath", value));
        EXPECT_EQ(files[path], GetFile(path)) << value;
        EXPECT_EQ(memory.ReadString(path, "Quote", "QuotePath", ""),
                  disk.ReadString(path, "Quote", "QuotePath", ""));
    }
    const unsigned char record[3] = {0x2C, 0x00, 0xFF};
    ASSERT_TRUE(memory.WriteStruct(path, "Interface", "RemWndPlace", record, sizeof record));
    unsigned char back[3] = {};
    ASSERT_TRUE(memory.ReadStruct(path, "Interface", "RemWndPlace", back, sizeof back));
    EXPECT_EQ(std::memcmp(back, record, sizeof record), 0);
    EXPECT_EQ(GetFile(path).find("RemWndPlace"), std::string::npos);  // the disk was left alone

    const std::string missing = FreshPath("memory_missing");
    EXPECT_EQ(memory.ReadString(missing, "Style", "KeyUD", "d"), "d");
    EXPECT_EQ(files.count(missing), 0u);
}

}  // namespace
}  // namespace pel::testing

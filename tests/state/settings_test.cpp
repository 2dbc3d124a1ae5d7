// Config.ini as the program reads it at start-up and writes it at exit.
#include "state/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "state/config_file.h"
#include "state/native_profile.h"
#include "state_test_support.h"

namespace pel::testing {
namespace {

// Passes every call on and notes which key was read.
class RecordingProfile : public IProfile {
public:
    explicit RecordingProfile(IProfile& inner) : inner_(inner) {}
    int ReadInt(const std::string& path, const std::string& s, const std::string& k, int def) override {
        reads.push_back(s + "/" + k);
        return inner_.ReadInt(path, s, k, def);
    }
    std::string ReadString(const std::string& path, const std::string& s, const std::string& k,
                           const std::string& def) override {
        reads.push_back(s + "/" + k);
        return inner_.ReadString(path, s, k, def);
    }
    bool WriteString(const std::string& path, const std::string& s, const std::string& k,
                     const std::string& v) override {
        writes.push_back(s + "/" + k);
        return inner_.WriteString(path, s, k, v);
    }
    bool ReadStruct(const std::string& path, const std::string& s, const std::string& k, void* d,
                    std::size_t n) override {
        reads.push_back(s + "/" + k);
        return inner_.ReadStruct(path, s, k, d, n);
    }
    bool WriteStruct(const std::string& path, const std::string& s, const std::string& k, const void* d,
                     std::size_t n) override {
        return inner_.WriteStruct(path, s, k, d, n);
    }
    std::vector<std::string> reads;
    std::vector<std::string> writes;

private:
    IProfile& inner_;
};

// Notes the file as it stood when each later feature's step ran.
class RecordingHooks : public IExitHooks {
public:
    explicit RecordingHooks(std::string path) : path_(std::move(path)) {}
    void CreditReadingTime() override { fileAtCredit = GetFile(path_); }
    void OfferToSaveText() override {
        ++saveOffers;
        fileAtSaveOffer = GetFile(path_);
    }
    std::string fileAtCredit, fileAtSaveOffer;
    int saveOffers = 0;

private:
    std::string path_;
};

bool Holds(const std::string& file, const std::string& line) { return file.find(line) != std::string::npos; }

class SettingsFile : public ::testing::TestWithParam<ProfileImplementation> {
protected:
    void SetUp() override { profile = GetParam().make(); }
    std::string FileWith(const std::string& bytes) {
        const std::string path = FreshPath("config");
        PutFile(path, bytes);
        return path;
    }
    std::unique_ptr<IProfile> profile;
};

TEST_P(SettingsFile, WithoutAFileEveryValueTakesItsDefault) {
    const std::string path = FreshPath("none");
    for (const Setting* s : settings::kAll) {
        if (s->kind == SettingKind::Text) {
            EXPECT_EQ(ReadTextSetting(*profile, path, *s), s->textDefault) << s->key;
        } else if (s->kind != SettingKind::Struct) {
            EXPECT_EQ(ReadSetting(*profile, path, *s), s->intDefault) << s->key;
        }
    }

    const FrameSettings frame = ReadFrameSettings(*profile, path);
    EXPECT_EQ(frame.placement, WindowPlacement{});
    EXPECT_EQ(frame.timeSpanTip, 30);
    EXPECT_EQ(frame.toolFlag, 1);
    EXPECT_EQ(frame.statusFlag, 1);
    EXPECT_EQ(frame.diyName, "");
    const BossKeySettings boss = ReadBossKeySettings(*profile, path);
    EXPECT_EQ(boss.modifiers, 1);
    EXPECT_EQ(boss.virtualKey, 32);

    CConfigFile config(*profile, path);
    const ViewSettings view = ReadViewSettings(config);
    EXPECT_EQ(config.MarkNum(), 0);
    EXPECT_EQ(config.LastReadEntry().path, "");
    EXPECT_EQ(config.Style().backColor, 13625548);
    EXPECT_EQ(config.Style().textColor, 0);
    EXPECT_EQ(config.Style().fontName, "宋体");
    EXPECT_EQ(config.Style().textSize, 270);
    EXPECT_EQ(config.Style().lineSpacing, 100);
    EXPECT_EQ(config.FileNum(), 0);
    EXPECT_EQ(view.marginLeft, 10);
    EXPECT_EQ(view.marginRight, 10);
    EXPECT_EQ(view.marginTop, 0);
    EXPECT_EQ(view.keepOne, 1);
    EXPECT_EQ(view.keyUD, 1);
    EXPECT_EQ(view.trayFlag, -1);
    EXPECT_EQ(view.timeSpan, 30);
    EXPECT_EQ(view.timeEnd, 3);
    EXPECT_EQ(view.timeFirst, 5);
    EXPECT_EQ(view.quoteFlag, 1);
    EXPECT_EQ(view.sortRuleFlag, 1);
    for (const std::string& rule : view.customRules) EXPECT_EQ(rule, "");
    EXPECT_EQ(ReadMarkLine(*profile, path), 0);
    EXPECT_EQ(ReadLibrarySelection(*profile, path), 0);
    EXPECT_FALSE(FileExists(path));  // reading creates nothing
}

TEST_P(SettingsFile, ExitFromAnEmptyFolderWritesExactlyTheExitKeysInOrder) {
    const std::string path = FreshPath("exit");
    ExitSnapshot snapshot;
    snapshot.now = {2024, 3, 3, 14, 5, 0};
    RecordingHooks hooks(path);
    WriteSettingsAtExit(*profile, path, snapshot, hooks);
    EXPECT_EQ(
        GetFile(path),
        "[BookMark]\r\n0=,P0,14:05,03/March >\r\n"
        "[Style]\r\nbkcolor=13625548\r\ntxtcolor=0\r\ntxtfont=宋体\r\ntxtsize=270\r\ntxthj=100\r\n"
        "SortFlag=0\r\nMarkLine=0\r\ndelblank=0\r\nKeyA=1\r\nKeyV=32\r\n"
        "BJL=10\r\nBJR=10\r\nBJU=0\r\nBJD=0\r\n"
        "UNDERLINE=0\r\nITALIC=0\r\nBOLD=0\r\nNightFlag=0\r\nKeepOne=1\r\nKeyUD=1\r\nSortRuleFlag=1\r\n"
        "orgrectFlag=0\r\nQuoteBarFlag=0\r\npicPath=\r\n"
        "[Interface]\r\nDIYname=\r\nTrayFlag=-1\r\n"
        "RemWndPlace="
        "2C0000000000000001000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF6400000064000000B6030000BC0200005C"
        "\r\ntoolflag=1\r\nstatusflag=1\r\nshukuflag=0\r\n"
        "[Quote]\r\nQuoteFlag=1\r\nLoopFlag=0\r\nQuotePath=\r\nScrollFlag=0\r\nRollType=0\r\nTimeSpan=30\r\n"
        "TimeEnd=3\r\nTimeFirst=5\r\nTimeSpanTip=30\r\n");
    EXPECT_EQ(hooks.saveOffers, 0);
}

TEST_P(SettingsFile, LaterFeaturesRunAtTheirStepsOfTheExit) {
    const std::string path = FreshPath("exit");
    ExitSnapshot snapshot;
    snapshot.libraryFolder = "D:\\books";
    snapshot.editMode = true;
    RecordingHooks hooks(path);
    RecordingProfile recording(*profile);
    WriteSettingsAtExit(recording, path, snapshot, hooks);
    // The new folder is written between the text style and the plain Style values.
    const auto& w = recording.writes;
    const auto at = [&w](const char* key) { return std::find(w.begin(), w.end(), key) - w.begin(); };
    EXPECT_LT(at("Style/txthj"), at("File Dir/FileNum"));
    EXPECT_LT(at("File Dir/1"), at("Style/SortFlag"));
    EXPECT_TRUE(Holds(GetFile(path), "[File Dir]\r\nFileNum=1\r\n1=D:\\books\r\n"));
    EXPECT_TRUE(Holds(hooks.fileAtCredit, "TrayFlag=-1"));
    EXPECT_FALSE(Holds(hooks.fileAtCredit, "UNDERLINE"));
    EXPECT_EQ(hooks.saveOffers, 1);
    EXPECT_TRUE(Holds(hooks.fileAtSaveOffer, "shukuflag=0"));
}

TEST_P(SettingsFile, ExitIntoAFolderNamedLikeTheFileReportsFailureAndStillRunsEveryStep) {
    const std::string path = FreshPath("folder");
    ASSERT_TRUE(std::filesystem::create_directory(path));
    ExitSnapshot snapshot;
    snapshot.libraryFolder = "D:\\books";
    snapshot.editMode = true;
    RecordingHooks hooks(path);
    RecordingProfile recording(*profile);
    EXPECT_FALSE(WriteSettingsAtExit(recording, path, snapshot, hooks));
    // Nothing stops at the first refusal: every key is still tried and the text is still offered for saving.
    EXPECT_NE(std::find(recording.writes.begin(), recording.writes.end(), "Interface/shukuflag"),
              recording.writes.end());
    EXPECT_EQ(hooks.saveOffers, 1);
    EXPECT_TRUE(std::filesystem::is_directory(path));

    const std::string file = FreshPath("fine");
    EXPECT_TRUE(WriteSettingsAtExit(*profile, file, snapshot, hooks));
}

TEST_P(SettingsFile, AMegabyteFileIsReadAndWrittenBackWhole) {
    std::string bytes = "[Style]\r\ntxtsize=300\r\n[Padding]\r\n";
    for (int i = 0; bytes.size() < 1024 * 1024; ++i)
        bytes += "k" + std::to_string(i) + "=" + std::string(60, 'v') + "\r\n";
    const std::string path = FileWith(bytes);
    CConfigFile config(*profile, path);
    config.LoadStyle();
    EXPECT_EQ(config.Style().textSize, 300);
    ExitSnapshot snapshot;
    snapshot.style = config.Style();
    RecordingHooks hooks(path);
    EXPECT_TRUE(WriteSettingsAtExit(*profile, path, snapshot, hooks));
    const std::string after = GetFile(path);
    EXPECT_TRUE(Holds(after, "k1000=" + std::string(60, 'v') + "\r\n"));
    EXPECT_GT(after.size(), bytes.size());
}

TEST_P(SettingsFile, LibraryFolderAlreadyListedIsNotAddedAgain) {
    const std::string path = FileWith("[File Dir]\r\nFileNum=2\r\n1=D:\\a\r\n2=D:\\books\r\n");
    ExitSnapshot snapshot;
    snapshot.libraryFolder = "D:\\books";
    RecordingHooks hooks(path);
    WriteSettingsAtExit(*profile, path, snapshot, hooks);
    EXPECT_TRUE(Holds(GetFile(path), "[File Dir]\r\nFileNum=2\r\n1=D:\\a\r\n2=D:\\books\r\n"));

    snapshot.libraryFolder = "D:\\Books";  // folders compare byte for byte
    WriteSettingsAtExit(*profile, path, snapshot, hooks);
    EXPECT_TRUE(Holds(GetFile(path), "[File Dir]\r\nFileNum=3\r\n1=D:\\Books\r\n2=D:\\a\r\n3=D:\\books\r\n"));
}

TEST_P(SettingsFile, NegativeSizeAndSpacingStayInTheFile) {
    const std::string path = FileWith("[Style]\r\ntxtsize=-1\r\ntxthj=-5\r\n");
    CConfigFile config(*profile, path);
    config.LoadStyle();
    EXPECT_EQ(config.Style().textSize, -1);
    EXPECT_EQ(config.Style().lineSpacing, -5);
    ExitSnapshot snapshot;
    snapshot.style = config.Style();
    RecordingHooks hooks(path);
    WriteSettingsAtExit(*profile, path, snapshot, hooks);
    EXPECT_TRUE(Holds(GetFile(path), "txtsize=-1\r\ntxthj=-5\r\n"));
    config.LoadStyle();
    EXPECT_EQ(config.Style().textSize, -1);
}

TEST_P(SettingsFile, CustomRulesAreWrittenUpToTheFirstEmptyOne) {
    const std::string path = FileWith("[RuleDiy]\r\n3=[old][rule][x][y]\r\n");
    ExitSnapshot snapshot;
    snapshot.customRules[0] = "[第][章][][]";
    snapshot.customRules[1] = "[卷][节][][]";
    snapshot.customRules[3] = "[new][rule][x][y]";
    RecordingHooks hooks(path);
    WriteSettingsAtExit(*profile, path, snapshot, hooks);
    EXPECT_TRUE(Holds(GetFile(path),
                      "[RuleDiy]\r\n3=[old][rule][x][y]\r\n0=[第][章][][]\r\n1=[卷][节][][]\r\n[BookMark]"));

    const std::string full = FreshPath("rules");
    for (int i = 0; i < 10; ++i)
        snapshot.customRules[static_cast<std::size_t>(i)] = "[r" + std::to_string(i) + "]";
    WriteSettingsAtExit(*profile, full, snapshot, hooks);
    EXPECT_TRUE(Holds(GetFile(full), "8=[r8]\r\n9=[r9]\r\n[Quote]"));
}

TEST_P(SettingsFile, FlagsAreWrittenAsOneOrZeroAndCountsAsNumbers) {
    const std::string path = FreshPath("flags");
    ExitSnapshot snapshot;
    snapshot.underline = 5;
    snapshot.nightFlag = 1;
    snapshot.keepOne = 0;
    snapshot.keyUD = 3;
    snapshot.sortRuleFlag = 8;
    snapshot.sidebarHidden = true;
    snapshot.librarySelection = 4;
    snapshot.sidebarShowsBookFolder = false;
    RecordingHooks hooks(path);
    WriteSettingsAtExit(*profile, path, snapshot, hooks);
    const std::string file = GetFile(path);
    EXPECT_TRUE(Holds(file, "UNDERLINE=1\r\n"));
    EXPECT_TRUE(Holds(file, "NightFlag=1\r\nKeepOne=0\r\nKeyUD=3\r\nSortRuleFlag=8\r\norgrectFlag=1\r\n"));
    EXPECT_TRUE(Holds(file, "shukuflag=0\r\n"));

    snapshot.sidebarShowsBookFolder = true;
    WriteSettingsAtExit(*profile, path, snapshot, hooks);
    EXPECT_TRUE(Holds(GetFile(path), "shukuflag=4\r\n"));
}

TEST_P(SettingsFile, LastReadEntryOfTheOpenBookIsReadBackAtStartUp) {
    const std::string path = FreshPath("resume");
    ExitSnapshot snapshot;
    snapshot.fileName = "斗破苍穹.txt";
    snapshot.page = 57;
    snapshot.bookPath = "D:\\小说\\斗破苍穹.txt";
    snapshot.now = {2024, 11, 9, 23, 41, 0};
    snapshot.markLine = 12;
    RecordingHooks hooks(path);
    WriteSettingsAtExit(*profile, path, snapshot, hooks);
    CConfigFile config(*profile, path);
    ReadViewSettings(config);
    EXPECT_EQ(config.LastReadEntry().raw, "斗破苍穹.txt,P57,23:41,09/November >D:\\小说\\斗破苍穹.txt");
    EXPECT_EQ(config.LastReadEntry().path, "D:\\小说\\斗破苍穹.txt");
    EXPECT_EQ(config.LastReadEntry().page, "57");
    EXPECT_EQ(ReadMarkLine(*profile, path), 12);
}

TEST_P(SettingsFile, DamagedCountsAndModesAreBroughtIntoRange) {
    std::string file = "[BookMark]\r\nMarkNum=50\r\n";
    for (int k = 0; k <= 12; ++k)
        file += std::to_string(k) + "=" + std::string(300, static_cast<char>('a' + k)) + "\r\n";
    file +=
        "[File Dir]\r\nFileNum=99\r\n[TimePad]\r\nTimePadNum=1000\r\n"
        "[Style]\r\nKeyUD=7\r\nSortFlag=-1\r\nSortRuleFlag=99\r\ntxtsize=-1\r\nBJL=-5\r\nMarkLine=-3\r\n"
        "[Quote]\r\nQuoteFlag=5\r\nRollType=9\r\nTimeSpan=-20\r\n[Interface]\r\nTrayFlag=7\r\nshukuflag=-"
        "4\r\n";
    const std::string path = FileWith(file);
    CConfigFile config(*profile, path);
    const ViewSettings view = ReadViewSettings(config);
    EXPECT_EQ(config.MarkNum(), 9);
    EXPECT_EQ(config.BookmarkEntry(9).raw, std::string(259, 'j'));
    EXPECT_EQ(config.BookmarkEntry(10).raw, "");
    EXPECT_EQ(config.BookmarkEntry(-1).raw, "");
    EXPECT_EQ(config.FileNum(), 5);
    EXPECT_EQ(config.RecentFolder(6), "");
    config.LoadReadingRecords();
    EXPECT_EQ(config.TimePadNum(), 99);
    EXPECT_EQ(config.ReadingRecordLine(100), "");
    EXPECT_EQ(view.keyUD, 1);
    EXPECT_EQ(view.sortFlag, 0);
    EXPECT_EQ(view.sortRuleFlag, 1);
    EXPECT_EQ(view.quoteFlag, 1);
    EXPECT_EQ(view.rollType, 0);
    EXPECT_EQ(view.trayFlag, -1);
    // Values that index nothing stay as read.
    EXPECT_EQ(config.Style().textSize, -1);
    EXPECT_EQ(view.marginLeft, -5);
    EXPECT_EQ(view.timeSpan, -20);
    EXPECT_EQ(ReadMarkLine(*profile, path), -3);
    EXPECT_EQ(ReadLibrarySelection(*profile, path), -4);

    const std::string negative = FileWith(
        "[BookMark]\r\nMarkNum=-3\r\n0=x,P2,10:00,01/May >C:\\x.txt\r\n1=never read\r\n"
        "[File Dir]\r\nFileNum=-1\r\n[TimePad]\r\nTimePadNum=abc\r\n[Style]\r\nKeyUD=0\r\n");
    CConfigFile damaged(*profile, negative);
    const ViewSettings second = ReadViewSettings(damaged);
    EXPECT_EQ(damaged.MarkNum(), 0);
    EXPECT_EQ(damaged.LastReadEntry().path, "C:\\x.txt");
    EXPECT_EQ(damaged.BookmarkEntry(1).raw, "");
    EXPECT_EQ(damaged.FileNum(), 0);
    damaged.LoadReadingRecords();
    EXPECT_EQ(damaged.TimePadNum(), 0);
    EXPECT_EQ(second.keyUD, 1);
}

TEST_P(SettingsFile, LongLastReadEntryLosesTheEndOfItsPathOnly) {
    const std::string longPath = "C:\\" + std::string(300, 'd') + "\\book.txt";
    const std::string path = FreshPath("long");
    CConfigFile config(*profile, path);
    config.SaveLastReadEntry("book.txt", 4, longPath, {2024, 3, 3, 14, 5, 0});
    config.LoadBookmarks();
    EXPECT_EQ(config.LastReadEntry().raw.size(), 259u);
    EXPECT_EQ(config.LastReadEntry().page, "4");
    EXPECT_EQ(config.LastReadEntry().path,
              longPath.substr(0, 259 - std::string("book.txt,P4,14:05,03/March >").size()));
}

INSTANTIATE_TEST_SUITE_P(Store, SettingsFile, ::testing::ValuesIn(ProfileImplementations()),
                         [](const ::testing::TestParamInfo<ProfileImplementation>& info) {
                             return info.param.name;
                         });

TEST(StartUpReads, FrameAndViewReadTheirKeysInOrder) {
    const std::string path = FreshPath("order");
    PutFile(path, "[BookMark]\r\nMarkNum=2\r\n[File Dir]\r\nFileNum=1\r\n");
    NativeProfile native;
    RecordingProfile recording(native);
    ReadFrameSettings(recording, path);
    ReadBossKeySettings(recording, path);
    EXPECT_EQ(recording.reads, (std::vector<std::string>{"Interface/RemWndPlace", "Quote/TimeSpanTip",
                                                         "Interface/toolflag", "Interface/statusflag",
                                                         "Interface/DIYname", "Style/KeyA", "Style/KeyV"}));

    recording.reads.clear();
    CConfigFile config(recording, path);
    ReadViewSettings(config);
    const std::vector<std::string> expected = {
        "BookMark/MarkNum",   "BookMark/0",       "BookMark/1",         "BookMark/2",
        "Style/bkcolor",      "Style/txtcolor",   "Style/txtfont",      "Style/txtsize",
        "Style/txthj",        "File Dir/FileNum", "File Dir/1",         "Check/HaoZpath",
        "Style/UNDERLINE",    "Style/ITALIC",     "Style/BOLD",         "Style/BJL",
        "Style/BJR",          "Style/BJU",        "Style/BJD",          "Style/delblank",
        "Style/KeepOne",      "Style/KeyUD",      "RuleDiy/0",          "RuleDiy/1",
        "RuleDiy/2",          "RuleDiy/3",        "RuleDiy/4",          "RuleDiy/5",
        "RuleDiy/6",          "RuleDiy/7",        "RuleDiy/8",          "RuleDiy/9",
        "Interface/TrayFlag", "Quote/RollType",   "Quote/TimeSpan",     "Quote/TimeEnd",
        "Quote/TimeFirst",    "Quote/QuoteFlag",  "Quote/LoopFlag",     "Quote/QuotePath",
        "Quote/ScrollFlag",   "Style/SortFlag",   "Style/SortRuleFlag", "Style/orgrectFlag",
        "Style/QuoteBarFlag", "Style/picPath",    "Style/NightFlag"};
    EXPECT_EQ(recording.reads, expected);
}

TEST(ConfigPath, IsTheProgramFolderAndConfigIni) {
    EXPECT_EQ(ConfigPathFromModule("C:\\Program Files\\Pel\\Pelinreader.exe"),
              "C:\\Program Files\\Pel\\Config.ini");
    EXPECT_EQ(ConfigPathFromModule("D:\\阅读器\\Pelinreader.exe"), "D:\\阅读器\\Config.ini");
    EXPECT_EQ(ConfigPathFromModule("Pelinreader.exe"), "Config.ini");
    // The second byte of a double-byte character may be a backslash: it is no folder end.
    EXPECT_EQ(ConfigPathFromModule("D:\\Pel\\\xB6\xC1\x81\x5C.exe"), "D:\\Pel\\Config.ini");
    EXPECT_EQ(ConfigPathFromModule("D:\\\x81\x5C\\p.exe"), "D:\\\x81\x5C\\Config.ini");
}

}  // namespace
}  // namespace pel::testing

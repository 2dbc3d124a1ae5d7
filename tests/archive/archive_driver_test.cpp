// The driver's road: finding the extractor, listing an archive, extracting a member, waiting.
#include "archive/archive_driver.h"

#include <gtest/gtest.h>

#include "archive_doubles.h"
#include "listing_samples.h"

namespace pel {
namespace {

using testing::ListingOf;

constexpr char kIni[] = "C:\\Pelin 阅读器\\Config.ini";
constexpr char kProgramDir[] = "C:\\Pelin 阅读器\\";
constexpr char kListFile[] = "C:\\Pelin 阅读器\\temp\\rarlist.txt";
constexpr char kExtractor[] = "E:\\工具\\HaoZip\\HaoZipC.exe";
constexpr char kArchive[] = "D:\\小说 合集\\武侠.rar";

class ArchiveDriverTest : public ::testing::Test {
protected:
    void UseExtractor(const std::string& path = kExtractor) {
        profile.values[{"Check", "HaoZpath"}] = path;
        files.contents[path] = "MZ";
        driver.LocateExtractor();
    }
    // The extractor writes `listing` into the list file when it is started.
    void ListingWillBe(const std::string& listing) {
        runner.onStart = [this, listing](const std::string&) { files.contents[kListFile] = listing; };
    }

    testing::MemoryProfile profile;
    testing::MemoryFiles files;
    testing::FakeRunner runner;
    testing::RecordingHost host;
    CArchiveDriver driver{profile, kIni, kProgramDir, files, runner, host};
};

// ---- LocateExtractor

TEST_F(ArchiveDriverTest, TheStoredExtractorPathIsKeptAsItIs) {
    profile.values[{"Check", "HaoZpath"}] = "F:\\HaoZipC.exe";
    files.contents[kExtractorDefaultC] = "MZ";
    driver.LocateExtractor();
    EXPECT_EQ(driver.ExtractorPath(), "F:\\HaoZipC.exe");
    EXPECT_TRUE(profile.writes.empty());
}

TEST_F(ArchiveDriverTest, WithoutAStoredPathTheDefaultPlacesAreTriedCFirstAndWrittenAtOnce) {
    files.contents[kExtractorDefaultD] = "MZ";
    driver.LocateExtractor();
    EXPECT_EQ(driver.ExtractorPath(), "d:\\program files\\haozip\\haozipc.exe");
    EXPECT_EQ(profile.writes,
              std::vector<std::string>{"Check/HaoZpath=d:\\program files\\haozip\\haozipc.exe"});

    files.contents[kExtractorDefaultC] = "MZ";
    profile.values.clear();
    driver.LocateExtractor();
    EXPECT_EQ(driver.ExtractorPath(), "c:\\program files\\haozip\\haozipc.exe");
}

TEST_F(ArchiveDriverTest, NoExtractorAnywhereLeavesThePathEmpty) {
    driver.LocateExtractor();
    EXPECT_EQ(driver.ExtractorPath(), "");
    EXPECT_TRUE(profile.writes.empty());
}

// ---- ListArchive: the extractor

TEST_F(ArchiveDriverTest, AMissingExtractorIsAskedForAndCancelEndsTheListing) {
    profile.values[{"Check", "HaoZpath"}] = "E:\\gone\\HaoZipC.exe";
    driver.LocateExtractor();
    EXPECT_FALSE(driver.ListArchive(kArchive));
    EXPECT_EQ(host.messages, std::vector<std::string>{"请设定 好压压缩命令行 HaoZipC.exe 位置"});
    EXPECT_EQ(host.browses, 1);
    EXPECT_TRUE(runner.started.empty());
    EXPECT_TRUE(profile.writes.empty());
    EXPECT_EQ(driver.ExtractorPath(), "E:\\gone\\HaoZipC.exe");
}

TEST_F(ArchiveDriverTest, TheChosenExtractorIsInConfigIniBeforeTheListingRuns) {
    driver.LocateExtractor();
    host.browseResult = "G:\\绿色 软件\\HaoZipC.exe";
    std::string storedAtStart;
    runner.onStart = [&](const std::string&) {
        storedAtStart = profile.values[{"Check", "HaoZpath"}];
        files.contents[kListFile] = ListingOf({"a.txt"});
    };
    EXPECT_TRUE(driver.ListArchive(kArchive));
    EXPECT_EQ(storedAtStart, "G:\\绿色 软件\\HaoZipC.exe");
    EXPECT_EQ(driver.ExtractorPath(), "G:\\绿色 软件\\HaoZipC.exe");
    ASSERT_EQ(runner.started.size(), 1u);
    EXPECT_EQ(runner.started[0].substr(0, 35), "cmd.exe /D /C G:& cd \"G:\\绿色 软件\"");
}

TEST_F(ArchiveDriverTest, AChosenFolderGivesTheExtractorInsideIt) {
    driver.LocateExtractor();
    files.contents["G:\\HaoZip\\HaoZipC.exe"] = "MZ";
    host.browseResult = "G:\\HaoZip";
    ListingWillBe(ListingOf({"a.txt"}));
    EXPECT_TRUE(driver.ListArchive(kArchive));
    EXPECT_EQ(driver.ExtractorPath(), "G:\\HaoZip\\HaoZipC.exe");
    EXPECT_EQ(profile.writes, std::vector<std::string>{"Check/HaoZpath=G:\\HaoZip\\HaoZipC.exe"});
}

// ---- ListArchive: the listing

TEST_F(ArchiveDriverTest, ListingFillsTheMembersWithTheirNamesAndBookPaths) {
    UseExtractor();
    ListingWillBe(ListingOf({"第一卷\\第1章.txt", "番外.txt", "第二卷\\第1章.txt"}));
    ASSERT_TRUE(driver.ListArchive(kArchive));

    EXPECT_EQ(runner.started,
              std::vector<std::string>{
                  "cmd.exe /D /C E:& cd \"E:\\工具\\HaoZip\"& haozipc l \"D:\\小说 合集\\武侠.rar\""
                  " -y -r0 *.txt >\"C:\\Pelin 阅读器\\temp\\rarlist.txt\""});
    EXPECT_TRUE(files.folders.count("C:\\Pelin 阅读器\\temp"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(driver.MemberCount(), 3);
    EXPECT_TRUE(driver.ListingActive());
    EXPECT_EQ(driver.ListedArchive(), kArchive);
    ASSERT_EQ(driver.Members().size(), 3u);
    EXPECT_EQ(driver.Members()[0].path, "第一卷\\第1章.txt");
    EXPECT_EQ(driver.Members()[0].displayName, "第1章.txt");
    EXPECT_EQ(driver.Members()[1].displayName, "番外.txt");
    EXPECT_EQ(driver.MemberBookPathAt(2), "D:\\小说 合集\\武侠.rar|第二卷\\第1章.txt");
    EXPECT_EQ(driver.MemberBookPathAt(3), "");
    EXPECT_EQ(driver.MemberBookPathAt(-1), "");

    driver.ResetListing();
    EXPECT_FALSE(driver.ListingActive());
    EXPECT_EQ(driver.MemberBookPathAt(0), "");
}

TEST_F(ArchiveDriverTest, ASecondArchiveReplacesTheMembers) {
    UseExtractor();
    ListingWillBe(ListingOf({"a.txt", "b.txt"}));
    ASSERT_TRUE(driver.ListArchive(kArchive));
    ListingWillBe(ListingOf({"c.txt"}));
    ASSERT_TRUE(driver.ListArchive("D:\\其他.zip"));
    EXPECT_EQ(driver.MemberCount(), 1);
    EXPECT_EQ(driver.MemberBookPathAt(0), "D:\\其他.zip|c.txt");
}

TEST_F(ArchiveDriverTest, AnEarlierListFileIsNeverReadForANewArchive) {
    UseExtractor();
    files.contents[kListFile] = ListingOf({"旧书.txt"});
    runner.refuseStart = true;
    EXPECT_FALSE(driver.ListArchive(kArchive));
    EXPECT_EQ(host.messages, std::vector<std::string>{"Wrong!"});
    EXPECT_FALSE(driver.ListingActive());

    // The interpreter starts but writes nothing: the old file is gone all the same.
    files.contents[kListFile] = ListingOf({"旧书.txt"});
    runner.refuseStart = false;
    host.messages.clear();
    EXPECT_FALSE(driver.ListArchive(kArchive));
    EXPECT_EQ(host.messages, std::vector<std::string>{"文件解压失败！"});
}

TEST_F(ArchiveDriverTest, OutputThatIsNoListingIsAFailedListing) {
    UseExtractor();
    ListingWillBe("'haozipc' is not recognized as an internal or external command.\r\n");
    EXPECT_FALSE(driver.ListArchive(kArchive));
    EXPECT_EQ(host.messages, std::vector<std::string>{"文件解压失败！"});
}

TEST_F(ArchiveDriverTest, AnArchiveWithoutTextFilesSaysSoAndEndsTheListing) {
    UseExtractor();
    ListingWillBe(ListingOf({"a.txt"}));
    ASSERT_TRUE(driver.ListArchive(kArchive));
    ListingWillBe(ListingOf({"封面.jpg"}));
    EXPECT_FALSE(driver.ListArchive("D:\\图片.zip"));
    EXPECT_EQ(host.messages, std::vector<std::string>{"压缩包未找到txt文件！"});
    EXPECT_EQ(driver.MemberCount(), 0);
}

TEST_F(ArchiveDriverTest, MoreThan2000MembersAreCutWithAMessage) {
    UseExtractor();
    std::vector<std::string> names;
    for (int i = 0; i < 2001; ++i) names.push_back(std::to_string(i) + ".txt");
    ListingWillBe(ListingOf(names));
    ASSERT_TRUE(driver.ListArchive(kArchive));
    EXPECT_EQ(host.messages, std::vector<std::string>{"压缩包txt文件总数大于2000！只提取其中2000项！"});
    EXPECT_EQ(driver.MemberCount(), 2000);
}

TEST_F(ArchiveDriverTest, UnsafeMembersAreLeftOutWithTheirNumber) {
    UseExtractor();
    ListingWillBe(ListingOf({"..\\..\\boot.txt", "正文.txt", "C:\\x.txt"}));
    ASSERT_TRUE(driver.ListArchive(kArchive));
    EXPECT_EQ(host.messages, std::vector<std::string>{"压缩包中有2个txt文件的文件名不安全，未列出！"});
    EXPECT_EQ(driver.MemberCount(), 1);
}

TEST_F(ArchiveDriverTest, PathsThatWouldChangeTheCommandAreRefusedBeforeAnythingRuns) {
    UseExtractor();
    EXPECT_FALSE(driver.ListArchive("D:\\%TEMP%\\a.rar"));
    EXPECT_EQ(host.messages, std::vector<std::string>{std::string(kMsgUnsafePath) + "D:\\%TEMP%\\a.rar"});

    host.messages.clear();
    UseExtractor("E:\\%a%\\HaoZipC.exe");
    EXPECT_FALSE(driver.ListArchive(kArchive));
    EXPECT_EQ(host.messages, std::vector<std::string>{std::string(kMsgUnsafePath) + "E:\\%a%"});
    EXPECT_TRUE(runner.started.empty());
}

TEST_F(ArchiveDriverTest, AListingStillRunningAfterTheLastPollIsNotRead) {
    UseExtractor();
    runner.runningPolls = -1;
    ListingWillBe(ListingOf({"a.txt"}));
    EXPECT_FALSE(driver.ListArchive(kArchive));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(runner.stops, 1);
    EXPECT_FALSE(driver.ListingActive());
    EXPECT_EQ(driver.ExtractorPath(), kExtractor);
}

// ---- ExtractArchiveMember

TEST_F(ArchiveDriverTest, ExtractionPutsTheMemberIntoTempUnderItsBareName) {
    UseExtractor();
    const std::string book = std::string(kArchive) + "|第一卷\\第 1 章.txt";
    files.contents["C:\\Pelin 阅读器\\temp\\第 1 章.txt"] = "stale copy of another archive's member";
    runner.onStart = [&](const std::string&) {
        EXPECT_EQ(files.contents.count("C:\\Pelin 阅读器\\temp\\第 1 章.txt"), 0u);
        files.contents["C:\\Pelin 阅读器\\temp\\第 1 章.txt"] = "第一章";
    };
    EXPECT_TRUE(driver.ExtractArchiveMember(book));
    EXPECT_EQ(runner.started,
              std::vector<std::string>{
                  "cmd.exe /D /C E:& cd \"E:\\工具\\HaoZip\"& haozipc e \"D:\\小说 合集\\武侠.rar\""
                  " -y -o\"C:\\Pelin 阅读器\\temp\" \"第一卷\\第 1 章.txt\""});
    EXPECT_TRUE(files.folders.count("C:\\Pelin 阅读器\\temp"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(driver.ExtractedPathOf(book), "C:\\Pelin 阅读器\\temp\\第 1 章.txt");
}

TEST_F(ArchiveDriverTest, AMemberThatWouldLeaveTempIsRefused) {
    UseExtractor();
    for (const std::string member : {"..\\..\\Windows\\win.txt", "C:\\boot.txt", "a\" & calc & \".txt"}) {
        host.messages.clear();
        EXPECT_FALSE(driver.ExtractArchiveMember(std::string(kArchive) + "|" + member));
        EXPECT_EQ(host.messages, std::vector<std::string>{std::string(kMsgUnsafeMember) + member});
    }
    EXPECT_TRUE(runner.started.empty());
    EXPECT_TRUE(files.removed.empty());
}

TEST_F(ArchiveDriverTest, AMemberTheExtractorDidNotWriteIsAFailedExtraction) {
    UseExtractor();
    EXPECT_FALSE(driver.ExtractArchiveMember(std::string(kArchive) + "|正文.txt"));
    EXPECT_EQ(host.messages, std::vector<std::string>{"文件解压失败！"});

    host.messages.clear();
    runner.refuseStart = true;
    EXPECT_FALSE(driver.ExtractArchiveMember(std::string(kArchive) + "|正文.txt"));
    EXPECT_EQ(host.messages, std::vector<std::string>{"Wrong!"});
}

TEST_F(ArchiveDriverTest, AnExtractionStillRunningAfterTheLastPollFails) {
    UseExtractor();
    runner.runningPolls = -1;
    runner.onStart = [&](const std::string&) { files.contents["C:\\Pelin 阅读器\\temp\\正文.txt"] = "半"; };
    EXPECT_FALSE(driver.ExtractArchiveMember(std::string(kArchive) + "|正文.txt"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(runner.stops, 1);
    // The half-written member is not left for a later open.
    EXPECT_EQ(files.contents.count("C:\\Pelin 阅读器\\temp\\正文.txt"), 0u);
}

TEST_F(ArchiveDriverTest, ExtractionWithoutAnExtractorAsksForIt) {
    driver.LocateExtractor();
    EXPECT_FALSE(driver.ExtractArchiveMember(std::string(kArchive) + "|正文.txt"));
    EXPECT_EQ(host.messages, std::vector<std::string>{"请设定 好压压缩命令行 HaoZipC.exe 位置"});
    EXPECT_EQ(host.browses, 1);
    EXPECT_TRUE(runner.started.empty());
}

TEST_F(ArchiveDriverTest, APathWithoutABarIsNoMember) {
    UseExtractor();
    EXPECT_FALSE(driver.ExtractArchiveMember("D:\\a.txt"));
    EXPECT_EQ(driver.ExtractedPathOf("D:\\a.txt"), "");
    EXPECT_TRUE(runner.started.empty());
    EXPECT_TRUE(host.messages.empty());
}

// ---- WaitForExtractor

TEST_F(ArchiveDriverTest, TheWaitSleepsOnceWhenTheExtractorHasAlreadyEnded) {
    EXPECT_EQ(driver.WaitForExtractor(), WaitOutcome::kEnded);
    EXPECT_EQ(runner.sleeps, std::vector<int>{200});
}

TEST_F(ArchiveDriverTest, TheWaitGoesOnThrough20PollsAndGivesUpAtThe21st) {
    runner.runningPolls = 20;
    runner.StartHidden("x");
    EXPECT_EQ(driver.WaitForExtractor(), WaitOutcome::kEnded);
    EXPECT_EQ(runner.sleeps, std::vector<int>(21, 200));
    EXPECT_TRUE(host.messages.empty());

    EXPECT_TRUE(host.notices.empty());

    // From the 21st poll on the notice is shown and the wait lasts as long as the extractor works.
    runner.sleeps.clear();
    runner.runningPolls = 60;
    host.keepWaitingAsks = 1000;
    runner.StartHidden("x");
    EXPECT_EQ(driver.WaitForExtractor(), WaitOutcome::kEnded);
    EXPECT_EQ(runner.sleeps, std::vector<int>(61, 200));
    EXPECT_EQ(host.notices, (std::vector<bool>{true, false}));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(runner.stops, 0);
}

TEST_F(ArchiveDriverTest, AReaderWhoGivesUpEndsTheExtractor) {
    runner.runningPolls = -1;
    host.keepWaitingAsks = 5;
    runner.StartHidden("x");
    EXPECT_EQ(driver.WaitForExtractor(), WaitOutcome::kTimedOut);
    EXPECT_EQ(runner.polls, 26);
    EXPECT_EQ(runner.stops, 1);
    EXPECT_EQ(host.notices, (std::vector<bool>{true, false}));
}

TEST_F(ArchiveDriverTest, AnExtractorThatNeverEndsIsEndedAfterFiveMinutes) {
    runner.runningPolls = -1;
    host.keepWaitingAsks = 1 << 30;
    runner.StartHidden("x");
    EXPECT_EQ(driver.WaitForExtractor(), WaitOutcome::kTimedOut);
    EXPECT_EQ(runner.polls, kExtractorGiveUpPolls);
    EXPECT_EQ(runner.stops, 1);
}

TEST_F(ArchiveDriverTest, AnExtractorThatWritesNoListingIsForgottenAndAskedForAgain) {
    UseExtractor("E:\\工具\\notepad.exe");
    ListingWillBe("'haozipc' is not recognized as an internal or external command.\r\n");
    EXPECT_FALSE(driver.ListArchive(kArchive));
    EXPECT_TRUE(driver.ExtractorPath().empty());
    EXPECT_EQ((profile.values[{"Check", "HaoZpath"}]), "");
    host.messages.clear();
    host.browseResult = "";
    EXPECT_FALSE(driver.ListArchive(kArchive));
    EXPECT_EQ(host.browses, 1);
    EXPECT_EQ(host.messages, std::vector<std::string>{"请设定 好压压缩命令行 HaoZipC.exe 位置"});

    // A listing that begins and breaks off (a damaged archive) keeps the extractor.
    UseExtractor();
    const std::string listing = ListingOf({"a.txt"});
    ListingWillBe(listing.substr(0, listing.size() / 2 + 60));
    EXPECT_FALSE(driver.ListArchive(kArchive));
    EXPECT_EQ(driver.ExtractorPath(), kExtractor);
}

TEST_F(ArchiveDriverTest, TheExtractorBesideTheProgramIsTakenLastAndNotStored) {
    files.contents["C:\\Pelin 阅读器\\HaoZipC.exe"] = "MZ";
    driver.LocateExtractor();
    EXPECT_EQ(driver.ExtractorPath(), "C:\\Pelin 阅读器\\HaoZipC.exe");
    EXPECT_TRUE(profile.writes.empty());
    files.contents[kExtractorDefaultD] = "MZ";
    driver.LocateExtractor();
    EXPECT_EQ(driver.ExtractorPath(), kExtractorDefaultD);
}

}  // namespace
}  // namespace pel

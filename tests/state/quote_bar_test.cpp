// The quote bar: the built-in quotations and their rotation, the quote file line by line and scrolling,
// the files it refuses, the place of static 1028, and hiding and showing the bottom bar.
#include "state/quote_bar.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "../support/fake_file_system.h"

namespace pel::testing {
namespace {

constexpr const char* kQuotePath = "C:\\书\\名言.txt";

class QuoteHost : public IQuoteBarHost {
public:
    void StartTimer(int id, int periodMs) override {
        started.push_back({id, periodMs});
        running.insert(id);
    }
    void StopTimer(int id) override { running.erase(id); }
    int MessageBox(const std::string& text, const std::string&, unsigned) override {
        messages.push_back(text);
        return 1;
    }
    QuoteExtent ViewClientSize() override { return client; }
    QuoteExtent MeasureQuote(const std::string& text) override {
        return {static_cast<int>(text.size()) * 6, 14};
    }
    void SetQuoteText(const std::string& t) override {
        text = t;
        ++textsSet;
    }
    void MoveQuote(const QuoteRect& where, bool r) override {
        place = where;
        repaint = r;
    }
    void RelayoutView() override { ++relayouts; }

    struct Start {
        int id;
        int period;
        bool operator==(const Start&) const = default;
    };
    std::vector<Start> started;
    std::set<int> running;
    std::vector<std::string> messages;
    QuoteExtent client{1000, 700};
    std::string text = kQuoteLineInitialText;
    int textsSet = 0;
    QuoteRect place{-1, -1, -1, -1};
    bool repaint = true;
    int relayouts = 0;
};

class QuoteBarTest : public ::testing::Test {
protected:
    void UseFile(std::string bytes, int scroll = 0, int loop = 0) {
        files.Add(kQuotePath, std::move(bytes));
        settings.quoteFlag = kQuoteFromFile;
        settings.quotePath = kQuotePath;
        settings.scrollFlag = scroll;
        settings.loopFlag = loop;
    }
    // The texts of `ticks` ticks in a row.
    std::vector<std::string> Ticks(int ticks) {
        std::vector<std::string> shown;
        for (int i = 0; i < ticks; ++i) {
            bar.Tick();
            shown.push_back(host.text);
        }
        return shown;
    }

    QuoteSettings settings;
    QuoteHost host;
    FakeFileSystem files;
    QuoteBar bar{settings, host, files};
};

TEST(BuiltInQuotes, ThirtyOneTextsAfterAnEmptyFirstEntry) {
    EXPECT_STREQ(kBuiltInQuotes[0], "");
    std::set<std::string> distinct;
    for (int i = 1; i <= kBuiltInQuoteCount; ++i) {
        EXPECT_STRNE(kBuiltInQuotes[static_cast<std::size_t>(i)], "") << i;
        distinct.insert(kBuiltInQuotes[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(distinct.size(), 31u);
    EXPECT_STREQ(kBuiltInQuotes[1], "宝剑锋从磨砺出，梅花香自苦寒来！");
    // Trailing blanks belong to the texts.
    EXPECT_STREQ(kBuiltInQuotes[3], "博学之,审问之,慎思之,明辨之,笃行之。(《礼记》) ");
    EXPECT_STREQ(kBuiltInQuotes[9], "先读最好的书,否则你根本没有机会去读了。-- H· D梭罗 ");
    EXPECT_STREQ(kBuiltInQuotes[26], "读书之法，在循序渐进，熟读而精思。――朱 熹");
    EXPECT_STREQ(kBuiltInQuotes[31], "无所不能的人实在一无所能，无所不专的专家实在是一无所专。—－邹韬奋 ");
}

TEST_F(QuoteBarTest, EachModeStartsItsOwnTimer) {
    settings.quoteFlag = kQuoteOff;
    bar.StartQuotes();
    settings.quoteFlag = kQuoteBuiltIn;
    bar.StartQuotes();
    UseFile("一\n二\n");
    bar.StartQuotes();
    settings.scrollFlag = 1;
    bar.StartQuotes();
    const std::vector<QuoteHost::Start> expected{{10, 1000}, {11, 5000}, {12, 3000}, {13, 800}};
    EXPECT_EQ(host.started, expected);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(QuoteBarTest, TimersBelowOneHundredRunTheTick) {
    settings.quoteFlag = kQuoteBuiltIn;
    bar.StartQuotes();
    EXPECT_TRUE(bar.OnTimer(10));
    EXPECT_TRUE(bar.OnTimer(99));
    EXPECT_FALSE(bar.OnTimer(100));
    EXPECT_FALSE(bar.OnTimer(111));
    EXPECT_EQ(bar.QuoteIndex(), 2);
}

TEST_F(QuoteBarTest, BuiltInQuotationsComeRoundFromOneToThirtyOne) {
    settings.quoteFlag = kQuoteBuiltIn;
    bar.StartQuotes();
    const std::vector<std::string> shown = Ticks(33);
    for (int i = 0; i < 31; ++i) EXPECT_EQ(shown[static_cast<std::size_t>(i)], kBuiltInQuotes[i + 1u]) << i;
    EXPECT_EQ(shown[31], kBuiltInQuotes[1]);
    EXPECT_EQ(shown[32], kBuiltInQuotes[2]);
}

TEST_F(QuoteBarTest, BuiltInQuotationStandsAtTheLeftOfTheBottomBarWithItsMeasuredHeight) {
    settings.quoteFlag = kQuoteBuiltIn;
    bar.StartQuotes();
    bar.Tick();
    EXPECT_EQ(host.place.x, 5);
    EXPECT_EQ(host.place.y, 700 - 22);
    EXPECT_EQ(host.place.width, 1000 - 525);
    EXPECT_EQ(host.place.height, 14);
    EXPECT_TRUE(host.repaint);
    EXPECT_EQ(bar.LastQuoteExtent().width, static_cast<int>(std::string(kBuiltInQuotes[1]).size()) * 6);

    // A window narrower than the buttons leaves the quotation no width rather than a negative one.
    host.client = {400, 300};
    bar.Tick();
    EXPECT_EQ(host.place.width, 0);
    EXPECT_EQ(host.place.y, 278);
}

TEST_F(QuoteBarTest, QuotesOffEmptiesTheLineAndShrinksItWithoutRepaint) {
    settings.quoteFlag = kQuoteOff;
    bar.StartQuotes();
    bar.Tick();
    EXPECT_EQ(host.text, "");
    EXPECT_EQ(host.place.x, 0);
    EXPECT_EQ(host.place.y, 0);
    EXPECT_EQ(host.place.width, 0);
    EXPECT_EQ(host.place.height, 0);
    EXPECT_FALSE(host.repaint);
}

TEST_F(QuoteBarTest, FileLinesKeepTheirLineEndsAndTheTextAfterTheLastLineFeedComesLast) {
    UseFile("第一行\r\n第二行\r\n第三行\r\n");
    bar.StartQuotes();
    EXPECT_EQ(bar.QuoteLineCount(), 3);
    const std::vector<std::string> shown = Ticks(4);
    EXPECT_EQ(shown, (std::vector<std::string>{"第一行\r\n", "第二行\r\n", "第三行\r\n", ""}));
    EXPECT_EQ(host.running.count(kTimerQuoteLines), 0u);
    EXPECT_EQ(host.place.height, 16);
    EXPECT_EQ(host.place.x, 5);

    // A late tick leaves the last line as it stands.
    host.text = "最后";
    bar.Tick();
    EXPECT_EQ(host.text, "最后");
}

TEST_F(QuoteBarTest, LoopingFileLinesStartAgainFromTheFirst) {
    UseFile("甲\n乙", 0, 1);
    bar.StartQuotes();
    EXPECT_EQ(Ticks(5), (std::vector<std::string>{"甲\n", "乙", "甲\n", "乙", "甲\n"}));
    EXPECT_EQ(host.running.count(kTimerQuoteLines), 1u);
}

TEST_F(QuoteBarTest, ALineOf150BytesSwitchesToScrollingForGood) {
    const std::string line149 = std::string(148, 'a') + "\n";
    const std::string line150 = std::string(149, 'a') + "\n";
    UseFile("短\n" + line149 + line150);
    bar.StartQuotes();
    EXPECT_EQ(Ticks(2)[1], line149);
    EXPECT_EQ(settings.scrollFlag, 0);

    bar.Tick();
    EXPECT_EQ(host.messages, (std::vector<std::string>{kQuoteLineTooLong}));
    EXPECT_EQ(settings.scrollFlag, 1);
    EXPECT_EQ(host.text, "");
    EXPECT_EQ(host.running, (std::set<int>{kTimerQuoteScroll}));
    // Now scrolling from the start of the file, its line feeds made blanks.
    bar.Tick();
    EXPECT_EQ(host.text, "短 " + std::string(16, 'a'));
}

TEST_F(QuoteBarTest, QuoteFilesThatRotateNothing) {
    struct Case {
        const char* what;
        bool addFile;
        std::string bytes;
        std::string path;
        std::string message;
    };
    const std::string tenThousandLines(10000, '\n');
    const std::vector<Case> cases{
        {"empty", true, "", kQuotePath, kQuoteFileEmpty},
        {"10000 line feeds", true, tenThousandLines, kQuotePath, kQuoteFileTooManyLines},
        {"missing", false, "", kQuotePath, std::string("没有找到 ") + kQuotePath + "。"},
        {"no path", false, "", "", " 中包含无效的路径。"},
    };
    for (const Case& c : cases) {
        QuoteSettings s;
        s.quoteFlag = kQuoteFromFile;
        s.quotePath = c.path;
        QuoteHost h;
        FakeFileSystem f;
        if (c.addFile) f.Add(c.path, c.bytes);
        QuoteBar b{s, h, f};
        b.StartQuotes();
        EXPECT_EQ(h.messages, (std::vector<std::string>{c.message})) << c.what;
        EXPECT_TRUE(h.started.empty()) << c.what;
        b.Tick();
        EXPECT_EQ(h.text, "") << c.what;
    }
}

TEST_F(QuoteBarTest, NineThousandNineHundredNinetyNineLineFeedsAreAccepted) {
    UseFile(std::string(9999, '\n'));
    bar.StartQuotes();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(bar.QuoteLineCount(), 9999);
    EXPECT_EQ(host.running.count(kTimerQuoteLines), 1u);
}

TEST_F(QuoteBarTest, AReadOnlyQuoteFileIsRead) {
    UseFile("只读\n");
    files.files[kQuotePath].readOnly = true;
    bar.StartQuotes();
    EXPECT_TRUE(host.messages.empty());
    bar.Tick();
    EXPECT_EQ(host.text, "只读\n");
}

TEST_F(QuoteBarTest, OnlyTheBeginningOfAHugeFileIsReadEndingOnAWholeCharacter) {
    // The cut falls between the two bytes of the last character.
    std::string bytes(kMaxQuoteFileBytes - 1, 'x');
    bytes += "中文";
    UseFile(bytes, 1);
    bar.StartQuotes();
    EXPECT_EQ(bar.QuoteFileText().size(), kMaxQuoteFileBytes - 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(QuoteBarTest, ScrollingShowsEighteenCharactersMovingOnByTwo) {
    // 32 characters, one-byte and two-byte mixed; line ends become blanks.
    UseFile("0中1文2字\r\n3汉4语5句6子7八8九9十ABCDEFGHIJ", 1);
    bar.StartQuotes();
    EXPECT_EQ(bar.QuoteFileText(), "0中1文2字  3汉4语5句6子7八8九9十ABCDEFGHIJ");
    EXPECT_EQ(Ticks(1)[0], "0中1文2字  3汉4语5句6子7八");
    EXPECT_EQ(Ticks(1)[0], "1文2字  3汉4语5句6子7八8九");
    EXPECT_EQ(Ticks(1)[0], "2字  3汉4语5句6子7八8九9十");
    EXPECT_EQ(bar.ScrollPos(), 6u);  // bytes of 0中1文
    // Steps until the window's 18th character is the last of the text, then the shorter one at the end.
    const std::vector<std::string> shown = Ticks(6);
    EXPECT_EQ(shown[3], "5句6子7八8九9十ABCDEFGH");
    EXPECT_EQ(shown[4], "6子7八8九9十ABCDEFGHIJ");
    EXPECT_EQ(shown[5], "7八8九9十ABCDEFGHIJ");
    EXPECT_EQ(host.running.count(kTimerQuoteScroll), 0u);
    bar.Tick();
    EXPECT_EQ(host.text, "7八8九9十ABCDEFGHIJ");
}

TEST_F(QuoteBarTest, ScrollingNeverSplitsATwoByteCharacter) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += i % 3 == 0 ? "a" : "中";
    UseFile(text, 1, 1);
    bar.StartQuotes();
    for (const std::string& window : Ticks(60)) {
        if (window.empty()) continue;
        ASSERT_NE(text.find(window), std::string::npos);
        // Every window starts and ends on a character of the text.
        std::size_t pos = text.find(window);
        std::size_t boundary = 0;
        while (boundary < pos) boundary += static_cast<unsigned char>(text[boundary]) >= 0x80 ? 2 : 1;
        EXPECT_EQ(boundary, pos) << window;
    }
}

TEST_F(QuoteBarTest, TenCharactersScrollOnceWithoutLoopAndNeverWithLoop) {
    UseFile("一二三四五六七八九十", 1, 0);
    bar.StartQuotes();
    bar.Tick();
    EXPECT_EQ(host.text, "一二三四五六七八九十");
    EXPECT_TRUE(host.running.empty());

    settings.loopFlag = 1;
    bar.Restart();
    EXPECT_EQ(Ticks(3), (std::vector<std::string>(3, "")));
    EXPECT_EQ(host.running.count(kTimerQuoteScroll), 1u);
}

TEST_F(QuoteBarTest, LoopingScrollStartsAgainAtTheBeginningAfterTheEnd) {
    UseFile("ABCDEFGHIJKLMNOPQRST", 1, 1);  // 20 characters
    bar.StartQuotes();
    EXPECT_EQ(Ticks(4), (std::vector<std::string>{"ABCDEFGHIJKLMNOPQR", "CDEFGHIJKLMNOPQRST", "",
                                                  "ABCDEFGHIJKLMNOPQR"}));
}

TEST_F(QuoteBarTest, HidingTheBarTurnsQuotesOffAndShowingItStartsTheSavedModeAfresh) {
    settings.quoteFlag = kQuoteBuiltIn;
    bar.Start(false);
    EXPECT_TRUE(bar.MenuChecked());
    Ticks(3);

    EXPECT_TRUE(bar.OnCommand(kCmdQuoteBar));
    EXPECT_TRUE(bar.BottomBarHidden());
    EXPECT_FALSE(bar.MenuChecked());
    EXPECT_TRUE(host.running.empty());
    EXPECT_EQ(settings.quoteFlag, kQuoteOff);
    EXPECT_EQ(bar.SavedQuoteMode(), kQuoteBuiltIn);
    EXPECT_EQ(host.relayouts, 1);

    bar.ToggleBottomBar();
    EXPECT_FALSE(bar.BottomBarHidden());
    EXPECT_EQ(settings.quoteFlag, kQuoteBuiltIn);
    EXPECT_EQ(host.running, (std::set<int>{kTimerQuoteBuiltIn}));
    EXPECT_EQ(host.relayouts, 2);
    bar.Tick();
    EXPECT_EQ(host.text, kBuiltInQuotes[1]);
    EXPECT_FALSE(bar.OnCommand(32809));
}

TEST_F(QuoteBarTest, ARunThatEndedHiddenStartsWithQuotesOffAndShowingKeepsThemOff) {
    settings.quoteFlag = kQuoteOff;  // as saved at exit while the bar was hidden
    bar.Start(true);
    EXPECT_TRUE(bar.BottomBarHidden());
    EXPECT_EQ(host.running, (std::set<int>{kTimerQuoteOff}));
    bar.ToggleBottomBar();
    EXPECT_EQ(settings.quoteFlag, kQuoteOff);
    EXPECT_EQ(host.running, (std::set<int>{kTimerQuoteOff}));
}

TEST_F(QuoteBarTest, ShowingTheBarAfterARestartWhileHiddenRunsOneTimer) {
    settings.quoteFlag = kQuoteBuiltIn;
    bar.Start(false);
    bar.ToggleBottomBar();
    UseFile("行\n");
    bar.Restart();
    bar.ToggleBottomBar();
    EXPECT_EQ(host.running, (std::set<int>{kTimerQuoteBuiltIn}));
}

TEST_F(QuoteBarTest, AModeChangedWithoutRestartShowsNothingFromAFileNeverRead) {
    settings.quoteFlag = kQuoteBuiltIn;
    bar.StartQuotes();
    bar.Tick();
    settings.quoteFlag = kQuoteFromFile;
    settings.scrollFlag = 1;
    bar.Tick();
    EXPECT_EQ(host.text, "");
}

}  // namespace
}  // namespace pel::testing

// The advanced settings dialog: what its controls show for the settings, the clicks and choices while it
// is open, what OK stores and when it is refused, and the settings put into force afterwards (quote bar,
// auto-scroll, the margins of the page text and the window title).
#include "state/advanced_settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../support/fake_file_system.h"
#include "navigation_doubles.h"

namespace pel::testing {
namespace {

AdvancedSettings SomeSettings() {
    AdvancedSettings s;
    s.quote = {kQuoteFromFile, 1, 0, "D:\\名言\\警句.txt"};
    s.autoScroll = {kRollByLine, 3000, 4, 6};
    s.timeSpanTip = 45;
    s.trayFlag = 2;
    s.margins = {12, 14, 3, 5};
    s.diyName = "我的书房";
    return s;
}

TEST(AdvancedDialogOpening, ControlsShowTheWorkingCopies) {
    const AdvancedDialogData d = OpenAdvancedDialog(SomeSettings());
    EXPECT_EQ(d.quoteRadio, kQuoteRadioCustom);
    EXPECT_TRUE(d.customControlsEnabled);
    EXPECT_EQ(d.quotePath, "D:\\名言\\警句.txt");
    EXPECT_EQ(d.quotePathShown, "D:\\名言\\警句.txt");  // the full path until the reader browses
    EXPECT_TRUE(d.loop);
    EXPECT_FALSE(d.scroll);
    EXPECT_EQ(d.rollType, kRollByLine);
    EXPECT_EQ(d.timeSpan, "3000");
    EXPECT_EQ(d.timeEnd, "4");
    EXPECT_EQ(d.timeFirst, "6");
    EXPECT_EQ(d.timeSpanTip, "45");
    EXPECT_EQ(d.marginLeft, "12");
    EXPECT_EQ(d.marginRight, "14");
    EXPECT_EQ(d.marginTop, "3");
    EXPECT_EQ(d.marginBottom, "5");
    EXPECT_EQ(d.trayFlag, 2);
    EXPECT_EQ(d.diyName, "我的书房");
}

TEST(AdvancedDialogOpening, QuoteModeChoosesTheRadioAndTheCustomControls) {
    struct Case {
        int quoteFlag;
        int radio;
        bool enabled;
    };
    for (const Case c : {Case{1, kQuoteRadioBuiltIn, false}, Case{2, kQuoteRadioCustom, true},
                         Case{0, kQuoteRadioOff, false}, Case{7, kQuoteRadioNone, false}}) {
        AdvancedSettings s;
        s.quote.quoteFlag = c.quoteFlag;
        const AdvancedDialogData d = OpenAdvancedDialog(s);
        EXPECT_EQ(d.quoteRadio, c.radio) << c.quoteFlag;
        EXPECT_EQ(d.customControlsEnabled, c.enabled) << c.quoteFlag;
    }
}

TEST(AdvancedDialogOpening, FirstRunShowsNoTrayButtonAndNegativeNumbersInDecimal) {
    AdvancedSettings s;  // TrayFlag -1 as a first run reads it
    s.autoScroll.rollType = -1;
    s.margins.left = -8;
    const AdvancedDialogData d = OpenAdvancedDialog(s);
    EXPECT_EQ(d.trayFlag, kNoSelection);
    EXPECT_EQ(d.rollType, kNoSelection);
    EXPECT_EQ(d.marginLeft, "-8");
    EXPECT_EQ(d.timeSpan, "30");
}

TEST(AdvancedDialogWhileOpen, RadiosEnableTheCustomControlsOnlyForCustom) {
    AdvancedDialogData d = OpenAdvancedDialog(AdvancedSettings{});
    ClickQuoteRadio(d, kQuoteRadioCustom);
    EXPECT_TRUE(d.customControlsEnabled);
    ClickQuoteRadio(d, kQuoteRadioOff);
    EXPECT_FALSE(d.customControlsEnabled);
    EXPECT_EQ(d.quoteRadio, kQuoteRadioOff);
    ClickQuoteRadio(d, kQuoteRadioCustom);
    ClickQuoteRadio(d, kQuoteRadioBuiltIn);
    EXPECT_FALSE(d.customControlsEnabled);
}

TEST(AdvancedDialogWhileOpen, ChoosingAScrollModeReplacesTheIntervalWithItsStartingValue) {
    AdvancedDialogData d = OpenAdvancedDialog(AdvancedSettings{});
    d.timeSpan = "55";
    ChooseRollType(d, kRollByScreen);
    EXPECT_EQ(d.timeSpan, "30000");
    EXPECT_EQ(d.rollType, kRollByScreen);
    ChooseRollType(d, kRollByLine);
    EXPECT_EQ(d.timeSpan, "3000");
    d.timeSpan = "4000";
    ChooseRollType(d, kRollByPixel);
    EXPECT_EQ(d.timeSpan, "30");
    EXPECT_STREQ(StartingInterval(3), "");
}

TEST(AdvancedDialogWhileOpen, BrowsingShowsTheFileNameAndKeepsTheFullPath) {
    AdvancedDialogData d = OpenAdvancedDialog(AdvancedSettings{});
    ChooseQuoteFile(d, "E:\\资料\\名人名言.txt");
    EXPECT_EQ(d.quotePathShown, "名人名言.txt");
    EXPECT_EQ(d.quotePath, "E:\\资料\\名人名言.txt");
    // A two-byte character whose second byte is '\' does not end a folder name.
    const std::string trailBackslash = std::string("\x81") + "\\";
    ChooseQuoteFile(d, "E:\\q\\a" + trailBackslash + "b.txt");
    EXPECT_EQ(d.quotePathShown, "a" + trailBackslash + "b.txt");
    ChooseQuoteFile(d, "plain.txt");
    EXPECT_EQ(d.quotePathShown, "plain.txt");
}

TEST(AdvancedDialogNumbers, PlainDecimalConversion) {
    struct Case {
        const char* text;
        int value;
    };
    for (const Case c :
         {Case{"42", 42}, Case{"  42", 42}, Case{"\t\r\n 7", 7}, Case{"-15", -15}, Case{"+9", 9},
          Case{"12ms", 12}, Case{"abc", 0}, Case{"", 0}, Case{"-", 0}, Case{"- 5", 0}, Case{"3 4", 3},
          Case{"2147483647", INT_MAX}, Case{"-2147483648", INT_MIN}, Case{"99999999999999999999", INT_MAX},
          Case{"-99999999999999999999", INT_MIN}}) {
        EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(AdvancedDialogOk, StoresEveryControl) {
    AdvancedSettings s = SomeSettings();
    AdvancedDialogData d = OpenAdvancedDialog(s);
    ClickQuoteRadio(d, kQuoteRadioCustom);
    ChooseQuoteFile(d, "F:\\新\\句子.txt");
    d.loop = false;
    d.scroll = true;
    ChooseRollType(d, kRollByPixel);
    d.timeSpan = "25";
    d.timeEnd = "2";
    d.timeFirst = "8";
    d.timeSpanTip = "60";
    d.marginLeft = "20";
    d.marginRight = "21";
    d.marginTop = "22";
    d.marginBottom = "23";
    d.trayFlag = 1;
    d.diyName = "";
    ASSERT_TRUE(AcceptAdvancedDialog(d, s));
    EXPECT_EQ(s.quote.quoteFlag, kQuoteFromFile);
    EXPECT_EQ(s.quote.quotePath, "F:\\新\\句子.txt");
    EXPECT_EQ(s.quote.loopFlag, 0);
    EXPECT_EQ(s.quote.scrollFlag, 1);
    EXPECT_EQ(s.autoScroll.rollType, kRollByPixel);
    EXPECT_EQ(s.autoScroll.timeSpan, 25);
    EXPECT_EQ(s.autoScroll.timeEnd, 2);
    EXPECT_EQ(s.autoScroll.timeFirst, 8);
    EXPECT_EQ(s.timeSpanTip, 60);
    EXPECT_EQ(s.margins, (TextMargins{20, 21, 22, 23}));
    EXPECT_EQ(s.trayFlag, 1);
    EXPECT_EQ(s.diyName, "");
}

TEST(AdvancedDialogOk, FileAndCheckBoxesCountOnlyWithCustom) {
    AdvancedSettings s = SomeSettings();
    AdvancedDialogData d = OpenAdvancedDialog(s);
    ClickQuoteRadio(d, kQuoteRadioBuiltIn);
    ChooseQuoteFile(d, "G:\\别的.txt");
    d.loop = false;
    d.scroll = true;
    ASSERT_TRUE(AcceptAdvancedDialog(d, s));
    EXPECT_EQ(s.quote.quoteFlag, kQuoteBuiltIn);
    EXPECT_EQ(s.quote.quotePath, "D:\\名言\\警句.txt");
    EXPECT_EQ(s.quote.loopFlag, 1);
    EXPECT_EQ(s.quote.scrollFlag, 0);

    ClickQuoteRadio(d, kQuoteRadioOff);
    ASSERT_TRUE(AcceptAdvancedDialog(d, s));
    EXPECT_EQ(s.quote.quoteFlag, kQuoteOff);
    EXPECT_EQ(s.quote.quotePath, "D:\\名言\\警句.txt");
}

TEST(AdvancedDialogOk, OddValuesAreStoredAsTheyRead) {
    AdvancedSettings s = SomeSettings();
    AdvancedDialogData d = OpenAdvancedDialog(s);
    d.rollType = kNoSelection;  // a text typed into the list
    d.timeSpanTip = "-5";
    d.timeEnd = "很久";
    d.marginTop = "-3";
    ASSERT_TRUE(AcceptAdvancedDialog(d, s));
    EXPECT_EQ(s.autoScroll.rollType, -1);
    EXPECT_EQ(s.timeSpanTip, 0);
    EXPECT_EQ(s.autoScroll.timeEnd, 0);
    EXPECT_EQ(s.margins.top, -3);
}

TEST(AdvancedDialogOk, NoTrayButtonRefusesAfterStoringTheValuesBeforeIt) {
    AdvancedSettings s = SomeSettings();
    s.trayFlag = -1;
    AdvancedDialogData d = OpenAdvancedDialog(s);
    ClickQuoteRadio(d, kQuoteRadioOff);
    d.timeSpan = "70";
    ChooseRollType(d, kRollByScreen);
    d.timeSpanTip = "5";
    d.marginLeft = "99";
    d.diyName = "新标题";
    EXPECT_FALSE(AcceptAdvancedDialog(d, s));
    EXPECT_EQ(s.quote.quoteFlag, kQuoteOff);
    EXPECT_EQ(s.autoScroll.rollType, kRollByScreen);
    EXPECT_EQ(s.autoScroll.timeSpan, 30000);
    EXPECT_EQ(s.trayFlag, -1);
    // Not reached.
    EXPECT_EQ(s.timeSpanTip, 45);
    EXPECT_EQ(s.margins.left, 12);
    EXPECT_EQ(s.diyName, "我的书房");

    d.trayFlag = 0;
    EXPECT_TRUE(AcceptAdvancedDialog(d, s));
    EXPECT_EQ(s.trayFlag, 0);
    EXPECT_EQ(s.diyName, "新标题");
}

TEST(TextMarginMove, EdgesMoveByTheChangeOfEachMargin) {
    const TextRect rect{10, 0, 590, 400};
    const MarginMove move = MoveTextMargins(rect, {10, 10, 0, 0}, {30, 5, 8, 12});
    ASSERT_TRUE(move.accepted);
    EXPECT_EQ(move.rect, (TextRect{30, 8, 595, 388}));
    EXPECT_EQ(MoveTextMargins(rect, {10, 10, 0, 0}, {10, 10, 0, 0}).rect, rect);
}

TEST(TextMarginMove, TextAreaBelowTwentyPixelsIsRefused) {
    const TextRect rect{0, 0, 100, 100};
    const TextMargins applied{0, 0, 0, 0};
    EXPECT_FALSE(MoveTextMargins(rect, applied, {40, 45, 0, 0}).accepted);  // 15 px wide
    EXPECT_EQ(MoveTextMargins(rect, applied, {40, 45, 0, 0}).rect, rect);
    EXPECT_TRUE(MoveTextMargins(rect, applied, {40, 40, 0, 0}).accepted);   // exactly 20
    EXPECT_FALSE(MoveTextMargins(rect, applied, {0, 0, 50, 31}).accepted);  // 19 px high
    EXPECT_FALSE(MoveTextMargins(rect, applied, {80, 80, 0, 0}).accepted);  // edges crossed
    // Margins at the ends of the int range neither overflow nor pass.
    EXPECT_FALSE(MoveTextMargins(rect, applied, {INT_MAX, 0, 0, 0}).accepted);
    EXPECT_FALSE(MoveTextMargins(rect, applied, {INT_MIN, INT_MIN, 0, 0}).accepted);
}

// One view that hosts the quote bar, auto-scroll and the apply step, as the reading view does.
class ApplyView : public IQuoteBarHost, public IAutoScrollHost, public IAdvancedSettingsHost {
public:
    void StartTimer(int id, int periodMs) override {
        running.insert(id);
        periods[id] = periodMs;
    }
    void StopTimer(int id) override { running.erase(id); }
    int MessageBox(const std::string& text, const std::string&, unsigned) override {
        messages.push_back(text);
        return 1;
    }
    QuoteExtent ViewClientSize() override { return {900, 600}; }
    QuoteExtent MeasureQuote(const std::string&) override { return {300, 14}; }
    void SetQuoteText(const std::string&) override {}
    void MoveQuote(const QuoteRect&, bool) override {}
    void RelayoutView() override {}
    TextRect PageFormatRect() override { return formatRect; }
    void SetPageFormatRect(const TextRect& rect) override {
        formatRect = rect;
        ++rectsSet;
    }

    std::set<int> running;
    std::map<int, int> periods;
    std::vector<std::string> messages;
    TextRect formatRect{10, 0, 590, 400};
    int rectsSet = 0;
};

class TitledReaderHost : public QuietReaderHost {
public:
    void SetWindowTitle(const std::string& t) override { title = t; }
    std::string title;
};

class StillClock : public IClock {
public:
    Moment Now() override { return {}; }
};

class ApplyAdvanced : public ::testing::Test {
protected:
    void SetUp() override {
        settings = SomeSettings();
        settings.quote.quoteFlag = kQuoteBuiltIn;
        settings.margins = applied = {10, 10, 0, 0};
        books.files["C:\\书\\第一卷.txt"] = "line\n";
        reader.SetBookPath("C:\\书\\第一卷.txt");
        reader.OpenBook("C:\\书\\第一卷.txt");
        quotes.Start(false);
    }
    void Apply() { ApplyAdvancedSettings(settings, applied, quotes, scroller, reader, view); }

    AdvancedSettings settings;
    TextMargins applied;
    ApplyView view;
    FakeFileSystem quoteFiles;
    QuoteBar quotes{settings.quote, view, quoteFiles};
    ScrollingPageControl page{10};
    TitledReaderHost readerHost;
    MemoryFiles books;
    AsciiCodePage codePage;
    Reader reader{page, readerHost, books, codePage};
    RecordingNavigationHost navHost;
    Navigator navigator{reader, page, navHost};
    StillClock clock;
    AutoScroller scroller{reader, page, navigator, view, clock};
};

TEST_F(ApplyAdvanced, TitleIsThePersonalOneElseTheBookFileName) {
    Apply();
    EXPECT_EQ(readerHost.title, "我的书房");
    settings.diyName = "";
    Apply();
    EXPECT_EQ(readerHost.title, "第一卷.txt");
}

TEST_F(ApplyAdvanced, TitleWithoutABookIsTheProgramName) {
    Reader empty{page, readerHost, books, codePage};
    settings.diyName = "";
    ApplyAdvancedSettings(settings, applied, quotes, scroller, empty, view);
    EXPECT_EQ(readerHost.title, "Pelin阅读器——Pelinreader");
}

TEST_F(ApplyAdvanced, QuoteBarRestartsInTheNewModeWithOneTimer) {
    EXPECT_EQ(view.running, (std::set<int>{kTimerQuoteBuiltIn}));
    quoteFiles.Add("D:\\q.txt", "一\n二\n");
    AdvancedDialogData d = OpenAdvancedDialog(settings);
    ClickQuoteRadio(d, kQuoteRadioCustom);
    ChooseQuoteFile(d, "D:\\q.txt");
    d.scroll = false;
    ASSERT_TRUE(AcceptAdvancedDialog(d, settings));
    Apply();
    EXPECT_EQ(view.running, (std::set<int>{kTimerQuoteLines}));
    EXPECT_EQ(quotes.QuoteLineCount(), 2);
}

TEST_F(ApplyAdvanced, RunningAutoScrollTakesTheNewPeriod) {
    scroller.Toggle();
    settings.autoScroll = {kRollByPixel, 45, 3, 5};
    Apply();
    EXPECT_EQ(view.periods[kTimerAutoScroll], 45);
    EXPECT_TRUE(view.running.count(kTimerAutoScroll));
    EXPECT_EQ(scroller.settings.timeSpan, 45);

    scroller.Toggle();
    settings.autoScroll.timeSpan = 60;
    Apply();
    EXPECT_FALSE(view.running.count(kTimerAutoScroll));
    EXPECT_EQ(scroller.settings.timeSpan, 60);
}

TEST_F(ApplyAdvanced, NewMarginsMoveThePageTextAndBecomeTheAppliedOnes) {
    settings.margins = {30, 20, 5, 5};
    Apply();
    EXPECT_EQ(view.formatRect, (TextRect{30, 5, 580, 395}));
    EXPECT_EQ(applied, (TextMargins{30, 20, 5, 5}));
    // The next change is measured from these.
    settings.margins = {40, 20, 5, 5};
    Apply();
    EXPECT_EQ(view.formatRect, (TextRect{40, 5, 580, 395}));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(ApplyAdvanced, MarginsLeavingFifteenPixelsAreRefusedAndTheOldOnesKept) {
    settings.margins = {300, 285, 0, 0};  // 600 - 300 - 285 = 15 px wide
    Apply();
    EXPECT_EQ(view.messages, (std::vector<std::string>{kMarginsTooSmall}));
    EXPECT_EQ(view.rectsSet, 0);
    EXPECT_EQ(view.formatRect, (TextRect{10, 0, 590, 400}));
    EXPECT_EQ(settings.margins, (TextMargins{10, 10, 0, 0}));
    EXPECT_EQ(applied, (TextMargins{10, 10, 0, 0}));
}

}  // namespace
}  // namespace pel::testing

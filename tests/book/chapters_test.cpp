#include "book/chapters.h"

#include <gtest/gtest.h>

#include "book/reader.h"

namespace pel {
namespace {

// Chinese text of `bytes` bytes (even) whose byte pairs, read at any offset, hold no 第, 章 or digit.
std::string Filler(std::size_t bytes) {
    static const std::string kChars = "天地玄黄宇宙洪荒";
    std::string s;
    while (s.size() < bytes) s += kChars;
    s.resize(bytes);
    return s;
}

// Five chapters "第N章 ..." after a preface, each heading line followed by a body of filler lines so
// that headings stand `gap` bytes apart.
std::string WordBook(std::size_t gap = 400, const std::string& end = "\r\n") {
    std::string text = "序言" + end;
    for (int i = 1; i <= 5; ++i) {
        std::string chapter = "第" + std::to_string(i) + "章 风起" + end;
        while (chapter.size() + 40 + end.size() <= gap) chapter += Filler(40) + end;
        chapter += Filler(gap - chapter.size());
        text += chapter;
    }
    return text;
}

TEST(PaginateByChapterWord, FindsHeadingsWithTitlesAfterAPreface) {
    const std::string text = WordBook();
    const ChapterScan scan = PaginateByChapterWord(text, 1);
    ASSERT_EQ(scan.starts.size(), 5u);
    EXPECT_EQ(scan.starts[0], static_cast<long long>(text.find("第1章")));
    EXPECT_EQ(scan.titles[0], "第1章 风起");
    EXPECT_EQ(scan.starts[4] - scan.starts[3], 400);
    EXPECT_FALSE(scan.overflow);
    // The heading word must be the rule's: 卷 finds nothing here, and rule 7 looks for 正…文.
    EXPECT_TRUE(PaginateByChapterWord(text, 2).starts.empty());
    EXPECT_TRUE(PaginateByChapterWord(text, 0).starts.empty());
    std::string zheng = text;
    for (std::size_t at = zheng.find("第"); at != std::string::npos; at = zheng.find("第", at)) {
        zheng.replace(at, 2, "正");
        zheng.replace(zheng.find("章", at), 2, "文");
    }
    EXPECT_EQ(PaginateByChapterWord(zheng, 7).starts.size(), 5u);
}

TEST(PaginateByChapterWord, PrefixAndSuffixMustLieWithin19Bytes) {
    auto book = [](std::size_t between) {
        std::string text;
        for (int i = 0; i < 5; ++i)
            text += "第" + std::string(between, 'x') + "章\r\n" + Filler(400) + "\r\n";
        return text;
    };
    EXPECT_EQ(PaginateByChapterWord(book(17), 1).starts.size(), 5u);  // 章 19 bytes after 第
    EXPECT_TRUE(PaginateByChapterWord(book(18), 1).starts.empty());   // 20 bytes
    // A distant 第 does not hide the one that stands close before the suffix.
    const std::string retry = "第" + Filler(60) + "，第三章 夜雨\r\n" + Filler(400);
    const ChapterScan scan = PaginateByChapterWord(retry, 1);
    ASSERT_EQ(scan.starts.size(), 1u);
    EXPECT_EQ(scan.titles[0], "第三章 夜雨");
}

TEST(PaginateByChapterWord, TitlesUpTo100BytesAndHeadingsAtLeast300Apart) {
    auto book = [](std::size_t titleBytes) {
        std::string text;
        for (int i = 0; i < 5; ++i) {
            text += "第一章" + std::string(titleBytes - 6, 'y') + "\r\n" + Filler(400) + "\r\n";
        }
        return text;
    };
    EXPECT_EQ(PaginateByChapterWord(book(100), 1).starts.size(), 5u);
    EXPECT_TRUE(PaginateByChapterWord(book(101), 1).starts.empty());
    EXPECT_EQ(PaginateByChapterWord(WordBook(300), 1).starts.size(), 5u);
    const ChapterScan close = PaginateByChapterWord(WordBook(299), 1);
    ASSERT_EQ(close.starts.size(), 3u);  // 1 stays, 2 dropped, 3 is 598 bytes after 1, ...
    EXPECT_EQ(close.titles[1], "第3章 风起");
}

TEST(PaginateByChapterWord, PairsMatchAcrossCharactersAndPagesStartAtThePrefix) {
    // B5 DA spans the end of one character and the start of the next.
    const std::string text = "\xB0\xB5\xDA\xA1\xD5\xC2 odd\r\n" + Filler(400) + "　　第二章 缩进\r\n";
    const ChapterScan scan = PaginateByChapterWord(text, 1);
    ASSERT_EQ(scan.starts.size(), 2u);
    EXPECT_EQ(scan.starts[0], 1);
    EXPECT_EQ(scan.titles[0], "\xB5\xDA\xA1\xD5\xC2 odd");
    EXPECT_EQ(scan.titles[1], "第二章 缩进");  // the indent belongs to the page before
}

TEST(PaginateByChapterWord, StopsAtThe10001stChapter) {
    std::string heading = "第1章\r\n" + Filler(291) + "\r\n";  // 300 bytes
    std::string text;
    for (int i = 0; i <= kMaxPages; ++i) text += heading;
    const ChapterScan scan = PaginateByChapterWord(text, 1);
    EXPECT_TRUE(scan.overflow);
    EXPECT_EQ(scan.starts.size(), static_cast<std::size_t>(kMaxPages));
    text.resize(text.size() - heading.size());
    EXPECT_FALSE(PaginateByChapterWord(text, 1).overflow);
}

// Rule-text books: lines of the given headings, each followed by filler lines (60 bytes each, longer
// than the rule's window) up to `gap` bytes per chapter.
std::string RuleBook(const std::vector<std::string>& headings, std::size_t gap = 300,
                     const std::string& end = "\r\n") {
    std::string text = "前言" + Filler(60) + end;
    for (const std::string& heading : headings) {
        std::string chapter = heading + end;
        while (chapter.size() < gap) chapter += Filler(60) + end;
        text += chapter;
    }
    return text + Filler(120) + end;
}

std::vector<std::string> Headings(const std::string& format, int count = 5) {
    std::vector<std::string> headings;
    for (int i = 1; i <= count; ++i) {
        const std::size_t mark = format.find('#');
        headings.push_back(format.substr(0, mark) + std::to_string(i) + format.substr(mark + 1));
    }
    return headings;
}

TEST(PaginateByRuleText, DigitRuleFindsNumberedHeadingsWithinTheLineLimit) {
    const std::string text = RuleBook({"第12章 风起", "13章 云涌", "  第14章 夜雨", "第 15 章", "第16章"});
    const ChapterScan scan = PaginateByRuleText(text, kDigitRuleText);
    ASSERT_EQ(scan.starts.size(), 5u);
    EXPECT_EQ(scan.titles[1], "13章 云涌");
    EXPECT_EQ(scan.titles[2], "第14章 夜雨");  // the line starts after the skipped blanks
    EXPECT_EQ(scan.starts[2], static_cast<long long>(text.find("第14章")));
    // A line of 51 bytes is too long for [50]; 50 bytes are not.
    const std::string longLine = "第1章" + std::string(45, 'z');
    EXPECT_EQ(PaginateByRuleText(RuleBook({longLine, longLine, longLine, longLine, longLine}), kDigitRuleText)
                  .starts.size(),
              5u);
    EXPECT_TRUE(PaginateByRuleText(RuleBook(Headings("第#章" + std::string(46, 'z'))), kDigitRuleText)
                    .starts.empty());
}

TEST(PaginateByRuleText, NumeralRuleAndPrefixRule) {
    const ChapterScan scan = PaginateByRuleText(
        RuleBook({"第一百二十章 风起", "第二章", "第三章", "第四章", "第五章"}), kChineseNumeralRuleText);
    ASSERT_EQ(scan.starts.size(), 5u);
    EXPECT_EQ(scan.titles[0], "第一百二十章 风起");
    // The empty rule text means [第][无][章][50].
    EXPECT_EQ(PaginateByRuleText(RuleBook(Headings("第#章 回")), "").starts.size(), 5u);
    // A prefix far from its suffix spreads the heading too wide; an empty A finds nothing.
    EXPECT_TRUE(
        PaginateByRuleText(RuleBook(Headings("第#" + std::string(20, 'w') + "章")), "").starts.empty());
    EXPECT_TRUE(PaginateByRuleText(RuleBook(Headings("第#章")), "[][0-9][章][50]").starts.empty());
}

TEST(PaginateByRuleText, HeadingsAtLeast100BytesApart) {
    auto book = [](std::size_t lineBytes) {
        std::string text = "前言\r\n";
        for (int i = 1; i <= 9; ++i) {
            text += "第" + std::to_string(i) + "章" + std::string(lineBytes - 7, 'q') + "\r\n";
        }
        return text + Filler(120);
    };
    EXPECT_EQ(PaginateByRuleText(book(100), "[第][0-9][章][100]").starts.size(), 9u);
    // 99 bytes: every second heading is dropped, the next one is measured from the one that stayed.
    const ChapterScan scan = PaginateByRuleText(book(99), "[第][0-9][章][100]");
    ASSERT_EQ(scan.starts.size(), 5u);
    EXPECT_EQ(scan.titles[1].substr(0, 5), "第3章");
}

TEST(PaginateByRuleText, LfOnlyFilesSkipTheLineAfterOneThatStoppedAtItsLf) {
    std::vector<std::string> headings;
    for (int i = 1; i <= 5; ++i) headings.push_back("短句\r\n第" + std::to_string(i) + "章 风起");
    std::string crlf = RuleBook(headings);
    EXPECT_EQ(PaginateByRuleText(crlf, kDigitRuleText).starts.size(), 5u);
    std::string lf;
    for (char c : crlf) {
        if (c != '\r') lf += c;
    }
    EXPECT_TRUE(PaginateByRuleText(lf, kDigitRuleText).starts.empty());
}

TEST(PaginateByRuleText, LinesAfterAnLfInTheLast50BytesAreNotExamined) {
    const std::string body = RuleBook(Headings("第#章"));
    const std::string last = "第9章 尾声";
    auto withTail = [&](std::size_t afterLf) {
        // The LF before the last heading lies `afterLf` bytes before the end of the text.
        std::string text = body.substr(0, body.size() - 2) + "\n" + last;
        text += std::string(afterLf - 1 - last.size(), ' ');
        return text;
    };
    EXPECT_EQ(PaginateByRuleText(withTail(51), kDigitRuleText).starts.size(), 6u);
    EXPECT_EQ(PaginateByRuleText(withTail(50), kDigitRuleText).starts.size(), 5u);
    // A text of at most 50 bytes is not scanned at all; from 51 bytes on its first line is.
    EXPECT_TRUE(PaginateByRuleText("第1章\r\n" + std::string(43, 'x'), kDigitRuleText).starts.empty());
    EXPECT_EQ(PaginateByRuleText("第1章\r\n" + std::string(44, 'x'), kDigitRuleText).starts.size(), 1u);
}

TEST(ChapterRuleCommands, MapRulesToMenuCommands) {
    EXPECT_EQ(ChapterRuleCommandId(1), 32816);
    EXPECT_EQ(ChapterRuleCommandId(6), 32822);
    EXPECT_EQ(ChapterRuleCommandId(7), 32829);
    EXPECT_EQ(ChapterRuleOfCommand(32857), 8);
    EXPECT_EQ(ChapterRuleOfCommand(32859), 10);
    EXPECT_EQ(ChapterRuleOfCommand(32821), 0);
}

}  // namespace
}  // namespace pel

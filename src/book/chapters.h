// Chapter detection: where the chapters of a novel begin and what their headings say.
// Two detectors: the heading words of rules 1 to 7 (a two-byte prefix such as 第 and a two-byte suffix
// such as 章 close to each other), and the line-by-line rule text "[A][B][C][D]" of rules 8, 9 and 10.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace pel {

// Chapter rules as the menu numbers them: 1 to 7 the heading words, 8 and 9 the digit rules with their
// fixed rule texts, 10 the reader's own rule.
constexpr int kFirstWordRule = 1;
constexpr int kLastWordRule = 7;
constexpr int kDigitRule = 8;
constexpr int kChineseNumeralRule = 9;
constexpr int kCustomRule = 10;

inline constexpr const char* kDigitRuleText = "[无][0-9][章][50]";
inline constexpr const char* kChineseNumeralRuleText = "[无][一二三][章][60]";
// The rule text used when none is set.
inline constexpr const char* kDefaultRuleText = "[第][无][章][50]";

// A pagination by chapters that finds fewer chapters than this gives up and goes back to lines.
constexpr int kMinChapters = 5;

// Menu command of a rule (32816 .. 32829 for 1 .. 7, 32857 and 32858 for 8 and 9, 32859 for 10) and back;
// 0 for anything else.
int ChapterRuleCommandId(int rule);
int ChapterRuleOfCommand(int commandId);

// The chapters found in a text: chapter k (1-based) begins at starts[k - 1] with the heading
// titles[k - 1]. Page 0 is the text before the first chapter.
struct ChapterScan {
    std::vector<long long> starts;
    std::vector<std::string> titles;
    // A chapter beyond the 10,000 the page table holds was found: the scan stopped there, and `starts`
    // holds the first 10,000.
    bool overflow = false;
};

// Heading words of rules 1 to 7. A heading begins at a prefix pair that a suffix pair follows less than
// 20 bytes later; its title runs to the line end and may not be longer than 100 bytes, and a heading
// less than 300 bytes after the previous one is dropped. Pairs are compared as bytes wherever they lie,
// across character boundaries too. A rule outside 1 .. 7 finds nothing.
ChapterScan PaginateByChapterWord(std::string_view text, int rule);

// Rule-text detector: looks at line starts only, at most D bytes of each line. An empty rule text means
// "[第][无][章][50]". Lines whose scan position falls in the last 50 bytes are not looked at.
ChapterScan PaginateByRuleText(std::string_view text, std::string_view ruleText);

}  // namespace pel

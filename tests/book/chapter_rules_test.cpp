#include "book/chapter_rules.h"

#include <gtest/gtest.h>

namespace pel {
namespace {

TEST(ParseRule, SplitsFourBracketedParts) {
    RuleParts parts = ParseRule("[第][0-9][章][50]");
    EXPECT_EQ(parts.partsSeen, 5);
    EXPECT_EQ(parts.a, "第");
    EXPECT_EQ(parts.b, "0-9");
    EXPECT_EQ(parts.c, "章");
    EXPECT_EQ(parts.d, "50");
    EXPECT_EQ(ParseRule("[第][0-9][章][50]tail").d, "50");  // bytes after the fourth ']' are ignored

    parts = ParseRule("[][0-9][章][50]");  // an empty first part is allowed
    EXPECT_EQ(parts.partsSeen, 5);
    EXPECT_EQ(parts.a, "");
    EXPECT_EQ(parts.b, "0-9");
    // An empty later part pushes the rest into the wrong parts.
    parts = ParseRule("[第][][章][50]");
    EXPECT_EQ(parts.partsSeen, 4);
    EXPECT_EQ(parts.b, "][章");
    EXPECT_EQ(ParseRule("[第][0-9][章]").partsSeen, 4);
    EXPECT_EQ(ParseRule("").partsSeen, 1);
}

TEST(RuleNumber, ReadsLikeAtoi) {
    EXPECT_EQ(RuleNumber("50"), 50);
    EXPECT_EQ(RuleNumber(" 12abc"), 12);
    EXPECT_EQ(RuleNumber("-3"), -3);
    EXPECT_EQ(RuleNumber("abc"), 0);
    EXPECT_EQ(RuleNumber("99999999999"), 2147483647);
}

TEST(ValidateRule, FourChecksWithTheirMessages) {
    EXPECT_EQ(ValidateRule("[第][0-9][章][50]").result, 0);
    EXPECT_TRUE(ValidateRule("[第][0-9][章][50]").messages.empty());

    RuleCheck check = ValidateRule("[第][0-9][章]");
    EXPECT_EQ(check.result, 1);
    ASSERT_EQ(check.messages.size(), 1u);
    EXPECT_EQ(check.messages[0], "wronginfo 1,规则应按ABCD用[ ]分为4段！");

    check = ValidateRule("[第][0-9][章][9]");
    EXPECT_EQ(check.result, 2);
    EXPECT_EQ(check.messages, std::vector<std::string>{"wronginfo 2,规则D:应不小于10！"});
    check = ValidateRule("[第][0-9][第二][50]");
    EXPECT_EQ(check.result, 3);
    EXPECT_EQ(check.messages, std::vector<std::string>{"wronginfo 3,规则C:限1个汉字或2个字符！"});
    check = ValidateRule("[第一二三四五六七八九十百千零〇][0-9][章][30]");
    EXPECT_EQ(check.result, 4);
    EXPECT_EQ(check.messages, std::vector<std::string>{"wronginfo 4,规则A字符串太长，与规则D不匹配！"});

    // Every check after the first runs; the result is the last one that failed.
    check = ValidateRule("[第第第第][无][章章][x]");
    EXPECT_EQ(check.result, 4);
    EXPECT_EQ(check.messages.size(), 3u);
    EXPECT_EQ(ValidateRule("[无][无][无][10]").result, 0);  // nothing asks for one of A, B, C
}

TEST(RuleDialog, OffersDefaultsOrTheSavedRules) {
    RuleSlots slots;
    slots[0] = "[第][0-9][章][50]";
    RuleDialogState dialog = OpenRuleDialog(slots);
    EXPECT_EQ(dialog.editText, "[第][0-9][章][50]");
    EXPECT_EQ(dialog.list,
              (std::vector<std::string>{"[第][0-9][章][60]", "[无][0-9][章][50]", "[无][一二三][章][60]"}));
    slots[1] = "[卷][无][章][40]";
    slots[2] = "[回][无][章][40]";
    slots[4] = "[after][a][gap][40]";  // the list ends at the first empty entry
    EXPECT_EQ(SavedRules(slots), (std::vector<std::string>{"[卷][无][章][40]", "[回][无][章][40]"}));
}

TEST(RuleDialog, AddDeleteAndApply) {
    RuleSlots slots;
    RuleDialogState dialog = OpenRuleDialog(slots);  // three defaults
    dialog.editText = "[第][0-9][章]";
    RuleDialogResult result = AddRule(dialog);
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(dialog.list.size(), 3u);

    dialog.editText = "[第][0-9][节][50]";
    result = AddRule(dialog);
    EXPECT_TRUE(result.done);
    EXPECT_EQ(result.messages, std::vector<std::string>{"已保存自定义规则 4 ."});
    while (dialog.list.size() < 9) AddRule(dialog);
    result = AddRule(dialog);
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.messages,
              std::vector<std::string>{"超出自定义规则最大个数9！请先删除不常用的规则再添加！"});
    EXPECT_EQ(dialog.list.size(), 9u);

    EXPECT_FALSE(DeleteRule(dialog, -1).done);
    EXPECT_TRUE(DeleteRule(dialog, -1).messages.empty());
    result = DeleteRule(dialog, 1);
    EXPECT_EQ(result.messages, std::vector<std::string>{"已删除自定义规则 2 ."});
    EXPECT_EQ(dialog.list.size(), 8u);

    // Only "应用" writes the list back; an invalid edit field changes nothing.
    slots[9] = "[old][a][bc][40]";
    dialog.editText = "[x][y][z][5]";
    EXPECT_FALSE(ApplyRule(dialog, slots).done);
    EXPECT_EQ(slots[0], "");
    dialog.editText = "[无][0-9][章][50]";
    EXPECT_TRUE(ApplyRule(dialog, slots).done);
    EXPECT_EQ(slots[0], "[无][0-9][章][50]");
    EXPECT_EQ(slots[1], "[第][0-9][章][60]");
    EXPECT_EQ(slots[2], "[无][一二三][章][60]");
    EXPECT_EQ(slots[8], "[第][0-9][节][50]");
    EXPECT_EQ(slots[9], "");
}

TEST(RuleDialog, HelpTextLines) {
    const std::string help = kRuleHelpText;
    EXPECT_EQ(help.substr(0, help.find("\r\n")), "填写格式：[A][B][C][D]    例子：[第][0-9][章][50]");
    EXPECT_NE(help.find("\r\n      2.非严格判断模式"), std::string::npos);
    EXPECT_EQ(help.substr(help.rfind("\r\n") + 2), "D 标题行总字符数限值");
}

}  // namespace
}  // namespace pel

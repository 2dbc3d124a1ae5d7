#include "book/chapter_rules.h"

#include <climits>
#include <cstdio>

namespace pel {

namespace {

std::string& PartOf(RuleParts& parts, int part) {
    switch (part) {
        case 1:
            return parts.a;
        case 2:
            return parts.b;
        case 3:
            return parts.c;
        default:
            return parts.d;
    }
}

std::string Numbered(const char* what, int number) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s %d .", what, number);
    return buffer;
}

}  // namespace

RuleParts ParseRule(std::string_view rule) {
    RuleParts parts;
    const std::size_t length = rule.size();
    for (std::size_t i = 1; i < length; ++i) {
        if (rule[i] == ']') {
            ++parts.partsSeen;
            i += 2;
            if (i >= length) break;
        }
        if (parts.partsSeen <= 4) PartOf(parts, parts.partsSeen).push_back(rule[i]);
    }
    return parts;
}

int RuleNumber(std::string_view part) {
    std::size_t i = 0;
    while (i < part.size() && (part[i] == ' ' || (part[i] >= '\t' && part[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < part.size() && (part[i] == '+' || part[i] == '-')) negative = part[i++] == '-';
    long long value = 0;
    for (; i < part.size() && part[i] >= '0' && part[i] <= '9'; ++i) {
        value = value * 10 + (part[i] - '0');
        if (value > INT_MAX) {
            value = static_cast<long long>(INT_MAX) + 1;
            if (!negative) value = INT_MAX;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

RuleCheck ValidateRule(std::string_view rule) {
    RuleCheck check;
    const RuleParts parts = ParseRule(rule);
    if (parts.partsSeen != 5) {
        check.result = 1;
        check.messages.emplace_back("wronginfo 1,规则应按ABCD用[ ]分为4段！");
        return check;
    }
    const long long longest = RuleNumber(parts.d);
    if (longest < 10) {
        check.result = 2;
        check.messages.emplace_back("wronginfo 2,规则D:应不小于10！");
    }
    if (parts.c.size() != 2) {
        check.result = 3;
        check.messages.emplace_back("wronginfo 3,规则C:限1个汉字或2个字符！");
    }
    if (longest - static_cast<long long>(parts.a.size()) < 2) {
        check.result = 4;
        check.messages.emplace_back("wronginfo 4,规则A字符串太长，与规则D不匹配！");
    }
    return check;
}

const char* const kRuleHelpText =
    "填写格式：[A][B][C][D]    例子：[第][0-9][章][50]\r\n"
    "说明：1.ABC至少选一个，D字符数必须给定并大于10\r\n"
    "      2.非严格判断模式，即A、B、C前后可含其他字符\r\n"
    "\r\n"
    "A 标题开始相同字符串，不选择填[无]\r\n"
    "\r\n"
    "B [0-9],[一二三],[无] 三种固定格式选择\r\n"
    "\r\n"
    "C 限1个汉字或2个字符,不选择填[无]\r\n"
    "\r\n"
    "D 标题行总字符数限值";

std::vector<std::string> DefaultSavedRules() {
    return {"[第][0-9][章][60]", "[无][0-9][章][50]", "[无][一二三][章][60]"};
}

std::vector<std::string> SavedRules(const RuleSlots& slots) {
    if (slots[1].empty()) return DefaultSavedRules();
    std::vector<std::string> rules;
    for (int i = 1; i < kRuleSlots && !slots[i].empty(); ++i) rules.push_back(slots[i]);
    return rules;
}

RuleDialogState OpenRuleDialog(const RuleSlots& slots) { return {slots[0], SavedRules(slots)}; }

RuleDialogResult AddRule(RuleDialogState& dialog) {
    RuleDialogResult result;
    RuleCheck check = ValidateRule(dialog.editText);
    if (check.result != 0) {
        result.messages = std::move(check.messages);
        return result;
    }
    const int count = static_cast<int>(dialog.list.size());
    if (count >= kMaxSavedRules) {
        result.messages.emplace_back("超出自定义规则最大个数9！请先删除不常用的规则再添加！");
        return result;
    }
    dialog.list.push_back(dialog.editText);
    result.done = true;
    result.messages.push_back(Numbered("已保存自定义规则", count + 1));
    return result;
}

RuleDialogResult DeleteRule(RuleDialogState& dialog, int selected) {
    RuleDialogResult result;
    if (selected < 0 || selected >= static_cast<int>(dialog.list.size())) return result;
    dialog.list.erase(dialog.list.begin() + selected);
    result.done = true;
    result.messages.push_back(Numbered("已删除自定义规则", selected + 1));
    return result;
}

RuleDialogResult ApplyRule(const RuleDialogState& dialog, RuleSlots& slots) {
    RuleDialogResult result;
    RuleCheck check = ValidateRule(dialog.editText);
    if (check.result != 0) {
        result.messages = std::move(check.messages);
        return result;
    }
    slots[0] = dialog.editText;
    // The list never holds more than 9 rules through the dialog; a longer one is cut to the slots.
    for (int i = 1; i < kRuleSlots; ++i) {
        const std::size_t entry = static_cast<std::size_t>(i - 1);
        slots[i] = entry < dialog.list.size() ? dialog.list[entry] : std::string();
    }
    result.done = true;
    return result;
}

}  // namespace pel

// Custom chapter rules "[A][B][C][D]": prefix, number class, suffix, longest heading line in bytes.
// Parsing and validation, and the list of saved rules behind the custom rule dialog (186).
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pel {

struct RuleParts {
    std::string a;      // text at the start of the heading, "无" for none
    std::string b;      // "0-9", "一二三", anything else for no number
    std::string c;      // suffix character, its first two bytes are used; "无" for none
    std::string d;      // longest heading line in bytes, decimal
    int partsSeen = 1;  // 5 for a well-formed rule
};

inline constexpr const char* kRuleNone = "无";
inline constexpr const char* kRuleDigits = "0-9";
inline constexpr const char* kRuleNumerals = "一二三";

// Splits a rule at its ']' bytes. The first byte (normally '[') and the byte after each ']' (normally
// the next '[') are skipped unread; bytes after the fourth ']' are ignored.
RuleParts ParseRule(std::string_view rule);

// Integer value of a rule part the way the C library reads one: leading blanks, an optional sign and
// the digits that follow; 0 when there are none, clamped to the range of int.
int RuleNumber(std::string_view part);

struct RuleCheck {
    int result = 0;                     // 0 when valid, else the number of the last failed check (1 .. 4)
    std::vector<std::string> messages;  // one message box per failed check, in order
};

// The four checks of a rule: four parts, D at least 10, C of exactly two bytes, and room for A within D.
// A rule with the wrong number of parts fails check 1 alone.
RuleCheck ValidateRule(std::string_view rule);

// The application's rule list: entry 0 is the rule in use, entries 1 .. 9 the saved rules in order; the
// list ends at the first empty entry. Config.ini section RuleDiy, keys "0" .. "9".
constexpr int kRuleSlots = 10;
constexpr int kMaxSavedRules = 9;
using RuleSlots = std::array<std::string, kRuleSlots>;

// Help text of the dialog's edit 1070, lines joined by CR LF.
extern const char* const kRuleHelpText;

// Rules offered when none are saved.
std::vector<std::string> DefaultSavedRules();

// What the dialog's list shows: the saved rules 1 .. 9 up to the first empty one, or the default rules
// when entry 1 is empty.
std::vector<std::string> SavedRules(const RuleSlots& slots);

// The custom rule dialog while it is open: its edit field and its own copy of the list, written back
// to the application only by "应用".
struct RuleDialogState {
    std::string editText;
    std::vector<std::string> list;
};

// Set-up: the list of SavedRules and the rule in use in the edit field.
RuleDialogState OpenRuleDialog(const RuleSlots& slots);

// The outcome of a button: whether it did its work, and the message boxes to show (OK button) in order.
struct RuleDialogResult {
    bool done = false;
    std::vector<std::string> messages;
};

// "√" (1071): validates the edit field and appends it to the list, which holds at most 9 rules.
RuleDialogResult AddRule(RuleDialogState& dialog);
// "×" (1042): deletes list entry `selected` (0-based); -1 (nothing selected) does nothing.
RuleDialogResult DeleteRule(RuleDialogState& dialog, int selected);
// "应用" (1): validates the edit field; when valid, entry 0 becomes it, entries 1 .. n the list and the
// rest empty, and the dialog closes with OK. An invalid rule keeps the dialog open.
RuleDialogResult ApplyRule(const RuleDialogState& dialog, RuleSlots& slots);

}  // namespace pel

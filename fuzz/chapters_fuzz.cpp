// Chapter pagination with every built-in rule, and with a rule taken from the input: its first line is
// the rule text (parsed, validated, run through the rule dialog), the rest the book.
#include <string>

#include "book/chapter_rules.h"
#include "book/chapters.h"
#include "fuzz_input.h"

namespace {

void CheckScan(const pel::ChapterScan& scan, std::size_t size) {
    PEL_FUZZ_CHECK(scan.starts.size() == scan.titles.size() || scan.overflow);
    PEL_FUZZ_CHECK(scan.starts.size() <= 10000);
    for (std::size_t k = 0; k < scan.starts.size(); ++k) {
        PEL_FUZZ_CHECK(scan.starts[k] >= 0 && scan.starts[k] <= static_cast<long long>(size));
        if (k > 0) PEL_FUZZ_CHECK(scan.starts[k] > scan.starts[k - 1]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = all.find('\n');
    const std::string_view rule = all.substr(0, lineEnd);
    const std::string_view text = lineEnd == std::string_view::npos ? all : all.substr(lineEnd + 1);

    for (int r = 0; r <= pel::kCustomRule + 1; ++r)
        CheckScan(pel::PaginateByChapterWord(text, r), text.size());
    for (const char* builtIn : {pel::kDigitRuleText, pel::kChineseNumeralRuleText, pel::kDefaultRuleText, ""})
        CheckScan(pel::PaginateByRuleText(text, builtIn), text.size());

    const pel::RuleParts parts = pel::ParseRule(rule);
    (void)pel::RuleNumber(parts.d);
    (void)pel::RuleNumber(rule);
    const pel::RuleCheck check = pel::ValidateRule(rule);
    PEL_FUZZ_CHECK(check.result >= 0 && check.result <= 4);
    PEL_FUZZ_CHECK((check.result == 0) == check.messages.empty());
    CheckScan(pel::PaginateByRuleText(text, rule), text.size());

    pel::RuleSlots slots;
    slots[0] = std::string(rule);
    pel::RuleDialogState dialog = pel::OpenRuleDialog(slots);
    dialog.editText = std::string(rule);
    for (int i = 0; i < 10; ++i) pel::AddRule(dialog);
    PEL_FUZZ_CHECK(dialog.list.size() <= static_cast<std::size_t>(pel::kMaxSavedRules));
    pel::DeleteRule(dialog, static_cast<int>(size % 11) - 1);
    pel::ApplyRule(dialog, slots);
    (void)pel::SavedRules(slots);
    return 0;
}

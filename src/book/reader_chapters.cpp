// Chapter mode: running the detectors on the open book and the commands that choose a rule.
#include <utility>

#include "book/chapters.h"
#include "book/decode.h"
#include "book/message_flags.h"
#include "book/reader.h"

namespace pel {

namespace {

constexpr const char* kChapterNotice = "正在为小说按章节分页，请稍后！2秒内完成！";

}  // namespace

void Reader::PaginateByChapters() {
    // A rule number outside 1 .. 10 (a damaged settings file) has no heading word: the rule text reads it.
    if (chapterRule >= kFirstWordRule && chapterRule <= kLastWordRule) {
        PaginateByChapterWord();
    } else {
        PaginateByRuleText();
    }
}

void Reader::PaginateByChapterWord() {
    pageCount_ = 0;
    pageTable_[0] = 0;
    ShowNotice(kChapterNotice);
    FinishChapters(pel::PaginateByChapterWord(*text_, chapterRule));
}

void Reader::PaginateByRuleText() {
    if (customRuleText.empty()) customRuleText = kDefaultRuleText;
    pageCount_ = 0;
    pageTable_[0] = 0;
    ShowNotice(kChapterNotice);
    FinishChapters(pel::PaginateByRuleText(*text_, customRuleText));
}

void Reader::FinishChapters(ChapterScan&& scan) {
    const int found = static_cast<int>(scan.starts.size());
    if (chapterTitles_.size() < pageTable_.size()) chapterTitles_.resize(pageTable_.size());
    for (int k = 0; k < found; ++k) {
        pageTable_[k + 1] = scan.starts[k];
        chapterTitles_[k + 1] = std::move(scan.titles[k]);
    }
    if (scan.overflow) {
        pageCount_ = kMaxPages + 1;
        host_.MessageBox("章节页数已超上限1万！请先切换分页方式！", kAppCaption, kMbOk);
        return;
    }
    pageCount_ = found;
    if (found < kMinChapters) {
        // Back to lines as command 32798 goes there, at the place the reader was last seen.
        pagingMode = kPagingLines;
        PaginateByLines();
        GoToTextPosition(readPosition_);
        host_.ShowSelfClosingTip("普通文本或章数小于5！按章节分页失败！正在返回！");
        return;
    }
    host_.SetCounterLabels("总章数", "当前章数");
    hanziCount_ = CountHighBitBytes(*text_) / 2;
    currentPage_ = pageTable_[1] == 0 ? 1 : 0;
    ShowPage(currentPage_);
}

void Reader::SelectChapterRule(int rule) {
    if (rule < kFirstWordRule || rule > kChineseNumeralRule) return;
    chapterRule = rule;
    if (rule == kDigitRule) customRuleText = kDigitRuleText;
    if (rule == kChineseNumeralRule) customRuleText = kChineseNumeralRuleText;
    SwitchPagingMode(kPagingChapters);
}

void Reader::ApplyCustomRule(const std::string& ruleText) {
    chapterRule = kCustomRule;
    customRuleText = ruleText;
    SwitchPagingMode(kPagingChapters);
}

void Reader::ReturnFromContents(int page) {
    if (page == currentPage_) return;
    currentPage_ = page;
    ShowPage(page);
}

std::string Reader::ChapterTitle(int page) const {
    if (pagingMode != kPagingChapters || page < 1 || page > pageCount_ ||
        page >= static_cast<int>(chapterTitles_.size())) {
        return {};
    }
    return chapterTitles_[page];
}

}  // namespace pel

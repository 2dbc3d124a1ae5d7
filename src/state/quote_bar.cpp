#include "state/quote_bar.h"

#include <algorithm>

#include "book/file_errors.h"
#include "book/message_flags.h"

namespace pel {

const std::array<const char*, kBuiltInQuoteCount + 1> kBuiltInQuotes = {
    "",
    "宝剑锋从磨砺出，梅花香自苦寒来！",
    "百学须先立志。(朱熹)",
    "博学之,审问之,慎思之,明辨之,笃行之。(《礼记》) ",
    "不登高山,不知天之高也;不临深溪,不知地之厚也。(《荀子》)",
    "善于想，善于问，善于做的人，其收效则常大而且快。 ----- 谢觉哉",
    "书山有路勤为径,学海无涯苦作舟。",
    "书中自有黄金屋，书中自有颜如玉。",
    "学而不思则罔，思而不学则殆！--孔子",
    "先读最好的书,否则你根本没有机会去读了。-- H· D梭罗 ",
    "多读书，读好书，然后写出自己的感想，这是写好作文的开始。---冰心",
    "敏而好学，不耻下问——孔子",
    "明日复明日，明日何其多，我生待明日，万事成蹉跎！",
    "业精于勤，荒于嬉；行成于思，毁于随——韩愈",
    "鸟欲高飞先振翅，人求上进先读书——李苦禅",
    "非淡泊无以明志，非宁静无以致远——诸葛亮",
    "旧书不厌百回读，熟读精思子自知——苏轼",
    "千里之行，始于足下——老子",
    "路漫漫其修道远，吾将上下而求索——屈原",
    "读一本好书，就是和许多高尚的人谈话。——歌德",
    "在学习中取得知识，在战斗中取得勇敢。",
    "——保护环境，人人有责，请爱护我们这唯一的家园！——",
    "勤学和知识是一对最美的情人。",
    "成功的科学家往往是兴趣广泛的人，他们的独创精神来自他们的博学。",
    "学习不但意味着接受新知识，同时还要修正错误乃至对错误的认识。",
    "不信书不能提高境界，光信书不如无书。",
    "读书之法，在循序渐进，熟读而精思。――朱 熹",
    "读书是学习，摘抄是整理，写作是创造。―――吴晗 ",
    "用心不杂，乃是入神要路。―――袁牧[清] ",
    "纸上得来终觉浅，绝知此事要躬行.",
    "读书好，好读书，读好书。 ——冰心 ",
    "无所不能的人实在一无所能，无所不专的专家实在是一无所专。—－邹韬奋 ",
};

namespace {

// Where static 1028 stands in the bottom bar: 5 px in, 22 px above the bottom, leaving 525 px on the
// right for the page buttons and boxes.
constexpr int kQuoteLeft = 5;
constexpr int kQuoteAboveBottom = 22;
constexpr int kQuoteRightReserve = 525;
constexpr int kFileQuoteHeight = 16;

QuoteRect QuotePlace(const QuoteExtent& client, int height) {
    return {kQuoteLeft, client.height - kQuoteAboveBottom, std::max(0, client.width - kQuoteRightReserve),
            height};
}

}  // namespace

QuoteBar::QuoteBar(QuoteSettings& settings, IQuoteBarHost& host, IFileSystem& files)
    : settings_(settings), host_(host), files_(files) {}

void QuoteBar::Start(bool bottomBarHidden) {
    savedMode_ = settings_.quoteFlag;
    StartQuotes();
    hidden_ = bottomBarHidden;
}

void QuoteBar::StartQuotes() {
    switch (settings_.quoteFlag) {
        case kQuoteOff:
            host_.StartTimer(kTimerQuoteOff, kQuoteOffPeriodMs);
            break;
        case kQuoteBuiltIn:
            quoteIndex_ = 0;
            host_.StartTimer(kTimerQuoteBuiltIn, kQuoteBuiltInPeriodMs);
            break;
        case kQuoteFromFile:
            quoteIndex_ = 0;
            StartFromFile();
            break;
        default:
            break;
    }
}

void QuoteBar::Restart() {
    StopQuoteTimers();
    StartQuotes();
}

bool QuoteBar::OnCommand(int id) {
    if (id != kCmdQuoteBar) return false;
    ToggleBottomBar();
    return true;
}

void QuoteBar::ToggleBottomBar() {
    hidden_ = !hidden_;
    if (!hidden_) {
        settings_.quoteFlag = savedMode_;
        // A restart while the bar was hidden may have left a quote timer running; one timer at a time.
        StopQuoteTimers();
        StartQuotes();
    } else {
        StopQuoteTimers();
        savedMode_ = settings_.quoteFlag;
        settings_.quoteFlag = kQuoteOff;
    }
    host_.RelayoutView();
}

bool QuoteBar::OnTimer(int id) {
    if (id < 0 || id >= kFirstNonQuoteTimer) return false;
    Tick();
    return true;
}

void QuoteBar::Tick() {
    // A tick can open a message box whose loop delivers further ticks; those are dropped.
    if (ticking_) return;
    ticking_ = true;
    switch (settings_.quoteFlag) {
        case kQuoteOff:
            host_.SetQuoteText("");
            host_.MoveQuote({}, false);
            break;
        case kQuoteBuiltIn:
            ShowBuiltInQuote();
            break;
        case kQuoteFromFile:
            ShowFileQuote();
            break;
        default:
            break;
    }
    ticking_ = false;
}

void QuoteBar::StopQuoteTimers() {
    for (int id : {kTimerQuoteOff, kTimerQuoteBuiltIn, kTimerQuoteLines, kTimerQuoteScroll})
        host_.StopTimer(id);
}

bool QuoteBar::ReadQuoteFile() {
    const std::string& path = settings_.quotePath;
    // The file is only read, so a read-only quote file is as good as any.
    FileError cause = FileError::kNone;
    std::uint64_t size = 0;
    if (path.empty()) {
        cause = FileError::kBadPath;
    } else if (!files_.CanOpenForReading(path)) {
        cause = FileError::kFileNotFound;
    } else if (!files_.FileSize(path, size) || !files_.ReadPrefix(path, kMaxQuoteFileBytes, fileText_)) {
        cause = FileError::kGeneric;
    }
    if (cause != FileError::kNone) {
        fileText_.clear();
        host_.MessageBox(FileErrorText(cause, path), kAppCaption, kMbOk | kMbIconExclamation);
        return false;
    }
    if (size > kMaxQuoteFileBytes) {
        // Only the beginning was read: it ends at the last whole character, never inside one.
        for (std::size_t pos = 0; pos < fileText_.size();) {
            const std::size_t next = NextCharEnd(pos);
            if (next > fileText_.size()) {
                fileText_.resize(pos);
                break;
            }
            pos = next;
        }
    }
    return true;
}

void QuoteBar::StartFromFile() {
    loaded_ = Loaded::kNothing;
    scrollFinished_ = false;
    lineStarts_.clear();
    lineCount_ = 0;
    scrollPos_ = 0;
    if (!ReadQuoteFile()) return;
    if (fileText_.empty()) {
        host_.MessageBox(kQuoteFileEmpty, kAppCaption, kMbOk);
        return;
    }
    if (settings_.scrollFlag == 1) {
        std::replace_if(
            fileText_.begin(), fileText_.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        loaded_ = Loaded::kScrolling;
        host_.StartTimer(kTimerQuoteScroll, kQuoteScrollPeriodMs);
        return;
    }
    lineStarts_.push_back(0);
    for (std::size_t i = 0; i < fileText_.size(); ++i) {
        if (fileText_[i] != '\n') continue;
        if (++lineCount_ >= kMaxQuoteLineFeeds) {
            lineStarts_.clear();
            lineCount_ = 0;
            host_.MessageBox(kQuoteFileTooManyLines, kAppCaption, kMbOk);
            return;
        }
        lineStarts_.push_back(i + 1);
    }
    loaded_ = Loaded::kLines;
    host_.StartTimer(kTimerQuoteLines, kQuoteLinesPeriodMs);
}

void QuoteBar::ShowBuiltInQuote() {
    // After 31 comes 1; an index left by another mode comes back into range the same way.
    quoteIndex_ = quoteIndex_ % kBuiltInQuoteCount + 1;
    const std::string text = kBuiltInQuotes[static_cast<std::size_t>(quoteIndex_)];
    quoteExtent_ = host_.MeasureQuote(text);
    const QuoteExtent client = host_.ViewClientSize();
    host_.SetQuoteText(text);
    host_.MoveQuote(QuotePlace(client, quoteExtent_.height), true);
}

void QuoteBar::ShowFileQuote() {
    host_.MoveQuote(QuotePlace(host_.ViewClientSize(), kFileQuoteHeight), true);
    switch (loaded_) {
        case Loaded::kLines:
            ShowNextLine();
            break;
        case Loaded::kScrolling:
            ShowNextScrollWindow();
            break;
        case Loaded::kNothing:
            host_.SetQuoteText("");
            break;
    }
}

void QuoteBar::ShowNextLine() {
    // Past the last line without looping: the last line stays shown.
    if (quoteIndex_ > lineCount_) return;
    if (quoteIndex_ < 0) quoteIndex_ = 0;
    const auto k = static_cast<std::size_t>(quoteIndex_);
    const std::size_t begin = lineStarts_[k];
    const std::size_t end = quoteIndex_ < lineCount_ ? lineStarts_[k + 1] : fileText_.size();
    if (end - begin >= kMaxQuoteLineBytes) {
        host_.StopTimer(kTimerQuoteLines);
        host_.MessageBox(kQuoteLineTooLong, kAppCaption, kMbOk);
        settings_.scrollFlag = 1;
        StartQuotes();
        host_.SetQuoteText("");
        return;
    }
    host_.SetQuoteText(fileText_.substr(begin, end - begin));
    if (++quoteIndex_ > lineCount_) {
        if (settings_.loopFlag == 1) {
            quoteIndex_ = 0;
        } else {
            host_.StopTimer(kTimerQuoteLines);
        }
    }
}

std::size_t QuoteBar::NextCharEnd(std::size_t pos) const {
    // A byte of 0x80 or above starts a two-byte character.
    const std::size_t width = static_cast<unsigned char>(fileText_[pos]) >= 0x80 ? 2 : 1;
    return pos + width;
}

void QuoteBar::ShowNextScrollWindow() {
    // The end reached without looping: the last window stays shown.
    if (scrollFinished_) return;
    const std::size_t length = fileText_.size();
    if (quoteIndex_ == 0) {
        scrollPos_ = 0;
    } else {
        for (int i = 0; i < kScrollStepChars && scrollPos_ < length; ++i) {
            scrollPos_ = std::min(NextCharEnd(scrollPos_), length);
        }
    }
    std::size_t end = scrollPos_;
    int taken = 0;
    bool reachedEnd = end >= length;
    while (!reachedEnd && taken < kScrollWindowChars) {
        end = std::min(NextCharEnd(end), length);
        ++taken;
        reachedEnd = end >= length && taken < kScrollWindowChars;
    }
    if (reachedEnd) {
        if (settings_.loopFlag == 1) {
            quoteIndex_ = 0;
            host_.SetQuoteText("");
        } else {
            host_.StopTimer(kTimerQuoteScroll);
            scrollFinished_ = true;
            host_.SetQuoteText(fileText_.substr(scrollPos_));
        }
        return;
    }
    host_.SetQuoteText(fileText_.substr(scrollPos_, end - scrollPos_));
    ++quoteIndex_;
}

}  // namespace pel

// Showing pages, the reader's position in the book and the texts that report it.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <utility>

#include "book/decode.h"
#include "book/message_flags.h"
#include "book/page_text.h"
#include "book/reader.h"

namespace pel {

namespace {

constexpr int kLineRestoreTries = 10;

std::string Format(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) return {};
    return std::string(buffer, static_cast<std::size_t>(std::min<int>(n, sizeof buffer - 1)));
}

}  // namespace

void Reader::ShowInControl(std::shared_ptr<const std::string> owner, std::string_view text) {
    page_.SetText(text);
    index_.Build(std::move(owner), text);
}

void Reader::ShowNotice(const char* notice) {
    auto text = std::make_shared<const std::string>(notice);
    ShowInControl(text, *text);
}

void Reader::RestorePreviousDisplay() {
    const long long position = readPosition_;
    if (pagingMode == kPagingWhole) {
        ShowInControl(text_, *text_);
    } else {
        ShowPage(currentPage_);
    }
    GoToTextPosition(position);
}

void Reader::UpdatePosition() {
    const int first = std::max(0, page_.FirstVisibleLine());
    markLine_ = first;
    const int firstChar = std::max(0, page_.LineIndex(first));
    const long long length = TextLength();
    readPosition_ = std::min(length, index_.ByteFromChar(firstChar) + PageStart(currentPage_));
    readPercent_ =
        length > 0 ? static_cast<double>(readPosition_) * 100.0 / static_cast<double>(length) : 0.0;
}

void Reader::ShowPage(int page) {
    if (pageCount_ > kMaxPages) return;  // after an overflow nothing is shown until the mode changes
    if (page > pageCount_ || page < 0) page = 1;
    currentPage_ = page;
    const long long length = TextLength();
    const long long start = std::clamp(PageStart(page), 0LL, length);
    const long long end = page >= pageCount_ ? length : std::clamp(PageStart(page + 1), start, length);
    auto pageText = std::make_shared<const std::string>(MakePageText(std::string_view(*text_).substr(
        static_cast<std::size_t>(start), static_cast<std::size_t>(end - start))));
    host_.SetTotalBox(pageCount_);
    host_.SetCurrentBox(currentPage_);
    page_.Focus();
    totalShown_ = pageCount_;
    currentShown_ = currentPage_;
    ShowInControl(pageText, *pageText);
    SyncTitle();
    page_.ClearModified();
}

void Reader::ReturnToSavedPage(int page) {
    // The whole book is its only page.
    if (pagingMode == kPagingWhole || page == currentPage_) return;
    ShowPage(page);
}

std::string_view Reader::CurrentPageBytes() const {
    if (!ShowsPage()) return std::string_view(*text_).substr(0, 0);
    const long long length = TextLength();
    const long long start = std::clamp(PageStart(currentPage_), 0LL, length);
    const long long end =
        currentPage_ >= pageCount_ ? length : std::clamp(PageStart(currentPage_ + 1), start, length);
    return std::string_view(*text_).substr(static_cast<std::size_t>(start),
                                           static_cast<std::size_t>(end - start));
}

std::string Reader::ShownPageText() const {
    if (pagingMode == kPagingWhole) return *text_;
    return MakePageText(CurrentPageBytes());
}

void Reader::ReplaceCurrentPage(std::string_view pageBytes) {
    if (!ShowsPage()) return;
    const std::string_view old = CurrentPageBytes();
    const std::size_t start = static_cast<std::size_t>(old.data() - text_->data());
    std::string text;
    text.reserve(text_->size() - old.size() + pageBytes.size());
    text.append(*text_, 0, start);
    text.append(pageBytes);
    text.append(*text_, start + old.size(), std::string::npos);
    const long long shift = static_cast<long long>(pageBytes.size()) - static_cast<long long>(old.size());
    for (int k = currentPage_ + 1; k <= pageCount_; ++k) pageTable_[static_cast<std::size_t>(k)] += shift;
    text_ = std::make_shared<const std::string>(std::move(text));
    hanziCount_ = CountHighBitBytes(*text_) / 2;
    if (pagingMode == kPagingWhole) {
        index_.Build(text_, *text_);
    } else {
        auto shown = std::make_shared<const std::string>(ShownPageText());
        index_.Build(shown, *shown);
    }
    SyncTitle();
}

void Reader::GoToTextPosition(long long position) {
    lineRestorePending_ = false;
    position = std::clamp(position, 0LL, TextLength());
    if (pagingMode != kPagingWhole) {
        const int last = std::min(pageCount_, kMaxPages);
        const auto first = pageTable_.begin() + 1;
        const auto found = std::upper_bound(first, first + std::max(0, last), position);
        if (found != first + std::max(0, last)) {
            ShowPage(static_cast<int>(found - pageTable_.begin()) - 1);
        } else {
            ShowPage(pageCount_);
        }
    }
    if (position != 0) {
        const long long offset = std::max(0LL, position - PageStart(currentPage_));
        const long long charPos = index_.CharFromByte(offset);
        const int line = page_.LineFromChar(static_cast<int>(charPos));
        lineMarker_ = line;
        page_.ScrollLines(-page_.LineCount());
        page_.ScrollLines(line);
    }
    UpdatePosition();
}

void Reader::SyncTitle() {
    state_.bookPath = bookPath_;
    state_.fileName = FileNameOf(bookPath_);
    state_.currentPage = currentPage_;
    state_.pageCount = pageCount_;
    state_.textLength = TextLength();
    const int pages = std::clamp(pageCount_, 0, kMaxPages);
    state_.pageStarts.assign(pageTable_.begin() + 1, pageTable_.begin() + 1 + pages);
    state_.chapterTitles.clear();
    if (pagingMode == kPagingChapters && !chapterTitles_.empty()) {
        const std::size_t count = std::min<std::size_t>(pages, chapterTitles_.size() - 1);
        state_.chapterTitles.assign(chapterTitles_.begin() + 1, chapterTitles_.begin() + 1 + count);
    }
    state_.text = text_;
    state_.pagingMode = pagingMode;
    state_.ruleText = customRuleText;
    host_.PublishReadingState(state_);

    if (!customTitle.empty()) {
        host_.SetWindowTitle(customTitle);
    } else if (!state_.fileName.empty()) {
        host_.SetWindowTitle(state_.fileName);
    } else {
        host_.SetWindowTitle("Pelin阅读器——Pelinreader");
    }
}

void Reader::OnPositionTimer() { UpdatePosition(); }

void Reader::OnWholeBookTimer() {
    if (pagingMode != kPagingWhole) host_.StopTimer(kTimerWholeBookLines);
    int line = 0;
    if (lineRestorePending_) {
        line = savedMarkLine;
        page_.ScrollLines(line - page_.FirstVisibleLine());
        if (page_.FirstVisibleLine() == line || ++lineRestoreTries_ >= kLineRestoreTries) {
            lineRestorePending_ = false;
        }
    } else {
        line = page_.FirstVisibleLine();
    }
    if (line != currentShown_) {
        host_.SetCurrentBox(line);
        currentShown_ = line;
    }
    markLine_ = line;
    const int lines = page_.LineCount();
    if (lines != totalShown_) {
        host_.SetTotalBox(lines);
        totalShown_ = lines;
    }
}

std::string Reader::SizePaneText() const {
    return Format("字数：%.4f 万[%s]", static_cast<double>(hanziCount_) * 0.0001, EncodingName(encoding_));
}

std::string Reader::ProgressPaneText() {
    UpdatePosition();
    switch (pagingMode) {
        case kPagingChapters: {
            return Format("[%4.2f%%]->[章 %d/%d] ", readPercent_, currentPage_, pageCount_) + "正在阅读：" +
                   ChapterTitle(currentPage_);
        }
        case kPagingWhole:
            return Format("[%4.2f%%]->[行 %d/%d] ", readPercent_, markLine_, totalShown_) + "正在阅读：" +
                   FileNameOf(bookPath_);
        default:
            if (currentPage_ == 0) return {};
            return Format("[%4.2f%%]->[页 %d/%d] ", readPercent_, currentPage_, pageCount_) + "正在阅读：" +
                   FileNameOf(bookPath_);
    }
}

void Reader::OfferResume() {
    long long position = 0;
    if (!host_.HasReadingRecord(position)) return;
    if (position == 0 || TextLength() == 0) return;
    const double percent = static_cast<double>(position) * 100.0 / static_cast<double>(TextLength());
    const int answer = host_.MessageBox(Format("发现上次进度 %.2f%%, 是否继续阅读？", percent), kAppCaption,
                                        kMbOkCancel | kMbIconExclamation);
    if (answer == kIdOk) GoToTextPosition(position);
}

}  // namespace pel

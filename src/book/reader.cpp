// Opening a book, paginating it and the commands that reload or repaginate it.
#include "book/reader.h"

#include <new>
#include <utility>

#include "book/decode.h"
#include "book/message_flags.h"
#include "book/pagination.h"

namespace pel {

Reader::Reader(IPageControl& page, IReaderHost& host, IFileSystem& files, ICodePage& codePage)
    : page_(page),
      host_(host),
      files_(files),
      codePage_(codePage),
      text_(std::make_shared<const std::string>()),
      pageTable_(kMaxPages + 2, 0) {
    index_.Build(text_, *text_);
}

void Reader::FailOpen(const char* message) {
    bookPath_.clear();
    host_.MessageBox(message, kAppCaption, kMbOk);
}

void Reader::OpenBook(const std::string& requested) {
    if (requested.empty()) return;
    std::string path = requested;
    // An archive member path: a '|' that is a character of its own, not the second byte of one.
    const std::size_t bar = FindFirstOf(path, "|");
    if (bar != std::string::npos) {
        // A member that was not extracted is never looked for elsewhere: a file of its name in temp\ or
        // books\ would be another book. The extractor's side has shown its one message.
        if (!host_.ExtractArchiveMember(path)) {
            bookPath_.clear();
            return;
        }
        path = programDir + "temp\\" + FileNameOf(path.substr(bar + 1));
    } else {
        host_.ResetArchiveListing();
    }
    bool fromBooksFolder = false;
    if (!files_.CanOpenForReading(path)) {
        path = programDir + "books\\" + FileNameOf(path);
        fromBooksFolder = true;
    }
    std::uint64_t size = 0;
    if (!files_.CanOpenExclusive(path) || !files_.FileSize(path, size)) {
        FailOpen("文件已删除！");
        return;
    }
    if (size == 0) {
        FailOpen("警告！空文档！");
        return;
    }
    if (size > kMaxBookBytes) {
        FailOpen("文件过大，无法打开！");
        return;
    }

    // The file is read once; detection and decoding work on the same bytes.
    std::string bytes;
    try {
        if (!files_.ReadAll(path, bytes)) {
            FailOpen("文件已删除！");
            return;
        }
    } catch (const std::bad_alloc&) {
        FailOpen("文件过大，无法打开！");
        return;
    }
    screenStep_ = -1;
    const DetectedEncoding detected = DetectEncoding(bytes, forceUtf8 == 1);
    host_.UpdateReadingRecords();

    const bool wide = detected.encoding == kEncodingUnicode || detected.encoding == kEncodingUnicodeBig;
    if (wide) ShowNotice("正在为小说转换编码Unicode到ANSI，请稍后！2秒内完成！");
    std::string decoded;
    try {
        decoded = DecodeBook(std::move(bytes), detected, codePage_);
    } catch (const std::bad_alloc&) {
        if (wide) RestorePreviousDisplay();
        FailOpen("文件过大，无法打开！");
        return;
    }
    bookPath_ = requested;
    encoding_ = detected.encoding;
    host_.EndEditMode();
    if (deleteBlankLines == 1) DeleteBlankLines(decoded);
    text_ = std::make_shared<const std::string>(std::move(decoded));

    ShowNotice("正在为小说分页，请稍后！！！");
    RunPagination();

    if (fromBooksFolder) {
        bookPath_ = "books\\" + FileNameOf(path);
        state_.bookPath = bookPath_;
    }
    host_.UpdateReadingRecords();
    host_.EnsureReadingRecord();
    state_.bookTitle = BookTitleOf(path);
    host_.PublishReadingState(state_);
    openedBookPath_ = bookPath_;
    openedFile_ = path;
}

const std::string& Reader::BookFilePath() const {
    return !bookPath_.empty() && bookPath_ == openedBookPath_ ? openedFile_ : bookPath_;
}

void Reader::RunPagination() {
    // A mode read from a damaged settings file would show nothing at all: such books go by lines.
    if (pagingMode < kPagingLines || pagingMode > kPagingWhole) pagingMode = kPagingLines;
    switch (pagingMode) {
        case kPagingWhole:
            PaginateWholeBook();
            break;
        case kPagingChapters:
            PaginateByChapters();
            break;
        default:
            PaginateByLines();
            break;
    }
}

void Reader::PaginateByLines() {
    page_.SetText("");
    index_.Clear();
    const LinePages pages = BuildLinePages(*text_, pageTable_);
    pageCount_ = pages.pageCount;
    hanziCount_ = pages.hanziCount;
    if (pages.overflow) {
        host_.MessageBox("章节页数已超上限1万！请先切换分页方式！", kAppCaption, kMbOk);
        return;
    }
    host_.SetCounterLabels("总页数", "当前页数");
    currentPage_ = 1;
    ShowPage(1);
}

void Reader::PaginateWholeBook() {
    pagingMode = kPagingWhole;
    totalShown_ = 0;
    pageCount_ = 1;
    pageTable_[0] = 0;
    pageTable_[1] = 0;
    hanziCount_ = CountHighBitBytes(*text_) / 2;
    host_.SetCounterLabels("总行数", "当前行数");
    currentPage_ = 1;
    page_.Focus();
    ShowInControl(text_, *text_);
    totalShown_ = page_.LineCount();
    host_.StartTimer(kTimerWholeBookLines, kWholeBookTimerPeriodMs);
    totalShown_ = page_.LineCount();
    host_.SetTotalBox(totalShown_);
    host_.SetCurrentBox(currentShown_);  // the current line is set by the first tick of timer 102
    SyncTitle();
    page_.ClearModified();
}

void Reader::SwitchPagingMode(int mode) {
    if (mode < kPagingLines || mode > kPagingWhole) return;
    UpdatePosition();
    const long long position = readPosition_;
    if (pagingMode == kPagingWhole) host_.StopTimer(kTimerWholeBookLines);
    // The reader has chosen a place: the saved whole-book line no longer applies.
    lineRestorePending_ = false;
    pagingMode = mode;
    RunPagination();
    GoToTextPosition(position);
}

void Reader::CyclePagingMode() {
    if (pagingMode < kPagingLines || pagingMode > kPagingWhole) return;
    SwitchPagingMode((pagingMode + 1) % 3);
}

void Reader::ToggleDeleteBlankLines() {
    deleteBlankLines = deleteBlankLines == 1 ? 0 : 1;
    const long long position = readPosition_;
    OpenBook(bookPath_);
    GoToTextPosition(position);
}

void Reader::ForceUtf8Reload() {
    forceUtf8 = 1;
    const double percent = readPercent_;
    OpenBook(bookPath_);
    readPosition_ = static_cast<long long>(static_cast<double>(TextLength()) * percent * 0.01);
    GoToTextPosition(readPosition_);
    forceUtf8 = 0;
    host_.MessageBox("已强制转换为utf8编码输出，未修改文件！如该文本无法自动识别utf8，需每次通过此功能转码。",
                     kAppCaption, kMbOk);
}

void Reader::EnterInPageBox(bool autoScrolling) {
    bool ok = false;
    // Text that is no integer is refused with the integer validation message and left in the box to mend.
    auto refuse = [this] { host_.MessageBox("请键入一个整数。", kAppCaption, kMbOk | kMbIconExclamation); };
    if (pagingMode != kPagingWhole) {
        const int number = host_.CurrentBoxValue(ok);
        if (!ok) return refuse();
        if (number > pageCount_ || number < 1) {
            host_.SetCurrentBox(currentPage_);
            return;
        }
        currentPage_ = number;
        ShowPage(number);
        return;
    }
    if (autoScrolling) return;
    const int number = host_.CurrentBoxValue(ok);
    if (!ok) return refuse();
    if (number >= totalShown_ || number < 0) {
        host_.SetCurrentBox(currentShown_);
        return;
    }
    page_.ScrollLines(number - currentShown_);
    currentShown_ = number;
    page_.Focus();
}

}  // namespace pel

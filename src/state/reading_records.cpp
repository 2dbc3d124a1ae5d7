#include "state/reading_records.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "book/message_flags.h"
#include "state/navigation.h"

namespace pel {

namespace {

constexpr int kMaxRecords = settings::kReadingRecordKeys;

long long SecondsSince(long long start, long long now) { return now > start ? now - start : 0; }

long long AddSeconds(long long total, long long seconds) {
    if (total < 0) total = 0;
    return seconds > std::numeric_limits<long long>::max() - total ? std::numeric_limits<long long>::max()
                                                                   : total + seconds;
}

std::string Percent(double percent) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", percent);
    return buffer;
}

}  // namespace

ReadingProgress ProgressOf(const Reader& reader) {
    ReadingProgress p;
    p.fileName = reader.State().fileName;
    p.bookPath = reader.State().bookPath;
    p.percent = reader.ReadPercent();
    p.position = reader.ReadPosition();
    p.textLength = reader.TextLength();
    return p;
}

ReadingClock::ReadingClock(CConfigFile& config, IClock& clock, IRecordHost& host)
    : config_(config), clock_(clock), host_(host) {}

void ReadingClock::LookUp(const std::string& fileName) {
    config_.LoadReadingRecords();
    if (fileName.empty()) return;
    recordActive_ = false;
    if (const int key = config_.FindRecord(fileName)) {
        recordActive_ = true;
        recordIndex_ = key;
    }
}

void ReadingClock::Create(const std::string& fileName, const std::string& bookPath) {
    if (fileName.empty()) return;
    config_.LoadReadingRecords();
    if (const int key = config_.FindRecord(fileName)) {
        recordIndex_ = key;
        host_.MessageBox("提示！记录已存在！快捷键 F3 查看！", kAppCaption, kMbOk);
        return;
    }
    recordActive_ = true;
    const int count = std::min(config_.TimePadNum() + 1, kMaxRecords);
    recordIndex_ = count;
    const Moment now = clock_.Now();
    readingStart_ = now.seconds;
    // The total and the last reading are a single space until the first flush.
    const ReadingRecord record{{},  fileName, " ", FormatRecordTime(now.local),
                               " ", "0.00",   "0", RecordFolderOf(bookPath)};
    config_.StoreRecord(count, recordIndex_, FormatReadingRecord(record));
    config_.MoveRecordToFront(count);
    recordIndex_ = 1;
}

bool ReadingClock::Flush(const ReadingProgress& progress, bool& endOfBookShown) {
    LookUp(progress.fileName);
    if (readingStart_ <= 0) return false;
    if (recordIndex_ == 0 || !recordActive_) {
        // The record was deleted while the time ran: nothing is left to credit it to.
        readingStart_ = 0;
        return false;
    }
    const Moment now = clock_.Now();
    ReadingRecord record = config_.Record(recordIndex_);
    record.total =
        std::to_string(AddSeconds(LeadingNumber(record.total), SecondsSince(readingStart_, now.seconds)));
    record.lastRead = FormatRecordTime(now.local);
    record.progress = Percent(progress.percent);
    record.characters = std::to_string(progress.position);
    if (endOfBookShown) {
        record.progress = "100.00";
        record.characters = std::to_string(progress.textLength);
        endOfBookShown = false;
    }
    record.folder = RecordFolderOf(progress.bookPath);
    config_.StoreRecord(config_.TimePadNum(), recordIndex_, FormatReadingRecord(record));
    readingStart_ = 0;
    if (recordIndex_ > 1) {
        config_.MoveRecordToFront(recordIndex_);
        recordIndex_ = 1;
    }
    return true;
}

void ReadingClock::StartIfActive() {
    if (recordActive_ && readingStart_ <= 0) readingStart_ = clock_.Now().seconds;
}

void ReadingClock::Flush(const Reader& reader, Navigator& navigator) {
    bool endOfBookShown = navigator.EndOfBookShown();
    Flush(ProgressOf(reader), endOfBookShown);
    if (!endOfBookShown) navigator.ClearEndOfBookShown();
}

void ReadingClock::EnsureRecord(const Reader& reader) {
    if (recordActive_) {
        readingStart_ = clock_.Now().seconds;
    } else {
        Create(reader.State().fileName, reader.State().bookPath);
    }
}

void ReadingClock::OnWindowShown(const Reader& reader, Navigator& navigator) {
    Flush(reader, navigator);
    StartIfActive();
}

bool ReadingClock::StoredPosition(const Reader& reader, long long& position) {
    position = 0;
    const std::string& name = reader.State().fileName;
    if (name.empty()) return false;
    LookUp(name);
    if (!recordActive_) return false;
    position = LeadingNumber(config_.Record(recordIndex_).characters);
    return true;
}

bool ReadingClock::ReadingTimeOfOpenBook(const Reader& reader, long long& sessionSeconds,
                                         long long& storedSeconds) {
    sessionSeconds = storedSeconds = 0;
    const std::string& name = reader.State().fileName;
    if (name.empty()) return false;
    LookUp(name);
    if (readingStart_ <= 0 || !recordActive_ || recordIndex_ == 0) return false;
    sessionSeconds = SecondsSince(readingStart_, clock_.Now().seconds);
    storedSeconds = std::max(0LL, LeadingNumber(config_.Record(recordIndex_).total));
    return true;
}

bool ReadingClock::OpenChosenRecord(const RecordChoice& choice, Reader& reader) {
    if (!host_.OfferToSave(SavePlace::kReadingRecord)) return false;
    const std::string previous = reader.BookPath();
    reader.SetBookPath(choice.path);
    reader.OpenBook(choice.path);
    if (reader.BookPath().empty()) {
        reader.SetBookPath(previous);
        // A failed load may have stopped the previous book's time after it was credited.
        StartIfActive();
        return false;
    }
    reader.GoToTextPosition(choice.position);
    host_.ShowOnlyInLibrary(reader.BookPath());
    // The record of the book now open, wherever the flush of the previous book has moved it.
    LookUp(reader.State().fileName);
    if (recordActive_ && recordIndex_ > 1) {
        config_.MoveRecordToFront(recordIndex_);
        recordIndex_ = 1;
    }
    return true;
}

std::vector<RecordRow> RecordRows(const CConfigFile& config) {
    std::vector<RecordRow> rows;
    for (int key = 1; key <= config.TimePadNum(); ++key)
        rows.push_back(MakeRecordRow(key, config.Record(key)));
    return rows;
}

bool ChooseRecord(const CConfigFile& config, int row, IMessageHost& host, RecordChoice& choice) {
    if (row < 0 || row >= config.TimePadNum()) {
        host.MessageBox("请选择要打开的文件！", kAppCaption, kMbOk);
        return false;
    }
    const ReadingRecord& record = config.Record(row + 1);
    if (record.folder.empty()) {
        host.MessageBox(kOldRecordMessage, kAppCaption, kMbOk);
        return false;
    }
    choice.path = RecordBookPath(record);
    choice.position = LeadingNumber(record.characters);
    choice.key = row + 1;
    return true;
}

std::string ContainingFolderCommand(const CConfigFile& config, int row, const std::string& programDir,
                                    IMessageHost& host) {
    if (row < 0 || row >= config.TimePadNum()) {
        host.MessageBox("请选择要打开的文件！！！", kAppCaption, kMbOk);
        return {};
    }
    const ReadingRecord& record = config.Record(row + 1);
    if (record.folder.empty()) {
        host.MessageBox(kOldRecordMessage, kAppCaption, kMbOk);
        return {};
    }
    std::string target =
        record.folder == "books" ? programDir + "books\\" + record.name : RecordBookPath(record);
    const std::size_t bar = FindSingleByte(record.folder, '|');
    if (bar != std::string::npos) target = record.folder.substr(0, bar);
    return "explorer /e,/select," + target;
}

int DeleteSelectedRecord(CConfigFile& config, int row, IMessageHost& host) {
    if (row < 0) {
        host.MessageBox("请选择要删除的记录！", kAppCaption, kMbOk);
        return -1;
    }
    config.LoadReadingRecords();
    if (config.TimePadNum() == 0) {
        host.MessageBox("数据为空！", kAppCaption, kMbOk);
        return -1;
    }
    if (row >= config.TimePadNum()) {
        host.MessageBox("请选择要删除的记录！", kAppCaption, kMbOk);
        return -1;
    }
    config.DeleteRecord(row + 1);
    return row;
}

bool DeleteAllRecords(CConfigFile& config, IMessageHost& host) {
    if (host.MessageBox(kDeleteAllRecordsQuestion, kAppCaption, kMbOkCancel | kMbIconExclamation) != kIdOk) {
        return false;
    }
    config.LoadReadingRecords();
    config.DeleteAllRecords();
    return true;
}

}  // namespace pel

// Reading-time records: the time running for the open book and the record it is credited to, the
// look-up, creation and flush of section TimePad, and the logic of the records dialog (template 166).
#pragma once
#include <string>
#include <vector>

#include "book/reader.h"
#include "edit/save_place.h"
#include "state/clock.h"
#include "state/config_file.h"
#include "state/record_line.h"

namespace pel {

class Navigator;

constexpr int kCmdReadingRecords = 32813;  // F3

// Texts of the records dialog and of the view's opening from it.
inline constexpr const char* kDeleteAllRecordsQuestion = "警告！确认是否删除所有阅读时间记录？";
inline constexpr const char* kOldRecordMessage =
    "路径不存在！这可能是因为旧版本保存的记录！\n当您下次通过其他方式正确打开此文件后，会自动保存路径。\n"
    "阅读时间总计始终不受影响！";

class IMessageHost {
public:
    virtual ~IMessageHost() = default;
    // Modal box; `flags` are the platform's MB_* values, the result its ID* value.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

// What the view does for the records besides the reading logic.
class IRecordHost : public IMessageHost {
public:
    // Asks to save an edited page before the book is left; false when it must stay.
    virtual bool OfferToSave(SavePlace place) = 0;
    // The library list is emptied and shows only the file name of the open book, whose path a double
    // click on that line opens; no folder is listed any more.
    virtual void ShowOnlyInLibrary(const std::string& bookPath) = 0;
};

// What a flush reads of the open book: the application object's snapshot (file name and path of the
// book last shown) and the tracked position.
struct ReadingProgress {
    std::string fileName;
    std::string bookPath;
    double percent = 0.0;
    long long position = 0;
    long long textLength = 0;
};
ReadingProgress ProgressOf(const Reader& reader);

// The record the dialog's "打开" chose: the book's path and the characters field to go to, and the key
// of the record as the dialog listed it.
struct RecordChoice {
    std::string path;
    long long position = 0;
    int key = 0;
};

// ReadingStart, RecordIndex and RecordActive of the view, and every record operation that uses them.
// Every operation reloads the list from Config.ini first and writes its changes at once.
class ReadingClock {
public:
    ReadingClock(CConfigFile& config, IClock& clock, IRecordHost& host);

    long long ReadingStart() const { return readingStart_; }  // 0 while no reading time runs
    int RecordIndex() const { return recordIndex_; }
    bool RecordActive() const { return recordActive_; }

    // The record of the book named `fileName`: sets RecordActive and RecordIndex when there is one,
    // clears RecordActive when not. An empty name changes nothing.
    void LookUp(const std::string& fileName);
    // A record for a newly opened book at the end (key 99 replaces the oldest when 99 are stored),
    // then moved to key 1; the reading time starts.
    void Create(const std::string& fileName, const std::string& bookPath);
    // Adds the time since ReadingStart to the open book's record with the progress reached, and stops
    // the time. With `endOfBookShown` the record gets "100.00" and the book's length, and the flag is
    // cleared. A time whose record has gone is dropped, never credited to the next book. True when the
    // record was written.
    bool Flush(const ReadingProgress& progress, bool& endOfBookShown);
    // Back from the tray or the boss key: the time starts again when the book has a record.
    void StartIfActive();

    // The view's hooks, in terms of the reader and the navigator.
    // Opening a book (twice: before the text is replaced, after the first page is shown), hiding to
    // the tray or by the boss key, and at exit.
    void Flush(const Reader& reader, Navigator& navigator);
    // After the second flush of an opening: the time starts when the book has a record, else one is
    // created.
    void EnsureRecord(const Reader& reader);
    // Coming back from the tray or the boss key.
    void OnWindowShown(const Reader& reader, Navigator& navigator);
    // OfferResume: the stored characters field of the open book's record.
    bool StoredPosition(const Reader& reader, long long& position);
    // The end-of-book message: false when no time runs or the book has no record.
    bool ReadingTimeOfOpenBook(const Reader& reader, long long& sessionSeconds, long long& storedSeconds);

    // After the records dialog closed with "打开": asks to save an edited page, opens the book at the
    // record's position and moves the open book's record to the front. False when the book could not
    // be opened (the previous path is current again).
    bool OpenChosenRecord(const RecordChoice& choice, Reader& reader);

private:
    CConfigFile& config_;
    IClock& clock_;
    IRecordHost& host_;
    long long readingStart_ = 0;
    int recordIndex_ = 0;
    bool recordActive_ = false;
};

// The records dialog's own logic over its CConfigFile (loaded by the dialog at start-up). Rows are
// 0-based as the list view counts them; -1 is no selection.
std::vector<RecordRow> RecordRows(const CConfigFile& config);
// "打开" or a double-click: false (after its message) when nothing is selected or the record has no
// folder; the dialog then stays open.
bool ChooseRecord(const CConfigFile& config, int row, IMessageHost& host, RecordChoice& choice);
// "打开所在文件夹": the command line "explorer /e,/select,<path>" to run shown maximised, or empty
// (after its message). A folder that is exactly "books" lies in the program folder; inside an archive
// the archive itself is selected.
std::string ContainingFolderCommand(const CConfigFile& config, int row, const std::string& programDir,
                                    IMessageHost& host);
// "删除选中项记录": the row to highlight after the list was refilled, or -1 when nothing was deleted.
int DeleteSelectedRecord(CConfigFile& config, int row, IMessageHost& host);
// "删除全部记录" after its question; true when the records were deleted.
bool DeleteAllRecords(CConfigFile& config, IMessageHost& host);

}  // namespace pel

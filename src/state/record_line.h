// The ReadingRecord line of section TimePad: seven comma-separated fields, the folder last so that it
// may hold commas of its own ("三体.txt,5400,2017/3/3 09:05,2017/3/4 22:10,37.25,123456,D:\小说").
#pragma once
#include <array>
#include <string>
#include <string_view>

#include "state/bookmark_line.h"

namespace pel {

struct ReadingRecord {
    std::string raw;
    std::string name;        // file name with extension: the key by which a book finds its record
    std::string total;       // reading seconds; " " in a new record
    std::string firstRead;   // "%d/%d/%d %s"
    std::string lastRead;    // same form; " " in a new record
    std::string progress;    // "%.2f" percentage
    std::string characters;  // byte position of the first visible line, or the book's length at its end
    std::string folder;      // empty in the four-field lines of older versions
};

// Name, total and the two times are cut at the first three commas; only a line with a fourth comma has
// progress, characters and folder, the folder being everything after the sixth comma. A name that held
// a comma is therefore read back shifted: the part before its comma becomes the name.
ReadingRecord ParseReadingRecord(std::string_view line);

// "%s,%s,%s,%s,%s,%s,%s" of the seven fields.
std::string FormatReadingRecord(const ReadingRecord& record);

// "%d/%d/%d %s": year, month, day, then "%H:%M" (2017/3/3 09:05).
std::string FormatRecordTime(const LocalTime& time);

// The folder of a book path: the text before the last backslash, or up to and including the last '|'
// when that comes later (a member inside an archive). Empty when the path has neither. The path is
// walked by characters: the second byte of a CP936 character may be a backslash or a '|'.
std::string RecordFolderOf(const std::string& bookPath);

// The book a record names: folder and name joined by one backslash (no backslash after an archive's
// '|'). Empty for a record without a folder.
std::string RecordBookPath(const ReadingRecord& record);

// The first and the last position of `c` standing as a character of its own, not as the second byte of
// a CP936 character; npos when there is none.
std::size_t FindSingleByte(std::string_view text, char c);
std::size_t FindLastSingleByte(std::string_view text, char c);

// "%d时 %2d分 %2d秒 " of the stored total, as the records dialog shows it.
std::string FormatRecordTotal(long long seconds);

// The columns of one row of the records dialog: "No." (from 1), name, total, progress, last read, first
// read, characters, folder.
constexpr int kRecordColumns = 8;
using RecordRow = std::array<std::string, kRecordColumns>;
RecordRow MakeRecordRow(int number, const ReadingRecord& record);

}  // namespace pel

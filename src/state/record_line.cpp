#include "state/record_line.h"

#include <cstdio>

#include "state/profile.h"

namespace pel {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Bytes (from, to) of the line between two commas; `to` missing means the end of the line.
std::string AfterComma(std::string_view line, std::size_t from, std::size_t to) {
    if (from == kNone) return {};
    const std::size_t end = to == kNone ? line.size() : to;
    return std::string(line.substr(from + 1, end - from - 1));
}

// Every position of `c` standing alone, in order, until `visit` returns false.
template <typename Visit>
void ForEachSingleByte(std::string_view text, char c, Visit visit) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (IsCp936LeadByte(b) && i + 1 < text.size()) {
            i += 2;
            continue;
        }
        if (text[i] == c && !visit(i)) return;
        ++i;
    }
}

}  // namespace

std::size_t FindSingleByte(std::string_view text, char c) {
    std::size_t first = kNone;
    ForEachSingleByte(text, c, [&](std::size_t i) {
        first = i;
        return false;
    });
    return first;
}

std::size_t FindLastSingleByte(std::string_view text, char c) {
    std::size_t last = kNone;
    ForEachSingleByte(text, c, [&](std::size_t i) {
        last = i;
        return true;
    });
    return last;
}

// Commas are single bytes below 0x40, never the second byte of a CP936 character.
ReadingRecord ParseReadingRecord(std::string_view line) {
    ReadingRecord r;
    r.raw = std::string(line);
    std::array<std::size_t, 6> comma;
    comma.fill(kNone);
    std::size_t found = 0;
    for (std::size_t i = 0; i < line.size() && found < comma.size(); ++i) {
        if (line[i] == ',') comma[found++] = i;
    }
    r.name = std::string(line.substr(0, comma[0] == kNone ? line.size() : comma[0]));
    if (comma[0] != kNone) r.total = AfterComma(line, comma[0], comma[1]);
    if (comma[1] != kNone) r.firstRead = AfterComma(line, comma[1], comma[2]);
    if (comma[2] != kNone) r.lastRead = AfterComma(line, comma[2], comma[3]);
    if (found > 3) {
        r.progress = AfterComma(line, comma[3], comma[4]);
        if (comma[4] != kNone) r.characters = AfterComma(line, comma[4], comma[5]);
        if (comma[5] != kNone) r.folder = AfterComma(line, comma[5], kNone);
    }
    return r;
}

std::string FormatReadingRecord(const ReadingRecord& r) {
    return r.name + "," + r.total + "," + r.firstRead + "," + r.lastRead + "," + r.progress + "," +
           r.characters + "," + r.folder;
}

std::string FormatRecordTime(const LocalTime& time) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d/%d/%d %02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute);
    return buffer;
}

std::string RecordFolderOf(const std::string& bookPath) {
    const std::size_t lastSlash = FindLastSingleByte(bookPath, '\\');
    const std::size_t lastBar = FindLastSingleByte(bookPath, '|');
    if (lastBar != kNone && (lastSlash == kNone || lastBar > lastSlash))
        return bookPath.substr(0, lastBar + 1);
    if (lastSlash != kNone) return bookPath.substr(0, lastSlash);
    return {};
}

std::string RecordBookPath(const ReadingRecord& record) {
    if (record.folder.empty()) return {};
    if (FindLastSingleByte(record.folder, '|') == record.folder.size() - 1)
        return record.folder + record.name;
    return record.folder + "\\" + record.name;
}

std::string FormatRecordTotal(long long seconds) {
    if (seconds < 0) seconds = 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%lld时 %2d分 %2d秒 ", seconds / 3600,
                  static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
    return buffer;
}

RecordRow MakeRecordRow(int number, const ReadingRecord& r) {
    return {std::to_string(number),
            r.name,
            FormatRecordTotal(LeadingNumber(r.total)),
            r.progress,
            r.lastRead,
            r.firstRead,
            r.characters,
            r.folder};
}

}  // namespace pel

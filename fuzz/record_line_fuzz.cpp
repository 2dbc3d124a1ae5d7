// ReadingRecord lines of section TimePad: parse, write back, read again; the folder and path helpers and
// the row of the records dialog.
#include <string>

#include "fuzz_input.h"
#include "state/bookmark_line.h"
#include "state/record_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const pel::ReadingRecord record = pel::ParseReadingRecord(line);
    const std::string written = pel::FormatReadingRecord(record);
    const pel::ReadingRecord again = pel::ParseReadingRecord(written);
    // A record whose fields hold no commas of their own reads back as it was.
    if (record.name.find(',') == std::string::npos && record.total.find(',') == std::string::npos &&
        record.firstRead.find(',') == std::string::npos && record.lastRead.find(',') == std::string::npos &&
        record.progress.find(',') == std::string::npos && record.characters.find(',') == std::string::npos &&
        !record.folder.empty()) {
        PEL_FUZZ_CHECK(again.name == record.name && again.folder == record.folder &&
                       again.characters == record.characters);
    }
    const std::string path(line);
    const std::string folder = pel::RecordFolderOf(path);
    PEL_FUZZ_CHECK(folder.size() <= path.size());
    (void)pel::RecordBookPath(record);
    const std::size_t first = pel::FindSingleByte(line, '\\');
    const std::size_t last = pel::FindLastSingleByte(line, '\\');
    PEL_FUZZ_CHECK((first == std::string_view::npos) == (last == std::string_view::npos));
    if (first != std::string_view::npos) PEL_FUZZ_CHECK(first <= last && last < size && line[last] == '\\');
    (void)pel::FormatRecordTotal(pel::LeadingNumber(record.total));
    (void)pel::MakeRecordRow(static_cast<int>(size), record);
    return 0;
}

// Lines of section BookMark: every key's parse, the stored numbers, and a LastReadEntry written from the
// input's name and path read back.
#include <string>

#include "fuzz_input.h"
#include "state/bookmark_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    for (int key = 0; key <= 10; ++key) {
        const pel::BookmarkLine parsed = pel::ParseBookmarkLine(key, line);
        (void)pel::LeadingNumber(parsed.page);
        (void)pel::LeadingNumber(parsed.charPos);
        (void)pel::LeadingNumber(parsed.savedLine);
        PEL_FUZZ_CHECK(parsed.label.size() <= size && parsed.path.size() <= size);
    }
    (void)pel::LeadingNumber(line);

    pel::fuzz::Input input(data, size);
    const unsigned page = input.Byte() << 8 | input.Byte();
    pel::LocalTime time;
    time.month = static_cast<int>(input.Byte() % 12) + 1;
    time.day = static_cast<int>(input.Byte() % 31) + 1;
    time.hour = static_cast<int>(input.Byte() % 24);
    time.minute = static_cast<int>(input.Byte() % 60);
    const std::string name = input.Piece();
    const std::string path = input.Rest();
    const std::string entry = pel::FormatLastReadEntry(name, static_cast<int>(page), time, path);
    const pel::BookmarkLine back = pel::ParseBookmarkLine(0, entry);
    (void)back;
    return 0;
}

// Find and replace on a page: every match lies on character boundaries inside the page, a search from any
// position goes forward, and replacing every match one by one ends.
#include <string>

#include "edit/find_text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pel::fuzz::Input input(data, size);
    const unsigned flags = input.Byte();
    const std::string what = input.Piece();
    const std::string with = input.Piece();
    std::string page = input.Rest();
    pel::FindOptions options;
    options.matchCase = flags & 1;
    options.wholeWord = (flags >> 1) & 1;

    const long long length = pel::ControlLength(page);
    PEL_FUZZ_CHECK(length >= 0 && length <= static_cast<long long>(page.size()));
    PEL_FUZZ_CHECK(pel::CharBoundaryBefore(page, flags) <= page.size());
    pel::TextPlace place;
    PEL_FUZZ_CHECK(pel::PlaceOfPosition(page, length, place));
    PEL_FUZZ_CHECK(!pel::PlaceOfPosition(page, length + 1, place));

    // Find every match from the start, then replace them as the dialog's replace-all does.
    pel::TextPlace from;
    PEL_FUZZ_CHECK(pel::PlaceOfPosition(page, static_cast<long long>(flags >> 2) % (length + 1), from));
    for (int i = 0; i < 200; ++i) {
        pel::TextPlace match;
        if (!pel::FindFrom(page, from, what, options, match)) break;
        PEL_FUZZ_CHECK(match.byteOffset >= from.byteOffset && match.charPos >= from.charPos);
        PEL_FUZZ_CHECK(match.byteOffset + what.size() <= page.size());
        pel::TextPlace check;
        PEL_FUZZ_CHECK(pel::PlaceOfPosition(page, match.charPos, check) &&
                       check.byteOffset == match.byteOffset);
        page.replace(match.byteOffset, what.size(), with);
        const long long after = match.charPos + pel::ControlLength(with);
        if (!pel::PlaceOfPosition(page, after, from)) break;
    }
    return 0;
}

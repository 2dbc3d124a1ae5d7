// Pagination by lines: the page starts rise and stay inside the text.
#include <string>
#include <vector>

#include "book/pagination.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<long long> table;
    const pel::LinePages pages = pel::BuildLinePages(text, table);
    PEL_FUZZ_CHECK(pages.pageCount >= 1);
    PEL_FUZZ_CHECK(static_cast<std::size_t>(pages.pageCount) < table.size());
    PEL_FUZZ_CHECK(table[0] == 0 && table[1] == 0);
    if (!pages.overflow) {
        for (int p = 2; p <= pages.pageCount; ++p) {
            PEL_FUZZ_CHECK(table[p] >= table[p - 1]);
            PEL_FUZZ_CHECK(table[p] <= static_cast<long long>(size));
        }
    }
    PEL_FUZZ_CHECK(pages.hanziCount * 2 <= static_cast<long long>(size));
    return 0;
}

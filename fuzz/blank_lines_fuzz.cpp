// Blank-line deletion: the length stays, the last 19 bytes stay (the scan's last pair may reach the 20th
// byte from the end), only line ends change.
#include <string>

#include "book/decode.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string before(reinterpret_cast<const char*>(data), size);
    std::string text = before;
    pel::DeleteBlankLines(text);
    PEL_FUZZ_CHECK(text.size() == before.size());
    const std::size_t tail = before.size() < 19 ? before.size() : 19;
    PEL_FUZZ_CHECK(text.compare(text.size() - tail, tail, before, before.size() - tail, tail) == 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != before[i]) {
            PEL_FUZZ_CHECK(before[i] == '\r' || before[i] == '\n');
            PEL_FUZZ_CHECK(text[i] == ' ' || text[i] == '\r' || text[i] == '\n');
        }
    }
    return 0;
}

// The program's command line split into arguments: none empty unless quoted, none holding a quote.
#include <string>

#include "framework/command_line.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data),
                           size);  // stops at a NUL, as the platform's does
    const std::vector<std::string> args = fw::SplitCommandLine(line.c_str());
    std::size_t total = 0;
    for (const std::string& arg : args) {
        PEL_FUZZ_CHECK(arg.find('"') == std::string::npos);
        total += arg.size();
    }
    PEL_FUZZ_CHECK(total <= size);
    PEL_FUZZ_CHECK(fw::SplitCommandLine(nullptr).empty());
    return 0;
}

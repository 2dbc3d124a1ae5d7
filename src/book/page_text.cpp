#include "book/page_text.h"

#include <cstring>

namespace pel {

std::string MakePageText(std::string_view range) {
    std::string page(range);
    if (page.size() < 2) return page;
    char* b = page.data();
    const std::size_t last = page.size() - 1;
    const char* lf = static_cast<const char*>(std::memchr(b, '\n', last));
    while (lf != nullptr) {
        const std::size_t i = static_cast<std::size_t>(lf - b);
        // The pair test reads the original bytes: a CR written here is never an LF of the next test.
        if (range[i + 1] == '\n') b[i] = '\r';
        if (i + 1 >= last) break;
        lf = static_cast<const char*>(std::memchr(b + i + 1, '\n', last - (i + 1)));
    }
    return page;
}

}  // namespace pel

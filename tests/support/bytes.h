// Building book files byte by byte in tests.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace pel::testing {

inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

// UTF-8 text from a u8 literal (the narrow literals of this project are CP936).
inline std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// A UTF-16 file: the byte-order mark and the units in the chosen byte order.
inline std::string Utf16File(std::u16string_view text, bool bigEndian, bool mark = true) {
    std::string s;
    auto put = [&](char16_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        if (bigEndian) {
            s.push_back(hi);
            s.push_back(lo);
        } else {
            s.push_back(lo);
            s.push_back(hi);
        }
    };
    if (mark) put(0xFEFF);
    for (char16_t u : text) put(u);
    return s;
}

}  // namespace pel::testing

// Splitting one fuzz input into the pieces a target hands to the code under test.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace pel::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    // One byte of choices; 0 once the input is used up.
    unsigned Byte() {
        if (rest_.empty()) return 0;
        const unsigned b = static_cast<unsigned char>(rest_[0]);
        rest_.remove_prefix(1);
        return b;
    }
    // The text up to the next NUL byte (taken off, not returned), or the rest of the input.
    std::string Piece() {
        const std::size_t end = rest_.find('\0');
        std::string piece(rest_.substr(0, end));
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return piece;
    }
    std::string Rest() {
        std::string all(rest_);
        rest_ = {};
        return all;
    }

private:
    std::string_view rest_;
};

// A broken expectation: abort so that libFuzzer keeps the input.
#define PEL_FUZZ_CHECK(condition)                                                           \
    do {                                                                                    \
        if (!(condition)) {                                                                 \
            __builtin_printf("check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                   \
        }                                                                                   \
    } while (0)

}  // namespace pel::fuzz

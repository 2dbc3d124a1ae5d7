#include "platform/win32/win32_code_page.h"

#include <windows.h>

#include <climits>

namespace pel {

namespace {

// The conversion functions take int lengths; a text longer than that is converted in pieces that end on
// whole characters (UTF-16: not between the halves of a surrogate pair).
constexpr std::size_t kPiece = 1u << 30;

}  // namespace

std::string Win32CodePage::Utf16ToCp936(std::u16string_view text) {
    std::string out;
    std::size_t done = 0;
    while (done < text.size()) {
        std::size_t n = text.size() - done;
        if (n > kPiece) {
            n = kPiece;
            if (text[done + n - 1] >= 0xD800 && text[done + n - 1] <= 0xDBFF) --n;
        }
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data() + done);
        const int need =
            WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        if (need <= 0) return out;
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(need));
        const int wrote = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(n), out.data() + at, need,
                                              nullptr, nullptr);
        out.resize(at + static_cast<std::size_t>(wrote > 0 ? wrote : 0));
        done += n;
    }
    return out;
}

bool Win32CodePage::Utf8ToUtf16(std::string_view text, std::u16string& out) {
    out.clear();
    std::size_t done = 0;
    while (done < text.size()) {
        std::size_t n = text.size() - done;
        if (n > kPiece) {
            n = kPiece;
            // Back up to the start of a sequence so that no character is split.
            while (n > 0 && (static_cast<unsigned char>(text[done + n]) & 0xC0) == 0x80) --n;
            if (n == 0) {  // a run of continuation bytes is no text
                out.clear();
                return false;
            }
        }
        const char* bytes = text.data() + done;
        const int need =
            MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(n), nullptr, 0);
        if (need <= 0) {
            out.clear();
            return false;
        }
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(need));
        const int wrote = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(n),
                                              reinterpret_cast<wchar_t*>(out.data() + at), need);
        if (wrote <= 0) {
            out.clear();
            return false;
        }
        out.resize(at + static_cast<std::size_t>(wrote));
        done += n;
    }
    return true;
}

}  // namespace pel

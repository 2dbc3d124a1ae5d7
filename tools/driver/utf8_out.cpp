#include "utf8_out.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {
// Text mode would turn each LF into CR LF.
void BinaryStreams() {
    static bool done = false;
    if (done) return;
    done = true;
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
}  // namespace

std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                            nullptr);
    return out;
}

std::wstring FromCodePage(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

void PrintUtf8(std::string_view text) {
    BinaryStreams();
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void PrintLine(std::wstring_view text) { PrintUtf8(ToUtf8(text) + "\n"); }

void PrintError(std::wstring_view text) {
    BinaryStreams();
    std::string s = "pel_driver: " + ToUtf8(text) + "\n";
    std::fwrite(s.data(), 1, s.size(), stderr);
    std::fflush(stderr);
}

std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case L'\r':
                out += L"\\r";
                break;
            case L'\n':
                out += L"\\n";
                break;
            case L'\t':
                out += L"\\t";
                break;
            case L'\\':
                out += L"\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

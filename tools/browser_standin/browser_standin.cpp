// Stand-in browser: appends the command line it was started with, as UTF-8 and followed by a line end, to
// the file beside it named like the program with ".log" in place of ".exe", then ends. Several starts
// append in turn; nothing else is done with the address.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                            nullptr);
    }
    return out;
}

}  // namespace

int main() {
    wchar_t self[MAX_PATH * 4];
    const DWORD len = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    if (len == 0 || len >= MAX_PATH * 4) return 1;
    std::wstring log(self, len);
    const size_t dot = log.find_last_of(L'.');
    if (dot != std::wstring::npos && log.find_last_of(L'\\') < dot) log.erase(dot);
    log += L".log";

    const std::string line = Utf8(GetCommandLineW()) + "\n";
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == line.size() ? 0 : 1;
}

// pel_hold_file FILE [SECONDS]: opens FILE for reading and writing with no sharing at all, so that no
// other program can open it, prints "held" once it has it, and keeps it until the file FILE.release
// appears (or SECONDS, 60 by default, have passed). Exit code 0 after a release, 1 when FILE could not be
// opened, 2 on wrong use, 3 when the time ran out.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        std::fprintf(stderr, "usage: pel_hold_file FILE [SECONDS]\n");
        return 2;
    }
    const std::wstring path = argv[1];
    const long seconds = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 60;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open the file (error %lu)\n", GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    const std::wstring release = path + L".release";
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds > 0 ? seconds : 60) * 1000;
    int code = 3;
    while (static_cast<LONG>(deadline - GetTickCount()) > 0) {
        if (GetFileAttributesW(release.c_str()) != INVALID_FILE_ATTRIBUTES) {
            code = 0;
            break;
        }
        Sleep(50);
    }
    CloseHandle(file);
    DeleteFileW(release.c_str());
    return code;
}

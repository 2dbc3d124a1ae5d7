#include "archive/win32_archive_platform.h"

#include <windows.h>

#include <vector>

namespace pel {

Win32ProcessRunner::~Win32ProcessRunner() {
    if (process_) CloseHandle(process_);
}

bool Win32ProcessRunner::StartHidden(const std::string& commandLine) {
    if (process_) {
        CloseHandle(process_);
        process_ = nullptr;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    return true;
}

bool Win32ProcessRunner::ExtractorRunning() {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void Win32ProcessRunner::Sleep(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

bool Win32ArchiveFiles::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32ArchiveFiles::CreateFolder(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32ArchiveFiles::ReadAll(const std::string& path, std::string& bytes) {
    bytes.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    char chunk[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.append(chunk, got);
    }
    CloseHandle(file);
    return ok;
}

bool Win32ArchiveFiles::RemoveFile(const std::string& path) {
    if (DeleteFileA(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace pel

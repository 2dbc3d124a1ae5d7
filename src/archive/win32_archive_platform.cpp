#include "archive/win32_archive_platform.h"

#include <windows.h>

#include <vector>

namespace pel {

Win32ProcessRunner::~Win32ProcessRunner() {
    if (process_) CloseHandle(process_);
    if (job_) CloseHandle(job_);
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
    // The system's own interpreter by its full path: a cmd.exe in the program folder or the current
    // folder never runs in its place.
    char system[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 9) return false;
    const std::string interpreter = std::string(system) + "\\cmd.exe";
    // The interpreter and the extractor it starts share a job, so that both can be ended together.
    if (!job_) job_ = CreateJobObjectA(nullptr, nullptr);
    if (!CreateProcessA(interpreter.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr, nullptr, &startup, &info))
        return false;
    if (job_) AssignProcessToJobObject(job_, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    return true;
}

void Win32ProcessRunner::StopExtractor() {
    if (job_) TerminateJobObject(job_, 1);
    if (process_) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 2000);
    }
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

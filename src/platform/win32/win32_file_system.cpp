#include "platform/win32/win32_file_system.h"

#include <windows.h>

namespace pel {

namespace {

// A file handle closed by its destructor.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (ok()) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

HANDLE OpenForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Large single reads, each below the 4 GiB a ReadFile call can take.
constexpr DWORD kReadPiece = 256u << 20;

}  // namespace

bool Win32FileSystem::CanOpenForReading(const std::string& path) {
    FileHandle file(OpenForReading(path));
    return file.ok();
}

bool Win32FileSystem::CanOpenExclusive(const std::string& path) {
    // Windows refuses write access to a read-only file; Wine run by root would not, so ask first.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.ok();
}

bool Win32FileSystem::FileSize(const std::string& path, std::uint64_t& size) {
    FileHandle file(OpenForReading(path));
    LARGE_INTEGER length;
    if (!file.ok() || !GetFileSizeEx(file.get(), &length)) return false;
    size = static_cast<std::uint64_t>(length.QuadPart);
    return true;
}

bool Win32FileSystem::ReadAll(const std::string& path, std::string& bytes) {
    bytes.clear();
    FileHandle file(OpenForReading(path));
    LARGE_INTEGER length;
    if (!file.ok() || !GetFileSizeEx(file.get(), &length)) return false;
    bytes.resize(static_cast<std::size_t>(length.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD want = left > kReadPiece ? kReadPiece : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
            bytes.clear();
            return false;
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

}  // namespace pel

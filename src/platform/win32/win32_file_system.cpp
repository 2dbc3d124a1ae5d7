#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <string>

#include "book/reader.h"

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

// Large single reads and writes, each below the 4 GiB a ReadFile or WriteFile call can take.
constexpr DWORD kReadPiece = 256u << 20;

bool ReadUpTo(HANDLE file, std::size_t size, std::string& bytes) {
    bytes.resize(size);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD want = left > kReadPiece ? kReadPiece : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, want, &got, nullptr)) {
            bytes.clear();
            return false;
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

bool WriteFully(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD want = left > kReadPiece ? kReadPiece : static_cast<DWORD>(left);
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + done, want, &put, nullptr)) return false;
        if (put == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        done += put;
    }
    return true;
}

// Characters no Windows file name may hold; an archive member path ("a.rar|b.txt") is one of them.
bool HoldsInvalidNameCharacter(const std::string& path) {
    return FindLastOf(path, "|<>\"*?") != std::string::npos;
}

}  // namespace

FileError FileErrorFromWin32(unsigned long error) {
    switch (error) {
        case ERROR_SUCCESS:
            return FileError::kNone;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_NO_MORE_FILES:
        case ERROR_OPEN_FAILED:
            return FileError::kFileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_NOT_SAME_DEVICE:
            return FileError::kBadPath;
        case ERROR_TOO_MANY_OPEN_FILES:
        case ERROR_SHARING_BUFFER_EXCEEDED:
            return FileError::kTooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
        case ERROR_INVALID_ACCESS:
        case ERROR_WRITE_PROTECT:
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
        case ERROR_CANNOT_MAKE:
        case ERROR_NETWORK_ACCESS_DENIED:
            return FileError::kAccessDenied;
        case ERROR_INVALID_HANDLE:
        case ERROR_BAD_FORMAT:
            return FileError::kInvalidFile;
        case ERROR_NO_SPOOL_SPACE:
            return FileError::kDirectoryFull;
        case ERROR_SEEK:
        case ERROR_NEGATIVE_SEEK:
        case ERROR_SECTOR_NOT_FOUND:
            return FileError::kBadSeek;
        case ERROR_CRC:
        case ERROR_NOT_READY:
        case ERROR_WRITE_FAULT:
        case ERROR_READ_FAULT:
        case ERROR_GEN_FAILURE:
        case ERROR_IO_DEVICE:
            return FileError::kHardIO;
        case ERROR_SHARING_VIOLATION:
            return FileError::kSharingViolation;
        case ERROR_LOCK_VIOLATION:
        case ERROR_DRIVE_LOCKED:
            return FileError::kLockViolation;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileError::kDiskFull;
        case ERROR_HANDLE_EOF:
            return FileError::kEndOfFile;
        default:
            return FileError::kGeneric;
    }
}

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
    return ReadUpTo(file.get(), static_cast<std::size_t>(length.QuadPart), bytes);
}

bool Win32FileSystem::ReadPrefix(const std::string& path, std::uint64_t count, std::string& bytes) {
    bytes.clear();
    FileHandle file(OpenForReading(path));
    LARGE_INTEGER length;
    if (!file.ok() || !GetFileSizeEx(file.get(), &length)) return false;
    const std::uint64_t size = static_cast<std::uint64_t>(length.QuadPart);
    return ReadUpTo(file.get(), static_cast<std::size_t>(count < size ? count : size), bytes);
}

bool Win32FileSystem::WriteAllReplacing(const std::string& path, const std::vector<std::string_view>& pieces,
                                        FileError& error) {
    error = FileError::kNone;
    const std::size_t slash = FindLastOf(path, "\\/");
    if (HoldsInvalidNameCharacter(slash == std::string::npos ? path : path.substr(slash + 1))) {
        error = FileError::kBadPath;
        return false;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // Windows refuses to write a read-only file; Wine run by root would not, so ask first.
        if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
            error = FileError::kAccessDenied;
            return false;
        }
        // The book must be ours to write: no other program may hold it open for writing.
        FileHandle probe(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.ok()) {
            error = FileErrorFromWin32(GetLastError());
            return false;
        }
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        error = FileErrorFromWin32(GetLastError());
        return false;
    }

    std::string temp;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int n = 0; n < 100 && created == INVALID_HANDLE_VALUE; ++n) {
        temp = path + ".~sav" + std::to_string(n);
        created =
            CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (created == INVALID_HANDLE_VALUE) {
        error = FileErrorFromWin32(GetLastError());
        return false;
    }
    bool written = true;
    for (std::string_view piece : pieces) {
        if (!WriteFully(created, piece)) {
            written = false;
            break;
        }
    }
    if (written && !FlushFileBuffers(created)) written = false;
    DWORD failure = written ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(created) && written) {
        failure = GetLastError();
        written = false;
    }
    if (written &&
        !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = GetLastError();
        written = false;
    }
    if (!written) {
        DeleteFileA(temp.c_str());
        error = FileErrorFromWin32(failure);
        if (error == FileError::kNone) error = FileError::kGeneric;
        return false;
    }
    return true;
}

}  // namespace pel

#include "platform/native/native_file_system.h"

#include <fcntl.h>
#include <setjmp.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace pel {

namespace {

// A file descriptor closed by its destructor.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    // Hands the descriptor over to a caller that closes it itself.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool IsRegularFile(int fd, struct stat& st) { return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode); }

// Below this size a book is simply read; above it, the file is mapped and copied once into a buffer
// backed by huge pages, which saves the zero-filling pass and most page faults of a plain read.
constexpr std::size_t kMapAbove = 8u << 20;

void AdviseHugePages(char* data, std::size_t n) {
    constexpr std::uintptr_t kHuge = 2u << 20;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + n) & ~(kHuge - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// A file cut short by another program while it is mapped raises SIGBUS on the lost pages; the copy
// then gives up and the caller reads the file instead.
thread_local sigjmp_buf* copyEscape = nullptr;

void OnBusError(int) {
    if (copyEscape != nullptr) siglongjmp(*copyEscape, 1);
    ::signal(SIGBUS, SIG_DFL);
    ::raise(SIGBUS);
}

#ifndef MADV_POPULATE_READ
#define MADV_POPULATE_READ 22
#endif

// The mapping is copied piece by piece, each piece mapped in one call before and dropped after, so that the
// file's pages and the copy are not both resident at the peak.
constexpr std::size_t kCopyPiece = 16u << 20;

bool CopyMapped(int fd, std::size_t n, std::string& bytes) {
    void* map = ::mmap(nullptr, n, PROT_READ, MAP_PRIVATE, fd, 0);
    if (map == MAP_FAILED) return false;
    const char* source = static_cast<const char*>(map);
    std::string out;
    out.reserve(n);
    AdviseHugePages(out.data(), n);
    struct sigaction guard = {}, previous = {};
    guard.sa_handler = OnBusError;
    sigemptyset(&guard.sa_mask);
    ::sigaction(SIGBUS, &guard, &previous);
    sigjmp_buf escape;
    bool copied = false;
    if (sigsetjmp(escape, 1) == 0) {
        copyEscape = &escape;
        for (std::size_t at = 0; at < n; at += kCopyPiece) {
            const std::size_t piece = n - at < kCopyPiece ? n - at : kCopyPiece;
            void* pieceStart = const_cast<char*>(source + at);
            ::madvise(pieceStart, piece, MADV_POPULATE_READ);
            out.append(source + at, piece);
            ::madvise(pieceStart, piece, MADV_DONTNEED);
        }
        copied = true;
    }
    copyEscape = nullptr;
    ::sigaction(SIGBUS, &previous, nullptr);
    ::munmap(map, n);
    if (copied) bytes.swap(out);
    return copied;
}

bool WriteFully(int fd, std::string_view bytes, int& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            error = put < 0 ? errno : ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace

FileError FileErrorFromErrno(int error) {
    switch (error) {
        case 0:
            return FileError::kNone;
        case ENOENT:
            return FileError::kFileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
            return FileError::kBadPath;
        case EMFILE:
        case ENFILE:
            return FileError::kTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EEXIST:
            return FileError::kAccessDenied;
        case EBADF:
            return FileError::kInvalidFile;
        case EMLINK:
            return FileError::kDirectoryFull;
        case ESPIPE:
            return FileError::kBadSeek;
        case EIO:
            return FileError::kHardIO;
        case ETXTBSY:
        case EBUSY:
            return FileError::kSharingViolation;
        case ENOLCK:
            return FileError::kLockViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return FileError::kDiskFull;
        default:
            return FileError::kGeneric;
    }
}

namespace {
// Fills `bytes` from the open file; a file that shrank while being read gives what it still held.
bool ReadInto(int fd, std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            bytes.clear();
            return false;
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return true;
}
}  // namespace

bool NativeFileSystem::CanOpenForReading(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    return fd.ok() && IsRegularFile(fd.get(), st);
}

bool NativeFileSystem::CanOpenExclusive(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    struct stat st;
    if (!fd.ok() || !IsRegularFile(fd.get(), st)) return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

bool NativeFileSystem::FileSize(const std::string& path, std::uint64_t& size) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

bool NativeFileSystem::ReadAll(const std::string& path, std::string& bytes) {
    bytes.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (!fd.ok() || !IsRegularFile(fd.get(), st)) return false;
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    if (size > kMapAbove && CopyMapped(fd.get(), size, bytes)) return true;
    bytes.resize(size);
    return ReadInto(fd.get(), bytes);
}

bool NativeFileSystem::ReadPrefix(const std::string& path, std::uint64_t count, std::string& bytes) {
    bytes.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (!fd.ok() || !IsRegularFile(fd.get(), st)) return false;
    const std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
    bytes.resize(static_cast<std::size_t>(count < size ? count : size));
    return ReadInto(fd.get(), bytes);
}

bool NativeFileSystem::WriteAllReplacing(const std::string& requested,
                                         const std::vector<std::string_view>& pieces, FileError& error) {
    error = FileError::kNone;
    std::string path = requested;
    mode_t mode = 0644;
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            error = FileError::kAccessDenied;
            return false;
        }
        // The book must be ours to write, as it would be for an in-place save.
        Fd probe(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
        if (!probe.ok()) {
            error = FileErrorFromErrno(errno);
            return false;
        }
        mode = st.st_mode & 07777;
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) path = resolved;
    } else if (errno != ENOENT) {
        error = FileErrorFromErrno(errno);
        return false;
    }

    std::string temp = path + ".save-XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (!fd.ok()) {
        // A missing folder makes the path itself wrong.
        error = errno == ENOENT ? FileError::kBadPath : FileErrorFromErrno(errno);
        return false;
    }
    int failure = 0;
    bool written = true;
    for (std::string_view piece : pieces) {
        if (!WriteFully(fd.get(), piece, failure)) {
            written = false;
            break;
        }
    }
    if (written && ::fchmod(fd.get(), mode) != 0) failure = errno, written = false;
    if (written && ::fsync(fd.get()) != 0 && errno != EINVAL) failure = errno, written = false;
    // The descriptor is closed here, once, and its result counts: a failed close may mean lost bytes.
    const int closeResult = ::close(fd.release());
    if (written && closeResult != 0) failure = errno, written = false;
    if (written && ::rename(temp.c_str(), path.c_str()) != 0) failure = errno, written = false;
    if (!written) {
        ::unlink(temp.c_str());
        error = FileErrorFromErrno(failure);
        if (error == FileError::kNone) error = FileError::kGeneric;
        return false;
    }
    return true;
}

}  // namespace pel

// What the reading logic needs from the platform. The Win32 build supplies the real
// functions; the native build supplies portable ones for tests, fuzzers and benchmarks.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pel {

// Code-page conversions between the book's file encodings and CP936.
class ICodePage {
public:
    virtual ~ICodePage() = default;
    // UTF-16 (host order units) to CP936; unmappable characters become the default
    // replacement character ('?').
    virtual std::string Utf16ToCp936(std::u16string_view text) = 0;
    // Strict UTF-8 to UTF-16: false (and empty out) when the text holds an invalid sequence.
    virtual bool Utf8ToUtf16(std::string_view text, std::u16string& out) = 0;
};

// Why a file could not be opened, read or written, in the causes that the file-error messages name.
enum class FileError {
    kNone,
    kGeneric,
    kFileNotFound,
    kBadPath,
    kTooManyOpenFiles,
    kAccessDenied,
    kInvalidFile,
    kDirectoryFull,
    kBadSeek,
    kHardIO,
    kSharingViolation,
    kLockViolation,
    kDiskFull,
    kEndOfFile,
};

// Files as the book opener and the save commands see them.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual bool CanOpenForReading(const std::string& path) = 0;
    // Opens for reading and writing with exclusive access, as a test that the book is
    // ours to read (and later to save); false when missing, read-only or in use.
    virtual bool CanOpenExclusive(const std::string& path) = 0;
    // Whole file; false when it cannot be read. Returns size through `size` first so that
    // callers can refuse files too large to hold.
    virtual bool FileSize(const std::string& path, std::uint64_t& size) = 0;
    virtual bool ReadAll(const std::string& path, std::string& bytes) = 0;

    // The first `count` bytes of the file (all of it when it is shorter); false when it cannot be read.
    virtual bool ReadPrefix(const std::string& path, std::uint64_t count, std::string& bytes) {
        if (!ReadAll(path, bytes)) return false;
        if (bytes.size() > count) bytes.resize(static_cast<std::size_t>(count));
        return true;
    }
    // Makes `pieces`, joined, the whole content of the file at `path` (created when missing). The bytes go
    // to a new file beside it, which takes the old one's place only once every byte is written and the new
    // file is closed; on any failure the file at `path` is as it was and `error` says why. A read-only file
    // is refused with kAccessDenied.
    virtual bool WriteAllReplacing(const std::string& /*path*/,
                                   const std::vector<std::string_view>& /*pieces*/, FileError& error) {
        error = FileError::kGeneric;
        return false;
    }
};

// The rich-edit page control as the reading logic uses it. Positions are the control's
// own character positions; the reading logic maps them to CP936 byte offsets.
class IPageControl {
public:
    virtual ~IPageControl() = default;
    virtual void SetText(std::string_view cp936) = 0;  // replaces the whole text, shown at once
    virtual int FirstVisibleLine() = 0;
    virtual int LineCount() = 0;
    virtual int LineIndex(int line) = 0;  // character position where `line` begins
    virtual int LineFromChar(int charPos) = 0;
    virtual void ScrollLines(int lines) = 0;  // negative scrolls up
    virtual void Focus() = 0;
    virtual void ClearModified() = 0;

    // Vertical scroll state and the control's own screen scrolls, for screen-down paging.
    struct ScrollState {
        int position = 0;
        int pageSize = 0;
        int maximum = 0;
    };
    virtual ScrollState VerticalScroll() { return {}; }
    virtual void PageDownScroll() {}
    virtual void PageUpScroll() {}
    // Auto-scroll by pixel: the vertical scroll position as VerticalScroll() reports it, moved to
    // `position` (the control keeps it within its range). A whole book shown as one page is far more
    // than 65,535 pixels tall, so the position must not pass through a 16-bit field.
    virtual void SetVerticalScrollPosition(int /*position*/) {}
};

}  // namespace pel

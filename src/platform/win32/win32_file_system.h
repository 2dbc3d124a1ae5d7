// Book files through the Win32 file functions; paths are CP936 bytes (the A functions).
#pragma once
#include "book/platform.h"

namespace pel {

class Win32FileSystem : public IFileSystem {
public:
    bool CanOpenForReading(const std::string& path) override;
    bool CanOpenExclusive(const std::string& path) override;
    bool FileSize(const std::string& path, std::uint64_t& size) override;
    bool ReadAll(const std::string& path, std::string& bytes) override;
    bool ReadPrefix(const std::string& path, std::uint64_t count, std::string& bytes) override;
    // The new content goes to a new file beside the old one, is flushed and closed, and is moved over the
    // old file in one rename. A read-only file or one another program holds open is refused.
    bool WriteAllReplacing(const std::string& path, const std::vector<std::string_view>& pieces,
                           FileError& error) override;
};

// The file-error cause of a Win32 error code.
FileError FileErrorFromWin32(unsigned long error);

}  // namespace pel

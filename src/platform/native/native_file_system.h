// Book files through POSIX calls; paths are used as given (bytes).
#pragma once
#include "book/platform.h"

namespace pel {

class NativeFileSystem : public IFileSystem {
public:
    bool CanOpenForReading(const std::string& path) override;
    // Read-write open succeeds and the file carries a write permission bit (a file without one is
    // read-only, even for root, as the read-only attribute is on Windows).
    bool CanOpenExclusive(const std::string& path) override;
    bool FileSize(const std::string& path, std::uint64_t& size) override;
    bool ReadAll(const std::string& path, std::string& bytes) override;
    bool ReadPrefix(const std::string& path, std::uint64_t count, std::string& bytes) override;
    // The new content goes to a temporary file in the same folder, is synced and closed, takes the
    // permission bits of the old file and is renamed over it. A symbolic link is followed, so the link
    // stays and its target is replaced.
    bool WriteAllReplacing(const std::string& path, const std::vector<std::string_view>& pieces,
                           FileError& error) override;
};

// The file-error cause of an errno value.
FileError FileErrorFromErrno(int error);

}  // namespace pel

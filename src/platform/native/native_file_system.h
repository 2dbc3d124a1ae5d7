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
};

}  // namespace pel

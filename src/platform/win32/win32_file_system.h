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
};

}  // namespace pel

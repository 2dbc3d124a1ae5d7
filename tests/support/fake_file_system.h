// Book files held in memory, with the ways a real file can refuse to open.
#pragma once
#include <map>
#include <new>
#include <string>

#include "book/platform.h"

namespace pel::testing {

class FakeFileSystem : public IFileSystem {
public:
    struct File {
        std::string bytes;
        bool readOnly = false;
        std::uint64_t reportedSize = 0;  // when non-zero, the size reported instead of the real one
    };

    void Add(const std::string& path, std::string bytes) { files[path].bytes = std::move(bytes); }

    bool CanOpenForReading(const std::string& path) override { return files.count(path) != 0; }
    bool CanOpenExclusive(const std::string& path) override {
        auto it = files.find(path);
        return it != files.end() && !it->second.readOnly;
    }
    bool FileSize(const std::string& path, std::uint64_t& size) override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        size = it->second.reportedSize != 0 ? it->second.reportedSize : it->second.bytes.size();
        return true;
    }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        if (failAllocation) throw std::bad_alloc();
        auto it = files.find(path);
        if (it == files.end()) return false;
        bytes = it->second.bytes;
        return true;
    }

    // A whole new content, as the platform writes it: all of it or, on failure, nothing.
    bool WriteAllReplacing(const std::string& path, const std::vector<std::string_view>& pieces,
                           FileError& error) override {
        if (failAllocation) throw std::bad_alloc();
        ++writes;
        auto it = files.find(path);
        if (it != files.end() && it->second.readOnly) {
            error = FileError::kAccessDenied;
            return false;
        }
        if (failWrite != FileError::kNone) {
            error = failWrite;
            return false;
        }
        std::string bytes;
        for (std::string_view piece : pieces) bytes.append(piece);
        files[path].bytes = std::move(bytes);
        error = FileError::kNone;
        return true;
    }

    std::map<std::string, File> files;
    bool failAllocation = false;
    FileError failWrite = FileError::kNone;  // every write fails with this cause
    int writes = 0;
};

}  // namespace pel::testing

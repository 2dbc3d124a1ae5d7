// The archive driver's platform on Windows: the command interpreter started hidden and waited for by its
// process handle, and the files as the ANSI file functions see them.
#pragma once
#include <string>

#include "archive/archive_driver.h"

namespace pel {

class Win32ProcessRunner : public IProcessRunner {
public:
    Win32ProcessRunner() = default;
    Win32ProcessRunner(const Win32ProcessRunner&) = delete;
    Win32ProcessRunner& operator=(const Win32ProcessRunner&) = delete;
    ~Win32ProcessRunner() override;

    bool StartHidden(const std::string& commandLine) override;
    // The interpreter started last has not ended: it ends only once the extractor it runs has, whatever
    // the extractor's file is called.
    bool ExtractorRunning() override;
    void Sleep(int milliseconds) override;
    void StopExtractor() override;

private:
    void* process_ = nullptr;  // HANDLE of the interpreter started last
    void* job_ = nullptr;      // HANDLE of the job the interpreters run in
};

class Win32ArchiveFiles : public IArchiveFiles {
public:
    bool FileExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool ReadAll(const std::string& path, std::string& bytes) override;
    bool RemoveFile(const std::string& path) override;
};

}  // namespace pel

#include "state_test_support.h"

#include <atomic>
#include <cstdio>
#include <filesystem>

#include "state/native_profile.h"

#ifdef _WIN32
#include <windows.h>
#include <direct.h>
#include <process.h>

#include "state/win32_profile.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pel::testing {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
int MakeFolder(const std::string& path) { return _mkdir(path.c_str()); }
int ProcessId() { return _getpid(); }
#else
constexpr char kSeparator = '/';
int MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0755); }
int ProcessId() { return static_cast<int>(getpid()); }
#endif

std::atomic<int> counter{0};

// Removed when the test program ends.
struct RunFolder {
    RunFolder() {
        std::string base = std::filesystem::temp_directory_path().string();
        if (!base.empty() && base.back() != kSeparator) base += kSeparator;
        path = base + "pel_state_tests_" + std::to_string(ProcessId()) + kSeparator;
        MakeFolder(path);
    }
    ~RunFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(path), ignored);
    }
    std::string path;
};

const std::string& Folder() {
    static RunFolder folder;
    return folder.path;
}

}  // namespace

std::string FreshPath(const std::string& stem) {
    return Folder() + stem + "_" + std::to_string(++counter) + ".ini";
}

std::string FreshCp936Folder() {
    // 阅读器 and a character whose second byte is a backslash.
    const std::string path = Folder() + "阅读器\x81\x5C" + std::to_string(++counter) + kSeparator;
    MakeFolder(path);
    return path;
}

void PutFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string GetFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return "<missing>";
    std::string bytes;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

bool FileExists(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

std::vector<ProfileImplementation> ProfileImplementations() {
    std::vector<ProfileImplementation> list;
    list.push_back(
        {"Native", []() -> std::unique_ptr<IProfile> { return std::make_unique<NativeProfile>(); }});
#ifdef _WIN32
    list.push_back({"Win32", []() -> std::unique_ptr<IProfile> { return std::make_unique<Win32Profile>(); }});
#endif
    return list;
}

bool RunningUnderWine() {
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

}  // namespace pel::testing

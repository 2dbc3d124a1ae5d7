// Files for the settings tests, and the settings stores the shared cases run against.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "state/profile.h"

namespace pel::testing {

// A fresh, not yet existing file path in this run's own temporary folder.
std::string FreshPath(const std::string& stem);
// A fresh folder (created) whose name holds CP936 characters; ends with the path separator.
std::string FreshCp936Folder();
void PutFile(const std::string& path, const std::string& bytes);
std::string GetFile(const std::string& path);  // "<missing>" when the file is not there
bool FileExists(const std::string& path);

struct ProfileImplementation {
    std::string name;
    std::unique_ptr<IProfile> (*make)();
};
// NativeProfile everywhere; on Windows also the platform's own functions, so that every shared case
// holds the two against each other.
std::vector<ProfileImplementation> ProfileImplementations();

bool RunningUnderWine();

}  // namespace pel::testing

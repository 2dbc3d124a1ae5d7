#include "state/win32_profile.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace pel {

int Win32Profile::ReadInt(const std::string& path, const std::string& section, const std::string& key,
                          int def) {
    return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), def, path.c_str()));
}

std::string Win32Profile::ReadString(const std::string& path, const std::string& section,
                                     const std::string& key, const std::string& def) {
    // A value cut inside a double-byte character leaves the byte after the last whole character
    // unwritten: the zeroed buffer ends the text there.
    char buffer[kProfileValueMax + 1] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer, sizeof buffer, path.c_str());
    std::string value(buffer, std::strlen(buffer));
    if (value.size() == kProfileValueMax) CutToCharBoundary(value, kProfileValueMax);
    return value;
}

bool Win32Profile::WriteString(const std::string& path, const std::string& section, const std::string& key,
                               const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

bool Win32Profile::ReadStruct(const std::string& path, const std::string& section, const std::string& key,
                              void* data, std::size_t size) {
    // The platform fills the buffer as it parses; a failed read must not leave half a record behind.
    std::vector<unsigned char> bytes(size + 1);
    if (!GetPrivateProfileStructA(section.c_str(), key.c_str(), bytes.data(), static_cast<UINT>(size),
                                  path.c_str())) {
        return false;
    }
    if (size > 0) std::memcpy(data, bytes.data(), size);
    return true;
}

bool Win32Profile::WriteStruct(const std::string& path, const std::string& section, const std::string& key,
                               const void* data, std::size_t size) {
    return WritePrivateProfileStructA(section.c_str(), key.c_str(), const_cast<void*>(data),
                                      static_cast<UINT>(size), path.c_str()) != FALSE;
}

}  // namespace pel

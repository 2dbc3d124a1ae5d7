// The platform's private-profile functions behind IProfile (Windows builds only).
#pragma once
#include "state/profile.h"

namespace pel {

class Win32Profile : public IProfile {
public:
    int ReadInt(const std::string& path, const std::string& section, const std::string& key,
                int def) override;
    std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& def) override;
    bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool ReadStruct(const std::string& path, const std::string& section, const std::string& key, void* data,
                    std::size_t size) override;
    bool WriteStruct(const std::string& path, const std::string& section, const std::string& key,
                     const void* data, std::size_t size) override;
};

}  // namespace pel

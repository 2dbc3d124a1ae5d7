// A portable private-profile store that reads and writes Config.ini exactly as the platform's
// private-profile functions do, so the settings logic runs and is tested without Windows.
#pragma once
#include <map>
#include <string>

#include "state/profile.h"

namespace pel {

// The platform's rules, kept here byte for byte:
// - the file is seen through code page 936: a lead byte without a valid second byte becomes '?'
//   (and takes the following byte with it, even a line end); the whole file is rewritten that way;
// - lines end at any run of CR and LF; blanks (space, tab, VT, FF, CR, LF, 0x1A) around lines, names
//   and values are ignored; blank lines vanish when the file is rewritten;
// - a section line starts with '[' and ends at its last ']'; a line without '=' is a key without value;
//   comments are ordinary lines and stay where they are;
// - names match without regard to ASCII case; only the first section of a name is searched;
// - writing the value a key already has leaves the file untouched; any other write rewrites the whole
//   file as "[name]" and "key=value" lines ended by CR LF, new keys at the end of their section and
//   new sections at the end of the file.
// Settings files held in memory by path, in place of the disk: every call then works on the bytes of
// the map as it would on the file's, without a file read per call.
using ProfileFiles = std::map<std::string, std::string>;

class NativeProfile : public IProfile {
public:
    NativeProfile() = default;
    explicit NativeProfile(ProfileFiles* memory) : memory_(memory) {}

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

private:
    ProfileFiles* memory_ = nullptr;  // the disk when null
};

}  // namespace pel

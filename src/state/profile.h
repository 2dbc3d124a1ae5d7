// The settings store as the program sees it: the private-profile (INI) functions of the platform,
// addressed by file path, section and key. Names and values are CP936 bytes.
#pragma once
#include <cstddef>
#include <string>

namespace pel {

// Strings are read through a 260-byte buffer: at most this many bytes of a value are seen.
constexpr std::size_t kProfileValueMax = 259;

class IProfile {
public:
    virtual ~IProfile() = default;

    // The value's leading number (a sign and the prefixes 0x, 0o, 0b allowed, 32-bit wrap-around);
    // an empty or non-numeric value gives 0, a missing key `def`.
    virtual int ReadInt(const std::string& path, const std::string& section, const std::string& key,
                        int def) = 0;
    // At most kProfileValueMax bytes of the value (or of `def` when the key is missing), never ending
    // inside a double-byte character.
    virtual std::string ReadString(const std::string& path, const std::string& section,
                                   const std::string& key, const std::string& def) = 0;
    // Creates the file, the section and the key as needed; an empty value leaves "key=".
    virtual bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    // `size` bytes stored as hexadecimal digits followed by a checksum byte. On failure (missing key,
    // short value, bad digit or checksum) `data` is left untouched.
    virtual bool ReadStruct(const std::string& path, const std::string& section, const std::string& key,
                            void* data, std::size_t size) = 0;
    virtual bool WriteStruct(const std::string& path, const std::string& section, const std::string& key,
                             const void* data, std::size_t size) = 0;
};

// True for the first byte of a CP936 double-byte character.
inline bool IsCp936LeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Shortens `text` to at most `max` bytes of whole characters: a double-byte character that does not
// fit, or a lead byte left without its second byte at the end, is dropped.
inline void CutToCharBoundary(std::string& text, std::size_t max) {
    std::size_t keep = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = IsCp936LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + width > max || i + width > text.size()) break;
        i += width;
        keep = i;
    }
    text.resize(keep);
}

}  // namespace pel

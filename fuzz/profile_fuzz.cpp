// The settings store as a round trip in memory: a Config.ini of any bytes, then reads and writes chosen by
// the input. Values written under plain names read back as written; structures read back byte for byte.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "state/native_profile.h"

namespace {

const std::string kPath = "Config.ini";

// Names made of letters and digits, so that the round trip is certain.
std::string PlainName(const std::string& piece) {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name;
    for (unsigned char c : piece) name += kChars[c % (sizeof kChars - 1)];
    return name.empty() ? "k" : name;
}

bool IsBlankByte(unsigned char c) { return c <= ' ' || c == 0x1A; }

// A value that the file keeps exactly: whole CP936 characters, no line ends, no blanks at either end, not
// quoted, and short enough to be read whole.
bool KeptExactly(const std::string& v) {
    if (v.empty() || v.size() > pel::kProfileValueMax) return false;
    if (IsBlankByte(static_cast<unsigned char>(v.front())) ||
        IsBlankByte(static_cast<unsigned char>(v.back())))
        return false;
    if ((v.front() == '"' || v.front() == '\'') && v.back() == v.front() && v.size() >= 2) return false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(v[i]);
        if (c == '\r' || c == '\n' || c == 0) return false;
        if (pel::IsCp936LeadByte(c)) {
            if (i + 1 >= v.size()) return false;
            const unsigned char t = static_cast<unsigned char>(v[i + 1]);
            if (!((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFE))) return false;
            ++i;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pel::fuzz::Input input(data, size);
    pel::ProfileFiles files;
    files[kPath] = input.Piece();
    pel::NativeProfile profile(&files);

    for (int step = 0; step < 16; ++step) {
        const unsigned op = input.Byte();
        const bool plain = (op & 0x80) != 0;
        std::string section = input.Piece();
        std::string key = input.Piece();
        const std::string value = input.Piece();
        if (plain) {
            section = PlainName(section);
            key = PlainName(key);
        }
        switch (op % 6) {
            case 0:
                (void)profile.ReadInt(kPath, section, key, static_cast<int>(value.size()));
                break;
            case 1: {
                const std::string read = profile.ReadString(kPath, section, key, value);
                PEL_FUZZ_CHECK(read.size() <= pel::kProfileValueMax);
                break;
            }
            case 2:
            case 3: {
                PEL_FUZZ_CHECK(profile.WriteString(kPath, section, key, value));
                const std::string written = files[kPath];
                if (plain && KeptExactly(value))
                    PEL_FUZZ_CHECK(profile.ReadString(kPath, section, key, "-") == value);
                // Writing the value the key now has changes nothing. (A value read back is not always the
                // one stored: quotes are dropped, long values cut; writing those is a change.)
                const std::string again = profile.ReadString(kPath, section, key, "");
                if (plain && KeptExactly(value) && again == value) {
                    PEL_FUZZ_CHECK(profile.WriteString(kPath, section, key, again));
                    PEL_FUZZ_CHECK(files[kPath] == written);
                }
                break;
            }
            case 4: {
                PEL_FUZZ_CHECK(profile.WriteStruct(kPath, section, key, value.data(), value.size()));
                if (plain) {
                    std::vector<char> back(value.size() + 1, '\x55');
                    PEL_FUZZ_CHECK(profile.ReadStruct(kPath, section, key, back.data(), value.size()));
                    PEL_FUZZ_CHECK(std::memcmp(back.data(), value.data(), value.size()) == 0);
                }
                break;
            }
            case 5: {
                std::vector<unsigned char> out(value.size() % 64 + 1, 0xA5);
                (void)profile.ReadStruct(kPath, section, key, out.data(), out.size());
                break;
            }
        }
    }
    return 0;
}

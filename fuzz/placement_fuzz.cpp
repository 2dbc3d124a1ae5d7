// The stored window placement: any value of Interface/RemWndPlace reads as a usable record (or the default),
// and a record written is read back.
#include <string>

#include "fuzz_input.h"
#include "state/native_profile.h"
#include "state/placement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string value(reinterpret_cast<const char*>(data), size);
    pel::ProfileFiles files;
    files["Config.ini"] = "[Interface]\r\nRemWndPlace=" + value + "\r\n";
    pel::NativeProfile profile(&files);
    const pel::WindowPlacement read = pel::ReadPlacement(profile, "Config.ini");
    PEL_FUZZ_CHECK(pel::IsUsablePlacement(read));

    std::array<unsigned char, pel::kPlacementBytes> bytes{};
    for (std::size_t i = 0; i < bytes.size() && i < size; ++i) bytes[i] = data[i];
    const pel::WindowPlacement decoded = pel::DecodePlacement(bytes);
    PEL_FUZZ_CHECK(pel::EncodePlacement(decoded) == bytes);
    PEL_FUZZ_CHECK(pel::WritePlacement(profile, "Config.ini", decoded));
    const pel::WindowPlacement back = pel::ReadPlacement(profile, "Config.ini");
    if (pel::IsUsablePlacement(decoded)) {
        PEL_FUZZ_CHECK(back == decoded);
    } else {
        PEL_FUZZ_CHECK(back == pel::WindowPlacement{});
    }
    return 0;
}

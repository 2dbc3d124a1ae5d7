// The remembered main-window placement (Interface/RemWndPlace): the platform's 44-byte
// window-placement record, eleven little-endian 32-bit fields.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "state/profile.h"

namespace pel {

constexpr std::size_t kPlacementBytes = 44;

struct WindowPlacement {
    std::int32_t length = static_cast<std::int32_t>(kPlacementBytes);
    std::int32_t flags = 0;
    std::int32_t showCmd = 1;  // normal
    std::int32_t minX = -1;
    std::int32_t minY = -1;
    std::int32_t maxX = -1;
    std::int32_t maxY = -1;
    std::int32_t left = 100;
    std::int32_t top = 100;
    std::int32_t right = 950;
    std::int32_t bottom = 700;

    bool operator==(const WindowPlacement&) const = default;
};

// A window wider or taller than this is taken for a damaged record.
constexpr std::int64_t kMaxPlacementExtent = 20000;

std::array<unsigned char, kPlacementBytes> EncodePlacement(const WindowPlacement& placement);
WindowPlacement DecodePlacement(const std::array<unsigned char, kPlacementBytes>& bytes);

// A record the frame may apply: its length field is 1..10,000 and its normal rectangle has a width and
// a height of 1..kMaxPlacementExtent.
bool IsUsablePlacement(const WindowPlacement& placement);

// The stored placement, or the default record when it is missing, unreadable (short, bad digit, bad
// checksum) or not usable.
WindowPlacement ReadPlacement(IProfile& profile, const std::string& iniPath);
bool WritePlacement(IProfile& profile, const std::string& iniPath, const WindowPlacement& placement);

}  // namespace pel

#include "state/placement.h"

#include "state/settings.h"

namespace pel {

namespace {

constexpr std::size_t kFieldCount = kPlacementBytes / 4;

std::array<std::int32_t, kFieldCount> Fields(const WindowPlacement& p) {
    return {p.length, p.flags, p.showCmd, p.minX, p.minY, p.maxX, p.maxY, p.left, p.top, p.right, p.bottom};
}

}  // namespace

std::array<unsigned char, kPlacementBytes> EncodePlacement(const WindowPlacement& placement) {
    std::array<unsigned char, kPlacementBytes> bytes{};
    const auto fields = Fields(placement);
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto v = static_cast<std::uint32_t>(fields[i]);
        for (std::size_t b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<unsigned char>(v >> (8 * b));
    }
    return bytes;
}

WindowPlacement DecodePlacement(const std::array<unsigned char, kPlacementBytes>& bytes) {
    std::array<std::int32_t, kFieldCount> f{};
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        std::uint32_t v = 0;
        for (std::size_t b = 0; b < 4; ++b) v |= static_cast<std::uint32_t>(bytes[4 * i + b]) << (8 * b);
        f[i] = static_cast<std::int32_t>(v);
    }
    return {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10]};
}

bool IsUsablePlacement(const WindowPlacement& p) {
    if (p.length <= 0 || p.length > 10000) return false;
    const std::int64_t width = static_cast<std::int64_t>(p.right) - p.left;
    const std::int64_t height = static_cast<std::int64_t>(p.bottom) - p.top;
    return width > 0 && width <= kMaxPlacementExtent && height > 0 && height <= kMaxPlacementExtent;
}

WindowPlacement ReadPlacement(IProfile& profile, const std::string& iniPath) {
    std::array<unsigned char, kPlacementBytes> bytes{};
    const Setting& s = settings::kRemWndPlace;
    if (!profile.ReadStruct(iniPath, s.section, s.key, bytes.data(), bytes.size())) return {};
    const WindowPlacement placement = DecodePlacement(bytes);
    return IsUsablePlacement(placement) ? placement : WindowPlacement{};
}

bool WritePlacement(IProfile& profile, const std::string& iniPath, const WindowPlacement& placement) {
    const auto bytes = EncodePlacement(placement);
    const Setting& s = settings::kRemWndPlace;
    return profile.WriteStruct(iniPath, s.section, s.key, bytes.data(), bytes.size());
}

}  // namespace pel

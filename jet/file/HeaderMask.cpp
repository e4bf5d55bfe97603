#include "jet/file/HeaderMask.h"

#include "jet/Format.h"

#include <array>
#include <utility>

namespace jet {

namespace {

// RC4 keystream for the fixed header key, computed once.
std::array<std::uint8_t, format::kMaskLength> keystream() {
    std::array<std::uint8_t, 256> s{};
    for (unsigned i = 0; i < 256; ++i)
        s[i] = static_cast<std::uint8_t>(i);
    unsigned j = 0;
    for (unsigned i = 0; i < 256; ++i) {
        j = (j + s[i] + format::kMaskKey[i % 4]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    std::array<std::uint8_t, format::kMaskLength> out{};
    unsigned a = 0;
    unsigned b = 0;
    for (auto& byte : out) {
        a = (a + 1) & 0xFF;
        b = (b + s[a]) & 0xFF;
        std::swap(s[a], s[b]);
        byte = s[(s[a] + s[b]) & 0xFF];
    }
    return out;
}

} // namespace

void HeaderMask::apply(std::span<std::uint8_t> page0) {
    static const auto stream = keystream();
    for (std::size_t i = 0; i < format::kMaskLength && format::kMaskOffset + i < page0.size(); ++i)
        page0[format::kMaskOffset + i] ^= stream[i];
}

} // namespace jet

#pragma once

// Page 0 keeps 128 bytes XORed with a fixed RC4 keystream; the same call masks and unmasks.
#include <cstdint>
#include <span>

namespace jet {

class HeaderMask {
public:
    static void apply(std::span<std::uint8_t> page0);
};

} // namespace jet

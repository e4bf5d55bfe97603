#pragma once

// Little-endian field access on byte buffers. Callers check bounds first; these only assemble bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace jet {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

inline std::uint16_t get16(ByteView b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
inline std::uint32_t get24(ByteView b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16));
}
inline std::uint32_t get32(ByteView b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
inline std::uint64_t get64(ByteView b, std::size_t at) {
    return static_cast<std::uint64_t>(get32(b, at)) | (static_cast<std::uint64_t>(get32(b, at + 4)) << 32);
}
inline void put16(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void put24(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 3; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void put32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void put64(std::span<std::uint8_t> b, std::size_t at, std::uint64_t v) {
    for (int i = 0; i < 8; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A row pointer: page in the upper three bytes, row number in the low byte.
struct RowId {
    std::uint32_t page = 0;
    unsigned row = 0;
    static RowId fromRaw(std::uint32_t raw) { return {raw >> 8, raw & 0xFFu}; }
    std::uint32_t raw() const { return (page << 8) | (row & 0xFFu); }
    bool operator==(const RowId&) const = default;
};

} // namespace jet

#include "jet/longvalue/CreateLongValue.h"

#include "jet/Format.h"

#include <algorithm>
#include <vector>

namespace jet {

namespace {

constexpr std::size_t kLinkSize = 4;
constexpr std::size_t kChunkData = format::kMaxLongValueRow - kLinkSize;

Bytes header(std::size_t length, std::uint8_t kind, RowId first) {
    Bytes out(format::kLongValueHeaderSize, 0);
    put24(out, 0, static_cast<std::uint32_t>(length));
    out[3] = kind;
    put32(out, 4, first.raw());
    return out;
}

} // namespace

CreateLongValue::CreateLongValue(CreateImage& image) : m_packer(image, format::kLongValueOwner) {}

Bytes CreateLongValue::inlineValue(ByteView stored) {
    Bytes out = header(stored.size(), format::kLongValueInline, RowId{});
    out.insert(out.end(), stored.begin(), stored.end());
    return out;
}

Result<Bytes> CreateLongValue::store(ByteView stored) {
    if (stored.size() > format::kMaxLongValueLength)
        return Status::invalid("a memo of " + std::to_string(stored.size()) +
                               " bytes passes the 16 MB limit");
    if (stored.size() <= format::kMaxLongValueRow) {
        JET_ASSIGN_OR_RETURN(auto row, m_packer.add(stored));
        return header(stored.size(), format::kLongValueSingle, row);
    }
    // Each chunk names the next, so the chain is written from its end; every chunk but the last is full.
    const std::size_t chunks = (stored.size() + kChunkData - 1) / kChunkData;
    RowId next{};
    for (std::size_t i = chunks; i-- > 0;) {
        const std::size_t from = i * kChunkData;
        const std::size_t length = std::min(kChunkData, stored.size() - from);
        Bytes row(kLinkSize, 0);
        put32(row, 0, next.raw());
        row.insert(row.end(), stored.begin() + static_cast<std::ptrdiff_t>(from),
                   stored.begin() + static_cast<std::ptrdiff_t>(from + length));
        JET_ASSIGN_OR_RETURN(next, m_packer.add(row));
    }
    return header(stored.size(), format::kLongValueChain, next);
}

} // namespace jet

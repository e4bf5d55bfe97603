#include "IndexKey.h"

#include <array>
#include <optional>

namespace jet {

namespace {

constexpr std::uint8_t kAscendingPresent = 0x7F;
constexpr std::uint8_t kTextEnd = 0x01;
constexpr std::uint8_t kTextNoExtras = 0x00;

// Codes of the letters a..z, upper and lower case alike. Read off the catalog indexes Jet and
// Access wrote for names such as "MSysRelationships", "SummaryInfo" and "NavPaneObjectIDs"; 'z',
// which no sample name holds, is taken from the General table that Jackcess ships
// (index_codes_genleg), which agrees with every code seen in the samples.
constexpr std::array<std::uint8_t, 26> kLetterCodes = {
    0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x57, 0x59, 0x5B, 0x5C, 0x5E, 0x60,
    0x62, 0x64, 0x66, 0x68, 0x69, 0x6B, 0x6D, 0x6F, 0x71, 0x73, 0x75, 0x76, 0x78,
};
// Digits run in steps of 2 from 0x36 ("Table1".."Table4" give 38, 3A, 3C, 3E; the same table
// gives '0' = 36 and '9' = 48).
constexpr std::uint8_t kDigitZeroCode = 0x36;

std::optional<std::uint8_t> code(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(kDigitZeroCode + 2 * (c - '0'));
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c >= 'a' && c <= 'z') return kLetterCodes[static_cast<std::size_t>(c - 'a')];
    return std::nullopt;
}

} // namespace

Bytes IndexKey::longValue(std::int32_t value) {
    const auto flipped = static_cast<std::uint32_t>(value) ^ 0x80000000u;
    return {kAscendingPresent, static_cast<std::uint8_t>(flipped >> 24),
            static_cast<std::uint8_t>(flipped >> 16), static_cast<std::uint8_t>(flipped >> 8),
            static_cast<std::uint8_t>(flipped)};
}

Result<Bytes> IndexKey::text(std::string_view ascii) {
    Bytes key{kAscendingPresent};
    for (char c : ascii) {
        const auto mapped = code(c);
        if (!mapped)
            return Status::invalid("no index code for character '" + std::string(1, c) + "' in name '" +
                                   std::string(ascii) + "'");
        key.push_back(*mapped);
    }
    key.push_back(kTextEnd);
    key.push_back(kTextNoExtras);
    return key;
}

Bytes IndexKey::leafEntry(ByteView key, RowId row) {
    Bytes entry(key.begin(), key.end());
    entry.push_back(static_cast<std::uint8_t>(row.page >> 16));
    entry.push_back(static_cast<std::uint8_t>(row.page >> 8));
    entry.push_back(static_cast<std::uint8_t>(row.page));
    entry.push_back(static_cast<std::uint8_t>(row.row));
    return entry;
}

} // namespace jet

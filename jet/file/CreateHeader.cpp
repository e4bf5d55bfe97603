#include "jet/file/CreateHeader.h"

#include "jet/Format.h"
#include "jet/file/HeaderMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace jet {

namespace {

namespace f = format;

constexpr std::uint8_t kMagic[4] = {0x00, 0x01, 0x00, 0x00};
// The block at 0x18 is the same in every Jet 4 file seen; its meaning is not documented.
constexpr std::uint8_t kConstantBlock[24] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00,
                                             0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
                                             0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
constexpr std::uint16_t kCodePage1252 = 1252;
constexpr std::size_t kUnknownFieldOffset = 0x6A;
constexpr std::uint32_t kUnknownFieldAsJetWrites = 0x261C;
constexpr std::uint32_t kSortGeneral = 0x0409; // LCID 1033, version 0
constexpr std::size_t kTrailerOffset = 0x98;
constexpr std::uint32_t kTrailerValue = 0x0654;
constexpr char kTrailerVersion[4] = {'4', '.', '0', '\0'};
// Every Jet file ends page 0 with 256 byte pairs (value, 1); their meaning is undocumented. A new
// database has 1 in the first value and 0 in the others.
constexpr std::size_t kPairTableOffset = 0xE00;
constexpr std::size_t kPairCount = 256;

} // namespace

void CreateHeader::write(PageSpan page, double creationDate) {
    std::fill(page.begin(), page.end(), std::uint8_t{0});
    std::copy(std::begin(kMagic), std::end(kMagic), page.begin());
    std::memcpy(page.data() + f::kEngineNameOffset, f::kEngineName, sizeof f::kEngineName);
    page[f::kVersionOffset] = f::kVersionJet4;
    std::copy(std::begin(kConstantBlock), std::end(kConstantBlock), page.begin() + f::kMaskOffset);
    put16(page, f::kCodePageOffset, kCodePage1252);
    put32(page, f::kDbKeyOffset, 0);
    // No password: the password field holds nothing but its mask, the whole days of the creation date.
    const auto mask = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::floor(creationDate)));
    for (std::size_t at = 0; at < f::kPasswordLength; at += 4)
        put32(page, f::kPasswordOffset + at, mask);
    put32(page, kUnknownFieldOffset, kUnknownFieldAsJetWrites);
    put32(page, f::kSortOrderOffset, kSortGeneral);
    std::uint64_t dateBits = 0;
    std::memcpy(&dateBits, &creationDate, sizeof dateBits);
    put64(page, f::kCreationDateOffset, dateBits);
    put32(page, kTrailerOffset, kTrailerValue);
    std::copy(std::begin(kTrailerVersion), std::end(kTrailerVersion), page.begin() + kTrailerOffset + 4);
    for (std::size_t i = 0; i < kPairCount; ++i)
        page[kPairTableOffset + 2 * i + 1] = 0x01;
    page[kPairTableOffset] = 0x01;
    HeaderMask::apply(page);
}

} // namespace jet

#pragma once

// Every constant of the Jet 4 file layout in one place; FORMAT.md describes what they mean.
#include <cstddef>
#include <cstdint>

#include "jet/ColumnType.h"

namespace jet::format {

inline constexpr std::size_t kPageSize = 4096;
inline constexpr std::uint32_t kMaxPages = 0x80000000u / kPageSize; // files stop at 2 GB

// Page 0: the database header.
inline constexpr std::size_t kEngineNameOffset = 0x04;
inline constexpr char kEngineName[] = "Standard Jet DB";
inline constexpr std::size_t kVersionOffset = 0x14;
inline constexpr std::uint8_t kVersionJet4 = 1;
inline constexpr std::size_t kMaskOffset = 0x18;
inline constexpr std::size_t kMaskLength = 128;
inline constexpr std::uint8_t kMaskKey[4] = {0xC7, 0xDA, 0x39, 0x6B};
inline constexpr std::size_t kCodePageOffset = 0x3C;
inline constexpr std::size_t kDbKeyOffset = 0x3E;
inline constexpr std::size_t kPasswordOffset = 0x42;
inline constexpr std::size_t kPasswordLength = 40;
inline constexpr std::size_t kSortOrderOffset = 0x6E;
inline constexpr std::size_t kCreationDateOffset = 0x72;

// Fixed page roles.
inline constexpr std::uint32_t kGlobalMapPage = 1;
inline constexpr unsigned kGlobalMapRow = 0;
inline constexpr std::uint32_t kCatalogPage = 2;

// Page types (first byte of a page).
inline constexpr std::uint8_t kPageBlank = 0x00;
inline constexpr std::uint8_t kPageData = 0x01;
inline constexpr std::uint8_t kPageTableDef = 0x02;
inline constexpr std::uint8_t kPageIndexNode = 0x03;
inline constexpr std::uint8_t kPageIndexLeaf = 0x04;
inline constexpr std::uint8_t kPageUsageMap = 0x05;

// Data pages.
inline constexpr std::size_t kDataFreeSpaceOffset = 2;
inline constexpr std::size_t kDataOwnerOffset = 4;
inline constexpr std::size_t kDataRowCountOffset = 12;
inline constexpr std::size_t kDataRowTableOffset = 14;
inline constexpr std::uint32_t kLongValueOwner = 0x4C41564C; // "LVAL" read as uint32 LE
inline constexpr unsigned kMaxRowsPerPage = 255;
inline constexpr std::size_t kMaxRowSize = 4060;
inline constexpr std::uint16_t kRowOffsetMask = 0x1FFF;
inline constexpr std::uint16_t kRowOverflow = 0x4000; // slot holds a pointer to the moved row
inline constexpr std::uint16_t kRowLookup = 0x8000;   // moved copy, reached only through its pointer
inline constexpr std::uint16_t kRowDeleted = kRowOverflow | kRowLookup;

// Table definition pages.
inline constexpr std::size_t kTdefNextPageOffset = 4;
inline constexpr std::size_t kTdefHeaderSize = 8;
inline constexpr std::size_t kTdefLengthOffset = 8;
inline constexpr std::size_t kTdefRowCountOffset = 16;
inline constexpr std::size_t kTdefAutoNumberOffset = 20;
inline constexpr std::size_t kTdefTableTypeOffset = 40;
inline constexpr std::size_t kTdefMaxColsOffset = 41;
inline constexpr std::size_t kTdefVarColsOffset = 43;
inline constexpr std::size_t kTdefColCountOffset = 45;
inline constexpr std::size_t kTdefLogicalIndexCountOffset = 47;
inline constexpr std::size_t kTdefRealIndexCountOffset = 51;
inline constexpr std::size_t kTdefOwnedMapOffset = 55;
inline constexpr std::size_t kTdefFreeMapOffset = 59;
inline constexpr std::size_t kTdefBlockEnd = 63;
inline constexpr std::uint32_t kTdefMagic = 1625;
inline constexpr std::uint8_t kTableUser = 0x4E;
inline constexpr std::uint8_t kTableSystem = 0x53;
inline constexpr std::size_t kRealIndexCountBlock = 12;
inline constexpr std::size_t kColumnDescriptorSize = 25;
inline constexpr std::size_t kRealIndexBlock = 52;
inline constexpr std::size_t kLogicalIndexBlock = 28;
inline constexpr std::size_t kLongValueMapEntry = 10;
inline constexpr std::uint16_t kLongValueMapEnd = 0xFFFF;
inline constexpr std::uint32_t kIndexMagic = 1923;
inline constexpr unsigned kIndexColumnSlots = 10;

// Column descriptor fields.
inline constexpr std::size_t kColType = 0;
inline constexpr std::size_t kColNumber = 5;
inline constexpr std::size_t kColVarIndex = 7;
inline constexpr std::size_t kColNumberAgain = 9;
inline constexpr std::size_t kColSortOrPrecision = 11;
inline constexpr std::size_t kColScale = 12;
inline constexpr std::size_t kColFlags = 15;
inline constexpr std::size_t kColExtFlags = 16;
inline constexpr std::size_t kColFixedOffset = 21;
inline constexpr std::size_t kColLength = 23;
inline constexpr std::uint8_t kColFlagFixed = 0x01;
inline constexpr std::uint8_t kColFlagUpdatable = 0x02;
inline constexpr std::uint8_t kColFlagAutoLong = 0x04;
inline constexpr std::uint8_t kColFlagAutoGuid = 0x40;
inline constexpr std::uint8_t kColFlagHyperlink = 0x80;
inline constexpr std::uint8_t kColExtCompressed = 0x01;

// Real index block fields (after the magic).
inline constexpr std::size_t kIndexColumnsOffset = 4;
inline constexpr std::size_t kIndexMapOffset = 34;
inline constexpr std::size_t kIndexRootOffset = 38;
inline constexpr std::size_t kIndexFlagsOffset = 46;
inline constexpr std::uint16_t kIndexUnusedColumn = 0xFFFF;
inline constexpr std::uint8_t kIndexAscending = 0x01; // in a key column's order byte
inline constexpr std::uint8_t kIndexUnique = 0x01;    // in a real index's flags

// Index pages.
inline constexpr std::size_t kIndexPrevOffset = 12;
inline constexpr std::size_t kIndexNextOffset = 16;
inline constexpr std::size_t kIndexTailOffset = 20;
inline constexpr std::size_t kIndexPrefixOffset = 24;
inline constexpr std::size_t kIndexBitmapOffset = 27;
inline constexpr std::size_t kIndexEntriesOffset = 0x1E0;

// Column types: jet/ColumnType.h, public because rows carry them.

// Row layout.
inline constexpr std::size_t kRowColumnCountSize = 2;

// Long values: the 12-byte header in the row.
inline constexpr std::size_t kLongValueHeaderSize = 12;
inline constexpr std::uint8_t kLongValueInline = 0x80;
inline constexpr std::uint8_t kLongValueSingle = 0x40;
inline constexpr std::uint8_t kLongValueChain = 0x00;
inline constexpr std::size_t kMaxInlineLongValue = 64;
inline constexpr std::size_t kMaxLongValueRow = 4076;
inline constexpr std::uint32_t kMaxLongValueLength = 0x00FFFFFF;

// Text.
inline constexpr std::uint8_t kCompressedMarker[2] = {0xFF, 0xFE};
inline constexpr std::size_t kMaxCompressedChars = 1024;

// Usage maps.
inline constexpr std::uint8_t kMapInline = 0x00;
inline constexpr std::uint8_t kMapReference = 0x01;
inline constexpr std::size_t kMapInlineHeader = 5;
inline constexpr std::size_t kMapPageBitmapOffset = 4;
inline constexpr std::uint32_t kPagesPerMapPage = (kPageSize - kMapPageBitmapOffset) * 8;
inline constexpr std::size_t kDefaultInlineBitmap = 64;

} // namespace jet::format

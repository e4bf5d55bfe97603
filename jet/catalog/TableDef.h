#pragma once

// A table definition read from its TDEF page chain: columns, indexes and usage-map pointers.
#include "jet/Bytes.h"
#include "jet/Format.h"
#include "jet/Status.h"
#include "jet/file/PageStore.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

struct Column {
    std::string name; // UTF-8
    format::ColumnType type = format::ColumnType::Text;
    std::uint16_t number = 0;   // null-mask bit; counts deleted columns
    std::uint16_t varIndex = 0; // entry in the row's variable-offset table
    std::uint16_t fixedOffset = 0;
    std::uint16_t length = 0; // bytes; Text holds two per character
    std::uint8_t flags = 0;
    std::uint8_t extFlags = 0;
    std::uint8_t precision = 0;
    std::uint8_t scale = 0;

    bool fixed() const { return (flags & format::kColFlagFixed) != 0; }
    bool isLong() const { return type == format::ColumnType::Memo || type == format::ColumnType::Ole; }
    bool compressible() const { return (extFlags & format::kColExtCompressed) != 0; }
};

struct RealIndex {
    std::vector<std::uint16_t> columns; // column numbers of the key
    RowId map;
    std::uint32_t root = 0;
    std::uint8_t flags = 0;
    std::vector<bool> ascending; // per key column; empty means all ascending
};

struct LongValueMaps {
    std::uint16_t column = 0;
    RowId owned;
    RowId free;
};

struct TableDef {
    std::uint32_t page = 0;
    std::vector<std::uint32_t> pages; // the TDEF chain, first page first
    std::uint32_t rowCount = 0;
    std::uint8_t tableType = 0;
    std::uint16_t maxCols = 0;
    std::uint16_t varCols = 0;
    std::vector<Column> columns; // ordered by column number
    std::vector<RealIndex> indexes;
    RowId ownedMap;
    RowId freeMap;
    std::vector<LongValueMaps> longValueMaps;

    // Access compares names without regard to case.
    const Column* find(std::string_view name) const;
    std::size_t position(const Column& column) const {
        return static_cast<std::size_t>(&column - columns.data());
    }

    static Result<TableDef> read(PageStore& store, std::uint32_t page);
};

} // namespace jet

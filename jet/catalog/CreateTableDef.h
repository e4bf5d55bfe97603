#pragma once

// Table definitions (TDEF pages) written from a TableDef: the fixed block, index counts, column
// descriptors and names, real and logical indexes, and the long-value columns' usage maps.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/catalog/CreateImage.h"
#include "jet/catalog/TableDef.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet {

struct LogicalIndexDef {
    std::string name;
    std::uint32_t number = 0;
    std::uint32_t realIndex = 0;
    bool primaryKey = false;
};

struct TableLayout {
    TableDef def;                          // columns by number, real indexes, maps, row count
    std::vector<std::size_t> storedOrder;  // positions in def.columns, in the order descriptors are stored
    std::vector<std::uint32_t> uniqueKeys; // per real index: how many distinct keys it holds
    std::vector<LogicalIndexDef> logical;  // in stored order
};

class CreateTableDef {
public:
    // The definition as one byte stream, starting with the 8-byte page header of its first page.
    static Result<Bytes> encode(const TableLayout& layout);
    // Spreads the stream over `firstPage` and as many appended pages as it needs.
    static Status write(CreateImage& image, std::uint32_t firstPage, const Bytes& stream);
};

} // namespace jet

#pragma once

// A stored row split into its columns' bytes and joined again.
#include "Bytes.h"
#include "Status.h"
#include "TableDef.h"

#include <optional>
#include <vector>

namespace jet {

// One entry per TableDef::columns; nullopt is NULL. A Yes/No column holds one byte, 0 or 1.
using RawRow = std::vector<std::optional<Bytes>>;

class RowCodec {
public:
    static Result<RawRow> decode(const TableDef& table, ByteView row);
    // Writes max_cols columns, the full fixed area, the variable table and the null mask.
    static Result<Bytes> encode(const TableDef& table, const RawRow& row);
};

} // namespace jet

#pragma once

// A stored row split into its columns' bytes and joined again.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/catalog/TableDef.h"

#include <optional>
#include <vector>

namespace jet {

// One entry per TableDef::columns; nullopt is NULL. A Yes/No column holds one byte, 0 or 1.
using RawRow = std::vector<std::optional<Bytes>>;
// The same as views into the stored row (Yes/No into constants), for reading without copies.
using RowViews = std::vector<std::optional<ByteView>>;

class RowCodec {
public:
    static Result<RawRow> decode(const TableDef& table, ByteView row);
    static Status decodeViews(const TableDef& table, ByteView row, RowViews& out);
    // Writes max_cols columns, the full fixed area, the variable table and the null mask.
    static Result<Bytes> encode(const TableDef& table, const RawRow& row);
};

} // namespace jet

#pragma once

// Index entry keys as Jet sorts them: big-endian, sign-flipped numbers and "General" text codes.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/catalog/TableDef.h"
#include "jet/pages/RowCodec.h"

#include <cstdint>
#include <string_view>

namespace jet {

class IndexKey {
public:
    // One ascending, non-null key column: the 0x7F flag and the encoded value.
    static Bytes longValue(std::int32_t value);
    // Text in the "General" sort order (LCID 1033): the characters' base codes without case marks,
    // 01, the accent codes up to the last accented character, then 00. A character without a
    // known code (see GeneralSortCodes) is refused rather than given a key Access would not find.
    static Result<Bytes> text(std::string_view utf8);

    // One key column of a row as an index stores it: a flag byte (present or null, ascending or
    // descending) and the value in an order that sorts bytewise. Text is exact for blanks, digits
    // and the letters GeneralSortCodes knows, ascending only; a value the engine cannot key as Access would
    // comes back Unsupported, saying so, and so do column types Access does not index this way (Memo, OLE,
    // Decimal).
    static Result<Bytes> columnKey(const Column& column, const std::optional<Bytes>& raw, bool ascending);
    // A row's whole key for an index (its columns' keys one after another), or nullopt for a row
    // the index leaves out (all key columns NULL in an index that ignores NULLs).
    static Result<std::optional<Bytes>> rowKey(const TableDef& def, const RealIndex& index,
                                               const RawRow& values);

    // A leaf entry: the key columns followed by the row's page (3 bytes, big-endian) and row number.
    static Bytes leafEntry(ByteView key, RowId row);
};

} // namespace jet

#pragma once

// Index entry keys as Jet sorts them: big-endian, sign-flipped numbers and "General" text codes.
#include "Bytes.h"
#include "Status.h"

#include <cstdint>
#include <string_view>

namespace jet {

class IndexKey {
public:
    // One ascending, non-null key column: the 0x7F flag and the encoded value.
    static Bytes longValue(std::int32_t value);
    // Text in the "General" sort order (LCID 1033), as Jet keys catalog names: the letters' codes
    // without case marks, then 01 00. Only ASCII letters and digits are known here; anything else
    // is refused rather than given a key Access would not find.
    static Result<Bytes> text(std::string_view ascii);

    // A leaf entry: the key columns followed by the row's page (3 bytes, big-endian) and row number.
    static Bytes leafEntry(ByteView key, RowId row);
};

} // namespace jet

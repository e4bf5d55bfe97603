#pragma once

// A cell's text turned into the bytes its column stores (RowCodec's raw form).
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/catalog/TableDef.h"

#include <string_view>

namespace jet {

class CreateValue {
public:
    // Text and Memo: the encoded text (a Memo still needs its long-value header); numbers through
    // ValueText; Date/Time from "YYYY-MM-DD[ HH:MM[:SS]]"; Yes/No one byte, 0 or 1; GUIDs from
    // "{XXXXXXXX-...}".
    static Result<Bytes> convert(const Column& column, std::string_view text);

    // Access date: days since 1899-12-30; before that day the fraction still counts forward.
    static Result<double> parseDate(std::string_view text);
};

} // namespace jet

#pragma once

// Fixed-width column values as text ("10", "3.5", "1974-09-21 00:00:00") and back.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/catalog/TableDef.h"

#include <optional>
#include <string>
#include <string_view>

namespace jet {

class ValueText {
public:
    // Text of a stored value of any column type except Text/Memo (decoded by TextCodec).
    // Dates come back as "YYYY-MM-DD HH:MM:SS"; binary values as upper-case hex.
    static std::string format(const Column& column, ByteView raw);
    // The same text written to `out` (room for kMaxFixedText bytes); returns its end, or nullptr
    // for the types format writes as hex (binary, or a value shorter than its type).
    static char* formatTo(const Column& column, ByteView raw, char* out);
    static constexpr std::size_t kMaxFixedText = 64;
    // The stored bytes of a number written as text into a numeric column; refuses non-numbers.
    static Result<Bytes> parseNumber(const Column& column, std::string_view text);
    // A whole number written as text ("12", "-3"); nullopt for anything else.
    static std::optional<long long> wholeNumber(std::string_view text);
    // The stored bytes of a GUID written as export writes it; refuses any other shape.
    static Result<Bytes> parseGuid(const Column& column, std::string_view text);
    // Bytes a fixed-width type takes in the row; 0 for variable types.
    static std::size_t fixedSize(format::ColumnType type);
};

} // namespace jet

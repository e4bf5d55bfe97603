#pragma once

// The statement forms the program sends, and nothing else:
//   select * from T
//   select sum(C) from T
//   update T set C='v'                      (a quote inside a literal is written '')
//   update T set C='v' where C2='v2'        (the blank before where may be missing)
// Keywords ignore case; blanks may surround every part. A table or column name is written bare
// (words with blanks between them, none a keyword: Order Details) or in brackets ([Order.Details]
// is refused, [Select Set] taken); names Access does not allow are refused with the reason.
#include "jet/Status.h"

#include <optional>
#include <string>
#include <string_view>

namespace jet {

struct Statement {
    enum class Kind { SelectAll, SelectSum, Update };

    Kind kind = Kind::SelectAll;
    std::string table;
    std::string column; // summed or set
    std::string value;  // set
    std::optional<std::string> whereColumn;
    std::string whereValue;

    static Result<Statement> parse(std::string_view text);
};

} // namespace jet

#pragma once

// A table as CSV shaped like mdb-export's, so the two can be compared: a header of column names,
// then one line per row; texts, dates, GUIDs and binary values quoted ("" inside), numbers and
// Yes/No bare, NULL and empty texts as nothing. Rows go from the pages to the output as they are
// read, in pieces of 64 KiB: memory stays the same whatever the table's size.
#include "jet/Connection.h"

#include <functional>
#include <string_view>

namespace jet {

class CsvExport {
public:
    // Takes each piece of the text; a failure ends the export with it.
    using Sink = std::function<Status(std::string_view)>;
    // "select * from T" written to `sink`.
    static Status write(Connection& connection, std::string_view statement, const Sink& sink);
};

} // namespace jet

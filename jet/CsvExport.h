#pragma once

// A row set as CSV shaped like mdb-export's, so the two can be compared: a header of column
// names, then one line per row; texts, dates, GUIDs and binary values quoted ("" inside), numbers
// and Yes/No bare, NULL and empty texts as nothing.
#include "RowSet.h"

#include <ostream>

namespace jet {

class CsvExport {
public:
    static void write(RowSet& rows, std::ostream& out);
};

} // namespace jet

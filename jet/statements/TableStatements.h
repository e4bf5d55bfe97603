#pragma once

// What statements do to a table once its definition is in hand: its rows as text, the sum of a
// column, and an update of the rows that match. Callers hold the file's lock (see Transactions).
#include "jet/RowSet.h"
#include "jet/Statement.h"
#include "jet/catalog/TableDef.h"
#include "jet/file/PageStore.h"
#include "jet/statements/TableRows.h"

#include <string>
#include <string_view>

namespace jet::TableStatements {

// The table's rows as kept (see TableRows): nothing is read.
RowSet selectAll(const TableDef& def, const TableRows& rows);
// The sum of a numeric column of table `table`, written as its type writes values.
Result<std::string> sum(PageStore& store, const TableDef& def, std::string_view table,
                        std::string_view column);
// Sets the statement's column in every matching row, keeping long values, indexes and `rows` in
// step; the rows are found through `rows`, not by a scan. A page the update would write that is
// already damaged refuses it (see GuardedPages).
Status update(PageStore& store, const TableDef& def, const Statement& statement, TableRows& rows);

} // namespace jet::TableStatements

#pragma once

// The rows of one select, as they were at select time, walked both ways like a recordset.
#include "jet/ColumnType.h"
#include "jet/RowTexts.h"
#include "jet/Status.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

class RowSet {
public:
    RowSet(std::vector<std::string> columns, std::vector<format::ColumnType> types,
           std::vector<TextRow> rows);
    RowSet(std::vector<std::string> columns, std::vector<format::ColumnType> types, RowTexts rows);

    const std::vector<std::string>& columns() const { return m_columns; }
    const std::vector<format::ColumnType>& types() const { return m_types; }
    std::size_t size() const { return m_rows.size(); }

    // Each move returns whether a row is current afterwards. Moving past either end leaves no
    // current row; moving back from there returns to the row at that end.
    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();
    bool atRow() const { return m_current >= 0 && m_current < count(); }

    // Makes current the first row meeting "COLUMN=number" (e.g. "ID=7"); none is current when no row
    // does. An indexed column (see RowTexts) answers at once, whatever the table's size.
    Status find(std::string_view criterion);
    // A column of the current row by name; NULL reads as empty text. Fails with no current row.
    Result<std::string> text(std::string_view column) const;
    // The current row, NULLs kept apart from empty texts (for export).
    const TextRow* row() const { return atRow() ? &m_rows[static_cast<std::size_t>(m_current)] : nullptr; }

private:
    std::optional<std::size_t> columnIndex(std::string_view name) const;
    std::ptrdiff_t count() const { return static_cast<std::ptrdiff_t>(m_rows.size()); }

    std::vector<std::string> m_columns;
    std::vector<format::ColumnType> m_types;
    RowTexts m_rows;
    std::ptrdiff_t m_current = 0; // -1 before the first row, count() after the last
};

} // namespace jet

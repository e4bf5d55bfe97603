#include "CsvExport.h"

namespace jet {

namespace {

using format::ColumnType;

bool quoted(ColumnType type) {
    switch (type) {
    case ColumnType::Text:
    case ColumnType::Memo:
    case ColumnType::DateTime:
    case ColumnType::Binary:
    case ColumnType::Ole:
    case ColumnType::Guid:
        return true;
    default:
        return false;
    }
}

void writeCell(std::ostream& out, const std::optional<std::string>& value, ColumnType type) {
    if (!value) return;
    if (!quoted(type)) {
        out << *value;
        return;
    }
    out << '"';
    for (char c : *value) {
        if (c == '"') out << '"';
        out << c;
    }
    out << '"';
}

} // namespace

void CsvExport::write(RowSet& rows, std::ostream& out) {
    const auto& columns = rows.columns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        out << (i ? "," : "") << columns[i];
    out << '\n';
    for (bool more = rows.moveFirst(); more; more = rows.moveNext()) {
        const auto& row = *rows.row();
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i) out << ',';
            writeCell(out, row[i], rows.types()[i]);
        }
        out << '\n';
    }
}

} // namespace jet

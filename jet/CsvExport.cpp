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

// Like mdb-export, an empty text is written as nothing, the same as NULL.
void appendCell(std::string& out, const std::optional<std::string>& value, ColumnType type) {
    if (!value || value->empty()) return;
    if (!quoted(type)) {
        out += *value;
        return;
    }
    out += '"';
    std::size_t from = 0;
    for (auto at = value->find('"'); at != std::string::npos; at = value->find('"', from)) {
        out.append(*value, from, at + 1 - from);
        out += '"';
        from = at + 1;
    }
    out.append(*value, from);
    out += '"';
}

} // namespace

// Built as one text and written once: character-wise stream output costs more than the reading.
void CsvExport::write(RowSet& rows, std::ostream& out) {
    std::string text;
    const auto& columns = rows.columns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        text += (i ? "," : "") + columns[i];
    text += '\n';
    for (bool more = rows.moveFirst(); more; more = rows.moveNext()) {
        const auto& row = *rows.row();
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i) text += ',';
            appendCell(text, row[i], rows.types()[i]);
        }
        text += '\n';
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

} // namespace jet

#include "jet/RowSet.h"

#include "jet/NameCase.h"
#include "jet/pages/ValueText.h"

namespace jet {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

RowSet::RowSet(std::vector<std::string> columns, std::vector<format::ColumnType> types,
               std::vector<TextRow> rows)
    : RowSet(std::move(columns), std::move(types), RowTexts(std::move(rows), {})) {}

RowSet::RowSet(std::vector<std::string> columns, std::vector<format::ColumnType> types, RowTexts rows)
    : m_columns(std::move(columns)), m_types(std::move(types)), m_rows(std::move(rows)) {}

bool RowSet::moveFirst() {
    m_current = 0;
    return atRow();
}

bool RowSet::moveLast() {
    m_current = count() - 1;
    return atRow();
}

bool RowSet::moveNext() {
    if (m_current < count()) ++m_current;
    return atRow();
}

bool RowSet::movePrevious() {
    if (m_current >= 0) --m_current;
    return atRow();
}

std::optional<std::size_t> RowSet::columnIndex(std::string_view name) const {
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (NameCase::same(m_columns[i], name)) return i;
    return std::nullopt;
}

Status RowSet::find(std::string_view criterion) {
    const auto eq = criterion.find('=');
    if (eq == std::string_view::npos) return Status::invalid("criterion must read COLUMN=number");
    const auto index = columnIndex(trim(criterion.substr(0, eq)));
    const auto wanted = ValueText::wholeNumber(trim(criterion.substr(eq + 1)));
    if (!wanted) return Status::invalid("criterion must compare with a whole number");
    if (!index) return Status::notFound("no column " + std::string(trim(criterion.substr(0, eq))));
    std::optional<std::size_t> found;
    if (const auto indexed = m_rows.firstWithNumber(*index, *wanted)) {
        found = *indexed;
    } else {
        for (std::size_t r = 0; r < m_rows.size() && !found; ++r) {
            const auto& cell = m_rows[r][*index];
            if (cell && ValueText::wholeNumber(*cell) == wanted) found = r;
        }
    }
    m_current = found ? static_cast<std::ptrdiff_t>(*found) : count();
    if (!found) return Status::notFound("no row meets " + std::string(criterion));
    return {};
}

Result<std::string> RowSet::text(std::string_view column) const {
    if (!atRow()) return Status::notFound("no current row");
    const auto index = columnIndex(column);
    if (!index) return Status::notFound("no column " + std::string(column));
    return m_rows[static_cast<std::size_t>(m_current)][*index].value_or(std::string{});
}

} // namespace jet

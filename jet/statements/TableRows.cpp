#include "jet/statements/TableRows.h"

#include <algorithm>

namespace jet {

namespace {

using format::ColumnType;

// Columns find compares as whole numbers: numbers are indexed for them.
std::vector<std::size_t> wholeNumberColumns(const TableDef& def) {
    std::vector<std::size_t> positions;
    for (const Column& column : def.columns)
        if (column.type == ColumnType::Byte || column.type == ColumnType::Integer ||
            column.type == ColumnType::Long)
            positions.push_back(def.position(column));
    return positions;
}

const std::vector<std::size_t> kNone;

} // namespace

Result<TableRows> TableRows::read(PageStore& store, const TableDef& def) {
    Table table(store, def);
    JET_ASSIGN_OR_RETURN(auto rows, table.scan());
    TableRows result;
    std::vector<TextRow> texts;
    texts.reserve(rows.size());
    for (const auto& row : rows) {
        TextRow text;
        text.reserve(row.values.size());
        for (std::size_t i = 0; i < row.values.size(); ++i) {
            JET_ASSIGN_OR_RETURN(auto value, table.text(def.columns[i], row.values[i]));
            text.push_back(std::move(value));
        }
        texts.push_back(std::move(text));
        result.m_homes.push_back(row.slot);
    }
    result.m_texts = RowTexts(std::move(texts), wholeNumberColumns(def));
    return result;
}

const std::vector<std::size_t>& TableRows::withText(std::size_t position, const std::string& text) {
    auto [lookup, isNew] = m_lookups.try_emplace(position);
    if (isNew)
        for (std::size_t r = 0; r < size(); ++r)
            if (const auto& cell = m_texts[r].at(position)) lookup->second[*cell].push_back(r);
    const auto found = lookup->second.find(text);
    return found == lookup->second.end() ? kNone : found->second;
}

void TableRows::set(std::size_t row, std::size_t position, std::optional<std::string> text) {
    TextRow changed = m_texts[row];
    if (changed.at(position) == text) return;
    if (auto lookup = m_lookups.find(position); lookup != m_lookups.end()) {
        if (const auto& old = changed[position]) {
            auto& rows = lookup->second[*old];
            rows.erase(std::find(rows.begin(), rows.end(), row));
            if (rows.empty()) lookup->second.erase(*old);
        }
        if (text) {
            auto& rows = lookup->second[*text];
            rows.insert(std::lower_bound(rows.begin(), rows.end(), row), row);
        }
    }
    changed[position] = std::move(text);
    m_texts = m_texts.with(row, std::move(changed));
}

Result<TableRows*> TableRowsCache::rows(PageStore& store, const TableDef& def) {
    if (m_generation != m_pager.generation()) {
        m_tables.clear();
        m_generation = m_pager.generation();
    }
    auto found = m_tables.find(def.page);
    if (found == m_tables.end()) {
        JET_ASSIGN_OR_RETURN(auto rows, TableRows::read(store, def));
        found = m_tables.emplace(def.page, std::move(rows)).first;
    }
    return &found->second;
}

} // namespace jet

#pragma once

// What the engine keeps of a table between statements: where each row lives (its home slot, which
// a moved row keeps as a pointer) and the texts of its rows, so that a select hands out the texts
// without reading the table and an update finds its rows without a scan. Each update keeps it in
// step; anything the engine did not do itself (another process's commit, a rollback, pages
// dropped) shows as a new pager generation, and everything kept is read afresh.
#include "jet/RowTexts.h"
#include "jet/catalog/Table.h"
#include "jet/file/Pager.h"

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace jet {

class TableRows {
public:
    // The rows of `def`'s table as read, through `store` (the pager, or pages above it).
    static Result<TableRows> read(PageStore& store, const TableDef& def);

    std::size_t size() const { return m_homes.size(); }
    const RowTexts& texts() const { return m_texts; }
    RowId home(std::size_t row) const { return m_homes[row]; }
    // The rows whose column at `position` reads as `text`, in scan order.
    const std::vector<std::size_t>& withText(std::size_t position, const std::string& text);
    // The row's column at `position` now reads `text`.
    void set(std::size_t row, std::size_t position, std::optional<std::string> text);

private:
    using Lookup = std::unordered_map<std::string, std::vector<std::size_t>>;

    std::vector<RowId> m_homes;
    RowTexts m_texts{{}, {}};
    std::map<std::size_t, Lookup> m_lookups; // per column asked about, built on the first ask
};

// Every table's TableRows, kept while the pager's generation stays.
class TableRowsCache {
public:
    explicit TableRowsCache(Pager& pager) : m_pager(pager) {}

    Result<TableRows*> rows(PageStore& store, const TableDef& def);

private:
    Pager& m_pager;
    std::map<std::uint32_t, TableRows> m_tables; // by definition page
    std::uint64_t m_generation = ~0ull;
};

} // namespace jet

#pragma once

// One open Access file, shared by every connection of the process to that file: its pager (page
// cache and journal), its catalog of tables, and its transactions (see Transactions), through which
// every statement goes.
#include "jet/RowSet.h"
#include "jet/Statement.h"
#include "jet/catalog/Catalog.h"
#include "jet/catalog/Table.h"
#include "jet/file/Pager.h"
#include "jet/statements/TableRows.h"
#include "jet/statements/Transactions.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace jet {

class Database {
public:
    // The process's Database for that file, opened (journal played back, header checked) if new.
    static Result<std::shared_ptr<Database>> open(const std::string& path);
    explicit Database(std::unique_ptr<Pager> pager)
        : m_pager(std::move(pager)), m_catalog(*m_pager), m_rows(*m_pager), m_transactions(*m_pager) {}

    using Owner = Transactions::Owner;

    Result<std::vector<std::string>> userTables(Owner owner = 0);
    Result<RowSet> selectAll(std::string_view table, Owner owner = 0);
    // The rows of a table one at a time, none held (see Table::eachRow).
    Status eachRow(std::string_view table, RowVisitor& visitor, Owner owner = 0);
    Result<std::string> sum(std::string_view table, std::string_view column, Owner owner = 0);
    Status update(const Statement& statement, Owner owner = 0);

    Status begin(Owner owner) { return m_transactions.begin(owner); }
    // Writes the transaction's updates whole, or reports why none was written.
    Status commit(Owner owner) { return m_transactions.commit(owner); }
    void rollback(Owner owner) { m_transactions.rollback(owner); }
    std::vector<std::string> takeNotices() { return m_transactions.takeNotices(); }

private:
    template <typename Read>
    auto readTable(std::string_view name, Owner owner, Read&& read)
        -> decltype(read(std::declval<const TableDef&>()));

    std::unique_ptr<Pager> m_pager;
    Catalog m_catalog;
    TableRowsCache m_rows;
    Transactions m_transactions;
};

} // namespace jet

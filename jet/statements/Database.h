#pragma once

// One open Access file, shared by every connection of the process to that file: its pager
// (page cache and journal) and its catalog of tables.
//
// A transaction makes several updates of one connection (its owner) one: reads inside it see its
// updates, nothing reaches the file before commit, and a failed update, a rollback or an
// abandoned transaction forgets them all. It holds the file's exclusive lock throughout, so
// other processes wait; other connections of the process wait too (on another thread), or are
// refused (on the owner's thread, where waiting could never end).
#include "jet/RowSet.h"
#include "jet/Statement.h"
#include "jet/catalog/Table.h"
#include "jet/catalog/TableDef.h"
#include "jet/file/Pager.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace jet {

class Database {
public:
    // The process's Database for that file, opened (journal played back, header checked) if new.
    static Result<std::shared_ptr<Database>> open(const std::string& path);
    explicit Database(std::unique_ptr<Pager> pager) : m_pager(std::move(pager)) {}

    // Who sends a statement: a connection's number, or 0 for none.
    using Owner = std::uint64_t;

    Result<std::vector<std::string>> userTables(Owner owner = 0);
    Result<RowSet> selectAll(std::string_view table, Owner owner = 0);
    // The rows of a table one at a time, none held (see Table::eachRow).
    Status eachRow(std::string_view table, RowVisitor& visitor, Owner owner = 0);
    Result<std::string> sum(std::string_view table, std::string_view column, Owner owner = 0);
    Status update(const Statement& statement, Owner owner = 0);

    Status begin(Owner owner);
    // Writes the transaction's updates whole, or reports why none was written.
    Status commit(Owner owner);
    void rollback(Owner owner);
    std::vector<std::string> takeNotices();

private:
    struct Transaction {
        Owner owner = 0;
        std::thread::id thread;
        Status failure; // set when an update failed: everything was rolled back
    };
    struct CatalogEntry {
        std::string name;
        std::uint32_t page = 0;
        bool system = false;
    };

    Status enter(std::unique_lock<std::mutex>& lock, Owner owner);
    template <typename Read>
    auto readTable(std::string_view name, Owner owner, Read&& read)
        -> decltype(read(std::declval<const TableDef&>()));
    bool inside(Owner owner) const { return m_transaction && m_transaction->owner == owner; }
    Status checkHeader();
    Status loadCatalog();
    Result<TableDef> tableDef(std::string_view name);
    bool systemTable(std::string_view name) const;
    Status applyUpdate(const Statement& statement);

    std::mutex m_mutex;
    std::condition_variable m_idle;
    std::optional<Transaction> m_transaction;
    std::unique_ptr<Pager> m_pager;
    std::vector<CatalogEntry> m_catalog;
    std::map<std::uint32_t, TableDef> m_defs;
    std::uint64_t m_catalogGeneration = ~0ull;
};

} // namespace jet

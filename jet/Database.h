#pragma once

// One open Access file, shared by every connection of the process to that file: its pager
// (page cache and journal) and its catalog of tables.
#include "Pager.h"
#include "RowSet.h"
#include "Statement.h"
#include "TableDef.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace jet {

class Database {
public:
    // The process's Database for that file, opened (journal played back, header checked) if new.
    static Result<std::shared_ptr<Database>> open(const std::string& path);
    explicit Database(std::unique_ptr<Pager> pager) : m_pager(std::move(pager)) {}

    Result<std::vector<std::string>> userTables();
    Result<RowSet> selectAll(std::string_view table);
    Result<std::string> sum(std::string_view table, std::string_view column);
    Status update(const Statement& statement);

private:
    struct CatalogEntry {
        std::string name;
        std::uint32_t page = 0;
        bool system = false;
    };

    Status checkHeader();
    Status loadCatalog();
    Result<TableDef> tableDef(std::string_view name);
    Status applyUpdate(const Statement& statement);

    std::mutex m_mutex;
    std::unique_ptr<Pager> m_pager;
    std::vector<CatalogEntry> m_catalog;
    std::map<std::uint32_t, TableDef> m_defs;
    std::uint64_t m_catalogGeneration = ~0ull;
};

} // namespace jet

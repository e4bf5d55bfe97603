#include "jet/statements/Database.h"

#include "jet/catalog/CatalogTables.h"
#include "jet/statements/TableStatements.h"

#include <filesystem>
#include <map>
#include <mutex>

namespace jet {

Result<std::shared_ptr<Database>> Database::open(const std::string& path) {
    static std::mutex registryMutex;
    static std::map<std::string, std::weak_ptr<Database>> registry;
    std::error_code ec;
    const std::string key = std::filesystem::canonical(path, ec).string();
    if (ec) return Status::notFound("cannot open " + path + ": " + ec.message());
    std::lock_guard guard(registryMutex);
    if (auto existing = registry[key].lock()) return existing;
    JET_ASSIGN_OR_RETURN(auto pager, Pager::open(key));
    auto database = std::make_shared<Database>(std::move(pager));
    JET_TRY(database->m_transactions.read(0, [&] { return checkHeaderPage(*database->m_pager); }));
    registry[key] = database;
    return database;
}

Result<std::vector<std::string>> Database::userTables(Owner owner) {
    return m_transactions.read(owner, [&] { return m_catalog.userTables(); });
}

// Runs `read` on a table's definition inside the owner's turn (see Transactions::read).
template <typename Read>
auto Database::readTable(std::string_view name, Owner owner, Read&& read)
    -> decltype(read(std::declval<const TableDef&>())) {
    return m_transactions.read(owner, [&]() -> decltype(read(std::declval<const TableDef&>())) {
        JET_ASSIGN_OR_RETURN(auto def, m_catalog.tableDef(name));
        return read(def);
    });
}

Result<RowSet> Database::selectAll(std::string_view name, Owner owner) {
    return readTable(name, owner, [&](const TableDef& def) -> Result<RowSet> {
        JET_ASSIGN_OR_RETURN(auto rows, m_rows.rows(*m_pager, def));
        return TableStatements::selectAll(def, *rows);
    });
}

Status Database::eachRow(std::string_view name, RowVisitor& visitor, Owner owner) {
    return readTable(name, owner, [&](const TableDef& def) { return Table(*m_pager, def).eachRow(visitor); });
}

Result<std::string> Database::sum(std::string_view name, std::string_view column, Owner owner) {
    return readTable(name, owner,
                     [&](const TableDef& def) { return TableStatements::sum(*m_pager, def, name, column); });
}

Status Database::update(const Statement& statement, Owner owner) {
    if (statement.kind != Statement::Kind::Update)
        return Status::invalid("only update statements change the database");
    return m_transactions.write(owner, [&]() -> Status {
        JET_ASSIGN_OR_RETURN(auto def, m_catalog.tableDef(statement.table));
        if (m_catalog.systemTable(statement.table))
            return Status::invalid("table " + statement.table +
                                   " is a system table; it is not changed by statements");
        JET_ASSIGN_OR_RETURN(auto rows, m_rows.rows(*m_pager, def));
        return TableStatements::update(*m_pager, def, statement, *rows);
    });
}

} // namespace jet

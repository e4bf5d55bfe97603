#include "Connection.h"

#include "Database.h"

namespace jet {

Result<Connection> Connection::open(const std::string& path) {
    auto database = Database::open(path);
    if (!database.ok()) return database.status();
    return Connection(std::move(database.value()));
}

Status Connection::execute(std::string_view text) {
    auto statement = Statement::parse(text);
    if (!statement.ok()) return statement.status();
    if (statement->kind != Statement::Kind::Update)
        return Status::invalid("execute takes update statements; use select for queries");
    return m_database->update(statement.value());
}

Result<RowSet> Connection::select(std::string_view text) {
    auto statement = Statement::parse(text);
    if (!statement.ok()) return statement.status();
    if (statement->kind != Statement::Kind::SelectAll)
        return Status::invalid("select takes 'select * from T'; use scalar for sums");
    return m_database->selectAll(statement->table);
}

Result<std::string> Connection::scalar(std::string_view text) {
    auto statement = Statement::parse(text);
    if (!statement.ok()) return statement.status();
    if (statement->kind != Statement::Kind::SelectSum)
        return Status::invalid("scalar takes 'select sum(C) from T'");
    return m_database->sum(statement->table, statement->column);
}

Result<std::vector<std::string>> Connection::tables() {
    return m_database->userTables();
}

} // namespace jet

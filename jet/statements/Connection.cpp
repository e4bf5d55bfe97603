#include "jet/Connection.h"

#include "jet/statements/Database.h"

#include <atomic>

namespace jet {

Connection::Connection(std::shared_ptr<Database> database) : m_database(std::move(database)) {
    static std::atomic<std::uint64_t> next{1};
    m_id = next++;
}

Connection::Connection(Connection&& other) noexcept
    : m_database(std::move(other.m_database)), m_id(other.m_id) {}

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        if (m_database) m_database->rollback(m_id);
        m_database = std::move(other.m_database);
        m_id = other.m_id;
    }
    return *this;
}

Connection::~Connection() {
    if (m_database) m_database->rollback(m_id);
}

Result<Connection> Connection::open(const std::string& path) {
    JET_ASSIGN_OR_RETURN(auto database, Database::open(path));
    return Connection(std::move(database));
}

Status Connection::execute(std::string_view text) {
    JET_ASSIGN_OR_RETURN(auto statement, Statement::parse(text));
    if (statement.kind != Statement::Kind::Update)
        return Status::invalid("execute takes update statements; use select for queries");
    return m_database->update(statement, m_id);
}

Result<RowSet> Connection::select(std::string_view text) {
    JET_ASSIGN_OR_RETURN(auto statement, Statement::parse(text));
    if (statement.kind != Statement::Kind::SelectAll)
        return Status::invalid("select takes 'select * from T'; use scalar for sums");
    return m_database->selectAll(statement.table, m_id);
}

Status Connection::scan(std::string_view text, RowVisitor& visitor) {
    JET_ASSIGN_OR_RETURN(auto statement, Statement::parse(text));
    if (statement.kind != Statement::Kind::SelectAll) return Status::invalid("scan takes 'select * from T'");
    return m_database->eachRow(statement.table, visitor, m_id);
}

Result<std::string> Connection::scalar(std::string_view text) {
    JET_ASSIGN_OR_RETURN(auto statement, Statement::parse(text));
    if (statement.kind != Statement::Kind::SelectSum)
        return Status::invalid("scalar takes 'select sum(C) from T'");
    return m_database->sum(statement.table, statement.column, m_id);
}

Result<std::vector<std::string>> Connection::tables() {
    return m_database->userTables(m_id);
}

Status Connection::begin() {
    return m_database->begin(m_id);
}

Status Connection::commit() {
    return m_database->commit(m_id);
}

void Connection::rollback() {
    m_database->rollback(m_id);
}

std::vector<std::string> Connection::takeNotices() {
    return m_database->takeNotices();
}

} // namespace jet

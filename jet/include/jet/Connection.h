#pragma once

// A connection to one Access file. Connections of a process share the file's page cache, so a
// write through one is seen by the next select through any other.
#include "jet/RowSet.h"
#include "jet/Status.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

class Database;
class RowVisitor;

class Connection {
public:
    static Result<Connection> open(const std::string& path);
    Connection(Connection&& other) noexcept;
    Connection& operator=(Connection&& other) noexcept;
    // Rolls back a transaction left open.
    ~Connection();

    // "update T set C='v'" with an optional "where C2='v2'"; applies whole or not at all.
    Status execute(std::string_view statement);
    // "select * from T": the rows in the order of their original slots.
    Result<RowSet> select(std::string_view statement);
    // "select * from T" handed to `visitor` row by row as stored, none held: for tables of any size.
    Status scan(std::string_view statement, RowVisitor& visitor);
    // "select sum(C) from T" as decimal text; "0" for a table without rows.
    Result<std::string> scalar(std::string_view statement);
    // Names of the user tables, in catalog order.
    Result<std::vector<std::string>> tables();

    // Makes the updates up to commit one transaction: the selects between them see them, and the
    // file gets all of them (one journal, one sync of each file) or none. A failed update rolls
    // the whole transaction back; later statements of it are refused until commit or rollback.
    // Other processes wait for the file meanwhile.
    Status begin();
    Status commit();
    void rollback();

    // What the engine did unasked on this file (a journal set aside), each told once.
    std::vector<std::string> takeNotices();

private:
    explicit Connection(std::shared_ptr<Database> database);

    std::shared_ptr<Database> m_database;
    std::uint64_t m_id = 0; // the owner of this connection's transactions
};

} // namespace jet

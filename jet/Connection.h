#pragma once

// A connection to one Access file. Connections of a process share the file's page cache, so a
// write through one is seen by the next select through any other.
#include "RowSet.h"
#include "Status.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

class Database;

class Connection {
public:
    static Result<Connection> open(const std::string& path);

    // "update T set C='v'" with an optional "where C2='v2'"; applies whole or not at all.
    Status execute(std::string_view statement);
    // "select * from T": the rows in the order of their original slots.
    Result<RowSet> select(std::string_view statement);
    // "select sum(C) from T" as decimal text; "0" for a table without rows.
    Result<std::string> scalar(std::string_view statement);
    // Names of the user tables, in catalog order.
    Result<std::vector<std::string>> tables();

private:
    explicit Connection(std::shared_ptr<Database> database) : m_database(std::move(database)) {}

    std::shared_ptr<Database> m_database;
};

} // namespace jet

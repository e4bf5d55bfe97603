#include "EngineCommands.h"

#include "Connection.h"
#include "IntegrityCheck.h"

#include <iostream>
#include <string>

namespace qvtb {

namespace {

using jet::format::ColumnType;

int fail(const jet::Status& status) {
    std::cerr << "qvtb: " << status.message() << '\n';
    return kExitFailed;
}

int usage(std::string_view text) {
    std::cerr << "usage: qvtb " << text << '\n';
    return kExitUsage;
}

// mdb-export quotes texts, dates and binary values and leaves numbers bare.
bool quoted(ColumnType type) {
    switch (type) {
    case ColumnType::Text:
    case ColumnType::Memo:
    case ColumnType::DateTime:
    case ColumnType::Binary:
    case ColumnType::Ole:
    case ColumnType::Guid:
        return true;
    default:
        return false;
    }
}

void writeCell(std::ostream& out, const std::optional<std::string>& value, ColumnType type) {
    if (!value) return;
    if (!quoted(type)) {
        out << *value;
        return;
    }
    out << '"';
    for (char c : *value) {
        if (c == '"') out << '"';
        out << c;
    }
    out << '"';
}

} // namespace

int runTables(std::span<char* const> args) {
    if (args.size() != 1) return usage("tables FILE");
    auto connection = jet::Connection::open(args[0]);
    if (!connection.ok()) return fail(connection.status());
    auto tables = connection->tables();
    if (!tables.ok()) return fail(tables.status());
    for (const auto& name : tables.value())
        std::cout << name << '\n';
    return 0;
}

int runExport(std::span<char* const> args) {
    if (args.size() != 2) return usage("export FILE TABLE");
    auto connection = jet::Connection::open(args[0]);
    if (!connection.ok()) return fail(connection.status());
    auto rows = connection->select(std::string("select * from ") + args[1]);
    if (!rows.ok()) return fail(rows.status());
    std::string out;
    const auto& columns = rows->columns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        out += (i ? "," : "") + columns[i];
    std::cout << out << '\n';
    for (bool more = rows->moveFirst(); more; more = rows->moveNext()) {
        const auto& row = *rows->row();
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i) std::cout << ',';
            writeCell(std::cout, row[i], rows->types()[i]);
        }
        std::cout << '\n';
    }
    std::cout.flush();
    return std::cout ? 0 : fail(jet::Status::io("cannot write the export"));
}

int runExec(std::span<char* const> args) {
    if (args.size() != 2) return usage("exec FILE \"STATEMENT\"");
    auto connection = jet::Connection::open(args[0]);
    if (!connection.ok()) return fail(connection.status());
    const std::string_view statement = args[1];
    if (statement.find("sum(") != std::string_view::npos ||
        statement.find("SUM(") != std::string_view::npos) {
        auto sum = connection->scalar(statement);
        if (!sum.ok()) return fail(sum.status());
        std::cout << sum.value() << '\n';
        return 0;
    }
    const jet::Status status = connection->execute(statement);
    return status.ok() ? 0 : fail(status);
}

int runCheckStructure(std::span<char* const> args) {
    if (args.size() != 1) return usage("check --structure FILE");
    auto problems = jet::IntegrityCheck::run(args[0]);
    if (!problems.ok()) return fail(problems.status());
    for (const auto& problem : problems.value())
        std::cout << problem << '\n';
    if (!problems->empty()) {
        std::cerr << "qvtb: " << problems->size() << " inconsistencies found\n";
        return kExitFailed;
    }
    return 0;
}

} // namespace qvtb

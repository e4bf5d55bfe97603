#include "ReadMutatedFile.h"

#include "jet/Connection.h"
#include "jet/CsvExport.h"
#include "jet/IntegrityCheck.h"
#include "jet/Names.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace enginetest {

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Walks a table both ways, reads every column and streams it as CSV; returns the first Text-like column's
// name.
std::string walk(jet::Connection& connection, const std::string& table) {
    auto rows = connection.select("select * from " + jet::Names::bracketed(table));
    if (!rows.ok()) return {};
    std::string textColumn;
    for (std::size_t i = 0; i < rows->columns().size(); ++i)
        if (textColumn.empty() && rows->types()[i] == jet::format::ColumnType::Text)
            textColumn = rows->columns()[i];
    for (bool more = rows->moveFirst(); more; more = rows->moveNext())
        for (const auto& name : rows->columns())
            (void)rows->text(name);
    for (bool more = rows->moveLast(); more && !rows->columns().empty(); more = rows->movePrevious())
        (void)rows->text(rows->columns().front());
    (void)rows->find("ID=1"); // after the walk: finding moves the current row
    (void)jet::CsvExport::write(connection, "select * from " + jet::Names::bracketed(table),
                                [](std::string_view) { return jet::Status{}; });
    for (const auto& name : rows->columns())
        (void)connection.scalar("select sum(" + jet::Names::bracketed(name) + ") from " +
                                jet::Names::bracketed(table));
    return textColumn;
}

} // namespace

bool readMutatedFile(const std::uint8_t* data, std::size_t size, const std::string& scratchPath) {
    std::remove((scratchPath + "-journal").c_str());
    {
        std::ofstream out(scratchPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    auto connection = jet::Connection::open(scratchPath);
    if (!connection.ok()) return true;
    auto tables = connection->tables();
    if (!tables.ok()) return true;
    bool sound = true;
    for (const auto& table : tables.value()) {
        const std::string column = walk(connection.value(), table);
        if (column.empty()) continue;
        const std::string before = contents(scratchPath);
        const jet::Status status = connection->execute("update " + jet::Names::bracketed(table) + " set " +
                                                       jet::Names::bracketed(column) + "='答案 answer'");
        if (!status.ok() && contents(scratchPath) != before) sound = false;
        walk(connection.value(), table);
    }
    (void)jet::IntegrityCheck::run(scratchPath);
    return sound;
}

} // namespace enginetest

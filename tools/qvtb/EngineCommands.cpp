#include "EngineCommands.h"

#include "jet/Connection.h"
#include "jet/CsvExport.h"
#include "jet/IntegrityCheck.h"
#include "jet/Names.h"
#include "jet/Statement.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

namespace qvtb {

namespace {

int fail(const jet::Status& status) {
    std::cerr << "qvtb: " << status.message() << '\n';
    return kExitFailed;
}

int usage(std::string_view text) {
    std::cerr << "usage: qvtb " << text << '\n';
    return kExitUsage;
}

jet::Status writeToStdout(std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return jet::Status::io(std::string("cannot write the export: ") + std::strerror(errno));
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

// Tells, once, what opening did unasked (a journal that did not belong set aside).
void tellNotices(jet::Connection& connection) {
    for (const auto& notice : connection.takeNotices())
        std::cerr << "qvtb: " << notice << '\n';
}

} // namespace

int runTables(std::span<char* const> args) {
    if (args.size() != 1) return usage("tables FILE");
    auto connection = jet::Connection::open(args[0]);
    if (!connection.ok()) return fail(connection.status());
    tellNotices(connection.value());
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
    tellNotices(connection.value());
    const jet::Status allowed = jet::Names::check(args[1], "table name");
    if (!allowed.ok()) return fail(allowed);
    const jet::Status written = jet::CsvExport::write(
        connection.value(), "select * from " + jet::Names::bracketed(args[1]), writeToStdout);
    return written.ok() ? 0 : fail(written);
}

int runExec(std::span<char* const> args) {
    if (args.size() != 2) return usage("exec FILE \"STATEMENT\"");
    auto connection = jet::Connection::open(args[0]);
    if (!connection.ok()) return fail(connection.status());
    tellNotices(connection.value());
    const std::string_view statement = args[1];
    // Routed by what the statement is, not by what its literals happen to contain.
    auto parsed = jet::Statement::parse(statement);
    if (!parsed.ok()) return fail(parsed.status());
    if (parsed->kind == jet::Statement::Kind::SelectSum) {
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

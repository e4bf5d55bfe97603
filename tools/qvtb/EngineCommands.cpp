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

// The exit code of a command that came to `status`, its error told on stderr.
int exitCode(const jet::Status& status) {
    if (status.ok()) return 0;
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

// The file opened, what opening did unasked (a journal that did not belong set aside) told once.
jet::Result<jet::Connection> openTelling(const std::string& path) {
    JET_ASSIGN_OR_RETURN(auto connection, jet::Connection::open(path));
    for (const auto& notice : connection.takeNotices())
        std::cerr << "qvtb: " << notice << '\n';
    return connection;
}

jet::Status listTables(const std::string& path) {
    JET_ASSIGN_OR_RETURN(auto connection, openTelling(path));
    JET_ASSIGN_OR_RETURN(const auto tables, connection.tables());
    for (const auto& name : tables)
        std::cout << name << '\n';
    return {};
}

jet::Status exportTable(const std::string& path, const std::string& table) {
    JET_ASSIGN_OR_RETURN(auto connection, openTelling(path));
    JET_TRY(jet::Names::check(table, "table name"));
    return jet::CsvExport::write(connection, "select * from " + jet::Names::bracketed(table), writeToStdout);
}

jet::Status execute(const std::string& path, std::string_view statement) {
    JET_ASSIGN_OR_RETURN(auto connection, openTelling(path));
    // Routed by what the statement is, not by what its literals happen to contain.
    JET_ASSIGN_OR_RETURN(const auto parsed, jet::Statement::parse(statement));
    if (parsed.kind != jet::Statement::Kind::SelectSum) return connection.execute(statement);
    JET_ASSIGN_OR_RETURN(const auto sum, connection.scalar(statement));
    std::cout << sum << '\n';
    return {};
}

jet::Status checkStructure(const std::string& path) {
    JET_ASSIGN_OR_RETURN(const auto problems, jet::IntegrityCheck::run(path));
    for (const auto& problem : problems)
        std::cout << problem << '\n';
    if (problems.empty()) return {};
    return jet::Status::corrupt(std::to_string(problems.size()) + " inconsistencies found");
}

} // namespace

int runTables(std::span<char* const> args) {
    if (args.size() != 1) return usage("tables FILE");
    return exitCode(listTables(args[0]));
}

int runExport(std::span<char* const> args) {
    if (args.size() != 2) return usage("export FILE TABLE");
    return exitCode(exportTable(args[0], args[1]));
}

int runExec(std::span<char* const> args) {
    if (args.size() != 2) return usage("exec FILE \"STATEMENT\"");
    return exitCode(execute(args[0], args[1]));
}

int runCheckStructure(std::span<char* const> args) {
    if (args.size() != 1) return usage("check --structure FILE");
    return exitCode(checkStructure(args[0]));
}

} // namespace qvtb

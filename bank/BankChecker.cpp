#include "BankChecker.h"

#include "BankCompiler.h"
#include "BankRules.h"

#include "jet/Connection.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The table's rows, or why they cannot be read.
QString readTable(jet::Connection& connection, const QString& name, BankTable& table) {
    jet::Result<jet::RowSet> rows = connection.select((u"select * from "_s + name).toStdString());
    if (!rows.ok()) return u"%1: %2"_s.arg(name, text(rows.status().message()));
    QStringList columns;
    for (const std::string& column : rows->columns())
        columns.append(text(column));
    QStringList missing;
    for (const QString& column : requiredColumns(name))
        if (!columns.contains(column, Qt::CaseInsensitive)) missing.append(column);
    if (!missing.isEmpty()) return u"%1 lacks the column(s) %2"_s.arg(name, missing.join(u", "_s));
    table.name = name;
    for (bool at = rows->moveFirst(); at; at = rows->moveNext()) {
        QStringList cells;
        for (const std::optional<std::string>& cell : *rows->row())
            cells.append(cell ? text(*cell) : QString());
        table.rows.append(recordFromCells(columns, cells));
    }
    return {};
}

} // namespace

ReadBank readBankFile(const QString& path) {
    ReadBank bank;
    jet::Result<jet::Connection> connection = jet::Connection::open(QFile::encodeName(path).toStdString());
    if (!connection.ok()) {
        bank.problems.append(u"%1: %2"_s.arg(path, text(connection.status().message())));
        return bank;
    }
    jet::Result<std::vector<std::string>> names = connection->tables();
    if (!names.ok()) {
        bank.problems.append(u"%1: %2"_s.arg(path, text(names.status().message())));
        return bank;
    }
    QStringList present;
    for (const std::string& name : names.value())
        present.append(text(name));
    for (const QString& name : bankTableNames()) {
        if (!present.contains(name, Qt::CaseInsensitive)) {
            bank.problems.append(u"table %1 is missing"_s.arg(name));
            continue;
        }
        BankTable table;
        const QString problem = readTable(connection.value(), name, table);
        if (problem.isEmpty())
            bank.tables.append(table);
        else
            bank.problems.append(problem);
    }
    return bank;
}

QStringList checkBankFile(const QString& path) {
    const ReadBank bank = readBankFile(path);
    QStringList problems = bank.problems;
    for (const BankTable& table : bank.tables)
        problems.append(tableProblems(table.name, table.rows));
    return problems;
}

BankReview checkBank(const QString& path, const QString& sourceDirectory) {
    const ReadBank bank = readBankFile(path);
    BankReview review = reviewTables(bank.tables);
    QStringList problems = bank.problems;
    for (const BankTable& table : bank.tables)
        problems.append(tableProblems(table.name, table.rows));
    if (!sourceDirectory.isEmpty()) {
        const LoadedPools sources = loadPools(sourceDirectory);
        problems.append(sources.problems);
        if (sources.problems.isEmpty()) {
            const BankReview against = reviewAgainstSources(bank.tables, sources.pools);
            review.report.append(against.report);
            problems.append(against.problems);
            review.contentProblems.append(against.contentProblems);
        }
    }
    review.problems = problems + review.problems;
    return review;
}

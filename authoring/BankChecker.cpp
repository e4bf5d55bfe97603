#include "authoring/BankChecker.h"

#include "authoring/BankCompiler.h"
#include "authoring/BankRules.h"
#include "authoring/BankSource.h"

#include "jet/Connection.h"

#include <QFile>

using namespace Qt::StringLiterals;

using bank::BankTable;
using bank::bankTableNames;
using bank::chapterColumn;
using bank::QuestionRecord;
using bank::recordFromCells;

namespace authoring {

namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// Where the table has the chapter column, every row's tag must be one of the chapters.
QStringList chapterProblems(const QStringList& columns, const BankTable& table) {
    if (!columns.contains(chapterColumn(), Qt::CaseInsensitive)) return {};
    QStringList problems;
    for (const QuestionRecord& row : table.rows)
        if (!chapterTags().contains(row.ch))
            problems.append(u"%1 ID %2: CH %3 is not a chapter"_s.arg(table.name).arg(row.id).arg(row.ch));
    return problems;
}

// A table as read, with the names of its columns.
struct ReadTable {
    BankTable table;
    QStringList columns;
};

// The table's rows, or why they cannot be read.
common::Outcome<ReadTable> readTable(jet::Connection& connection, const QString& name) {
    jet::Result<jet::RowSet> rows = connection.select((u"select * from "_s + name).toStdString());
    if (!rows.ok()) return common::Failure{u"%1: %2"_s.arg(name, text(rows.status().message()))};
    ReadTable read{{name, {}}, {}};
    for (const std::string& column : rows->columns())
        read.columns.append(text(column));
    QStringList missing;
    for (const QString& column : bank::requiredColumns(name))
        if (!read.columns.contains(column, Qt::CaseInsensitive)) missing.append(column);
    if (!missing.isEmpty())
        return common::Failure{u"%1 lacks the column(s) %2"_s.arg(name, missing.join(u", "_s))};
    for (bool at = rows->moveFirst(); at; at = rows->moveNext()) {
        QStringList cells;
        for (const std::optional<std::string>& cell : *rows->row())
            cells.append(cell ? text(*cell) : QString());
        read.table.rows.append(recordFromCells(read.columns, cells));
    }
    return read;
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
        const common::Outcome<ReadTable> read = readTable(connection.value(), name);
        if (!read) {
            bank.problems.append(read.reason());
            continue;
        }
        bank.problems.append(chapterProblems(read->columns, read->table));
        bank.tables.append(read->table);
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
        }
    }
    review.problems = problems + review.problems;
    return review;
}

} // namespace authoring

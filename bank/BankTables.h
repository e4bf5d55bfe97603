#pragma once

#include "bank/QuestionRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace bank {

// The columns of the bank's tables, in the order a table lists them, with their storage types.
struct BankColumn {
    enum class Kind { Long, Text, Memo };
    QString name;
    Kind kind = Kind::Text;
    std::uint16_t size = 0; // characters, for Text
};

// The columns a table of the bank must have: a paper every column, a practice table its kind's.
QStringList requiredColumns(const QString& table);

// The columns a built `table` has: every column for a paper, its kind's columns for a practice table,
// then the chapter column. Banks built before it lack the chapter column, and readers do without it.
QList<BankColumn> tableColumns(const QString& table);
QString chapterColumn(); // CH
// The eight chapter tags a question may carry, in syllabus order.
const QStringList& chapterTags();

// A table's rows as the bank stores them.
struct BankTable {
    QString name;
    QList<QuestionRecord> rows;
};

// The cell texts of a record for the columns given, and the way back from a row read as text.
QStringList recordCells(const QList<BankColumn>& columns, const QuestionRecord& record);
QuestionRecord recordFromCells(const QStringList& columnNames, const QStringList& cells);

// The 24 tables every bank has: the four practice tables, then tm1 … tm20.
QStringList bankTableNames();

} // namespace bank

#pragma once

#include "bank/QuestionRecord.h"
#include "common/Outcome.h"

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace jet {
class Connection;
class RowSet;
} // namespace jet

namespace bank {

// Statements sent to the bank, off by default: QT_LOGGING_RULES="qvtb.sql=true" shows each exact text.
Q_DECLARE_LOGGING_CATEGORY(lcBankSql)

// One window's connection to the question bank and its row set. Reads find a question by its number,
// writes address it by its text. Every operation that fails says why and leaves the stored data as
// it was.
class QuestionBank final {
public:
    QuestionBank();
    ~QuestionBank();
    QuestionBank(const QuestionBank&) = delete;
    QuestionBank& operator=(const QuestionBank&) = delete;

    // qvtb.mdb in the directory of the running executable, whatever the working directory.
    static QString defaultPath();

    // Also logs what the engine did unasked on opening (a journal set aside); notices() keeps it.
    common::Outcome<> openBank(const QString& path);
    QStringList notices() const { return m_notices; }
    bool isOpen() const;
    common::Outcome<> selectTable(const QString& table);
    // Each move says whether a row is current afterwards: false past either end of the table,
    // a failure when no table is selected. Moving back from past an end returns to that end's row.
    common::Outcome<bool> moveFirst();
    common::Outcome<bool> moveNext();
    common::Outcome<bool> movePrevious();
    // Calls `visit` at every row of the selected table from the first, each then the current row;
    // stops at the first failure, of `visit` or of the walk, and gives it back.
    common::Outcome<> forEachRow(const std::function<common::Outcome<>()>& visit);
    common::Outcome<> findQuestion(int id);
    // Text of a column of the current row; fails with no current row or no such column.
    common::Outcome<QString> readField(const QString& column);
    // The current row as a question record, its columns mapped by the bank's column table
    // (BankTables.h); columns the table lacks stay empty. Fails with no current row.
    common::Outcome<QuestionRecord> currentRecord();

    common::Outcome<> recordAnswer(const QString& table, const QString& questionText, const QString& value);
    common::Outcome<> recordScore(const QString& table, const QString& questionText, int score);
    common::Outcome<> recordCalcAnswer(const QString& table, const QString& questionText, int field,
                                       const QString& answer);
    // Resets fen to 0 and empties every answer column of every row of the table, as one change.
    common::Outcome<> clearAnswers(const QString& table);
    // Runs `steps` (calls of this bank) as one change of the file: the selects among them see
    // their writes, and the file gets all of the writes or, when a step fails, none. The row set
    // is dropped after a failure, since it may show what was rolled back.
    common::Outcome<> asOne(const std::function<common::Outcome<>()>& steps);
    common::Outcome<int> sumScores(const QString& table);
    void closeBank();

private:
    // The statement `statementOf` makes for a table of the bank, logged as it is about to be sent.
    common::Outcome<QString> tableStatement(const QString& table, QString (*statementOf)(const QString&));
    common::Outcome<> execute(const QString& statement);
    // Logs the reason and gives it back as the failure to return.
    common::Failure fail(const QString& message);

    std::unique_ptr<jet::Connection> m_connection;
    std::unique_ptr<jet::RowSet> m_rows;
    QStringList m_notices;
};

} // namespace bank

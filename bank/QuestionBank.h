#pragma once

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <functional>

#include <memory>
#include <optional>

namespace jet {
class Connection;
class RowSet;
} // namespace jet

namespace bank {

// Statements sent to the bank, off by default: QT_LOGGING_RULES="qvtb.sql=true" shows each exact text.
Q_DECLARE_LOGGING_CATEGORY(lcBankSql)

// One window's connection to the question bank and its row set. Reads find a question by its number,
// writes address it by its text. Every operation reports failure to its caller and leaves the stored
// data as it was; lastError() says why, for logs and tools.
class QuestionBank final {
public:
    QuestionBank();
    ~QuestionBank();
    QuestionBank(const QuestionBank&) = delete;
    QuestionBank& operator=(const QuestionBank&) = delete;

    // qvtb.mdb in the directory of the running executable, whatever the working directory.
    static QString defaultPath();

    // Also logs what the engine did unasked on opening (a journal set aside); notices() keeps it.
    bool openBank(const QString& path);
    QStringList notices() const { return m_notices; }
    bool isOpen() const;
    bool selectTable(const QString& table);
    bool moveFirst();
    bool moveNext();
    bool movePrevious();
    bool moveLast();
    bool findQuestion(int id);
    // Text of a column of the current row; with no current row or no such column: empty and *ok false.
    QString readField(const QString& column, bool* ok = nullptr);

    bool recordAnswer(const QString& table, const QString& questionText, const QString& value);
    bool recordScore(const QString& table, const QString& questionText, int score);
    bool recordCalcAnswer(const QString& table, const QString& questionText, int field,
                          const QString& answer);
    // Resets fen to 0 and empties every answer column of every row of the table, as one change.
    bool clearAnswers(const QString& table);
    // Runs `steps` (calls of this bank) as one change of the file: the selects among them see
    // their writes, and the file gets all of the writes or, when a step fails, none. The row set
    // is dropped after a failure, since it may show what was rolled back.
    bool asOne(const std::function<bool()>& steps);
    std::optional<int> sumScores(const QString& table);
    void closeBank();

    QString lastError() const { return m_lastError; }

private:
    bool execute(const QString& statement);
    bool fail(const QString& message);

    std::unique_ptr<jet::Connection> m_connection;
    std::unique_ptr<jet::RowSet> m_rows;
    QString m_lastError;
    QStringList m_notices;
};

} // namespace bank

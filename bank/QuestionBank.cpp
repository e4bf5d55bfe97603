#include "bank/QuestionBank.h"

#include "bank/BankStatements.h"
#include "bank/BankTables.h"
#include "bank/QuestionType.h"
#include "common/BankInUse.h"

#include "jet/Connection.h"

#include <QCoreApplication>
#include <QFile>

using namespace Qt::StringLiterals;
using common::Failure;
using common::Outcome;

namespace bank {

Q_LOGGING_CATEGORY(lcBankSql, "qvtb.sql", QtInfoMsg)

namespace {

const QString kNoTable = u"no table is selected"_s;

std::string utf8(const QString& text) {
    return text.toStdString();
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// The engine's reason, except that a lock another process keeps is told as the candidate
// understands it (the engine's words go to the log).
QString reasonOf(const jet::Status& status) {
    if (status.code() == jet::Code::Busy) {
        qCWarning(lcBankSql).noquote() << fromUtf8(status.message());
        return common::kBankInUse;
    }
    return fromUtf8(status.message());
}

} // namespace

QuestionBank::QuestionBank() = default;
QuestionBank::~QuestionBank() = default;

QString QuestionBank::defaultPath() {
    return QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s;
}

Outcome<> QuestionBank::openBank(const QString& path) {
    closeBank();
    jet::Result<jet::Connection> connection = jet::Connection::open(QFile::encodeName(path).toStdString());
    if (!connection.ok())
        return fail(connection.status().code() == jet::Code::Busy
                        ? reasonOf(connection.status())
                        : u"cannot open %1: %2"_s.arg(path, fromUtf8(connection.status().message())));
    m_connection = std::make_unique<jet::Connection>(std::move(connection).value());
    m_notices.clear();
    for (const std::string& notice : m_connection->takeNotices()) {
        m_notices.append(fromUtf8(notice));
        qCWarning(lcBankSql).noquote() << path << ":" << m_notices.last();
    }
    return {};
}

bool QuestionBank::isOpen() const {
    return m_connection != nullptr;
}

Outcome<> QuestionBank::selectTable(const QString& table) {
    // The old row set goes first: a failed select leaves no current row rather than a stale one.
    m_rows.reset();
    const Outcome<QString> statement = tableStatement(table, selectStatement);
    if (!statement) return Failure{statement.reason()};
    jet::Result<jet::RowSet> rows = m_connection->select(utf8(*statement));
    if (!rows.ok()) return fail(reasonOf(rows.status()));
    m_rows = std::make_unique<jet::RowSet>(std::move(rows).value());
    m_rows->moveFirst();
    return {};
}

Outcome<bool> QuestionBank::moveFirst() {
    if (!m_rows) return fail(kNoTable);
    return m_rows->moveFirst();
}

Outcome<bool> QuestionBank::moveNext() {
    if (!m_rows) return fail(kNoTable);
    return m_rows->moveNext();
}

Outcome<bool> QuestionBank::movePrevious() {
    if (!m_rows) return fail(kNoTable);
    return m_rows->movePrevious();
}

Outcome<> QuestionBank::forEachRow(const std::function<Outcome<>()>& visit) {
    for (Outcome<bool> atRow = moveFirst();; atRow = moveNext()) {
        if (!atRow) return Failure{atRow.reason()};
        if (!*atRow) return {};
        OUTCOME_TRY(visit());
    }
}

Outcome<> QuestionBank::findQuestion(int id) {
    if (!m_rows) return fail(kNoTable);
    const jet::Status status = m_rows->find(utf8(findCriterion(id)));
    if (!status.ok()) return fail(fromUtf8(status.message()));
    if (!m_rows->atRow()) return fail(u"no question has %1"_s.arg(findCriterion(id)));
    return {};
}

Outcome<QString> QuestionBank::readField(const QString& column) {
    if (!m_rows || !m_rows->atRow()) return fail(u"no current row to read %1 from"_s.arg(column));
    jet::Result<std::string> text = m_rows->text(utf8(column));
    if (!text.ok()) return fail(fromUtf8(text.status().message()));
    return fromUtf8(text.value());
}

Outcome<QuestionRecord> QuestionBank::currentRecord() {
    if (!m_rows || !m_rows->atRow()) return fail(u"no current row to read a question from"_s);
    QStringList columns;
    for (const std::string& column : m_rows->columns())
        columns.append(fromUtf8(column));
    QStringList cells;
    for (const std::optional<std::string>& cell : *m_rows->row())
        cells.append(fromUtf8(cell.value_or(std::string{})));
    return recordFromCells(columns, cells);
}

Outcome<> QuestionBank::recordAnswer(const QString& table, const QString& questionText,
                                     const QString& value) {
    const Outcome<QString> statement = answerStatement(table, questionText, value);
    return statement ? execute(*statement) : fail(statement.reason());
}

Outcome<> QuestionBank::recordScore(const QString& table, const QString& questionText, int score) {
    const Outcome<QString> statement = scoreStatement(table, questionText, score);
    return statement ? execute(*statement) : fail(statement.reason());
}

Outcome<> QuestionBank::recordCalcAnswer(const QString& table, const QString& questionText, int field,
                                         const QString& answer) {
    const Outcome<QString> statement = calcAnswerStatement(table, questionText, field, answer);
    return statement ? execute(*statement) : fail(statement.reason());
}

Outcome<> QuestionBank::clearAnswers(const QString& table) {
    const QStringList statements = clearStatements(table);
    if (statements.isEmpty()) return fail(u"%1 is not a table of the bank"_s.arg(table));
    return asOne([&]() -> Outcome<> {
        for (const QString& statement : statements)
            OUTCOME_TRY(execute(statement));
        return {};
    });
}

Outcome<> QuestionBank::asOne(const std::function<Outcome<>()>& steps) {
    if (!m_connection) return fail(u"the bank is not open"_s);
    const jet::Status begun = m_connection->begin();
    if (!begun.ok()) return fail(reasonOf(begun));
    if (Outcome<> done = steps(); !done) {
        m_connection->rollback();
        m_rows.reset();
        return done;
    }
    const jet::Status committed = m_connection->commit();
    if (committed.ok()) return {};
    m_rows.reset();
    return fail(reasonOf(committed));
}

Outcome<int> QuestionBank::sumScores(const QString& table) {
    const Outcome<QString> statement = tableStatement(table, sumScoresStatement);
    if (!statement) return Failure{statement.reason()};
    jet::Result<std::string> sum = m_connection->scalar(utf8(*statement));
    if (!sum.ok()) return fail(reasonOf(sum.status()));
    bool ok = false;
    const int total = fromUtf8(sum.value()).toInt(&ok);
    if (!ok) return fail(u"the sum of fen is not a whole number: %1"_s.arg(fromUtf8(sum.value())));
    return total;
}

void QuestionBank::closeBank() {
    m_rows.reset();
    m_connection.reset();
}

Outcome<QString> QuestionBank::tableStatement(const QString& table, QString (*statementOf)(const QString&)) {
    if (!m_connection) return fail(u"the bank is not open"_s);
    if (!isBankTable(table)) return fail(u"%1 is not a table of the bank"_s.arg(table));
    const QString statement = statementOf(table);
    qCDebug(lcBankSql).noquote() << statement;
    return statement;
}

Outcome<> QuestionBank::execute(const QString& statement) {
    if (!m_connection) return fail(u"the bank is not open"_s);
    qCDebug(lcBankSql).noquote() << statement;
    const jet::Status status = m_connection->execute(utf8(statement));
    if (!status.ok()) return fail(reasonOf(status));
    return {};
}

Failure QuestionBank::fail(const QString& message) {
    qCDebug(lcBankSql).noquote() << "failed:" << message;
    return Failure{message};
}

} // namespace bank

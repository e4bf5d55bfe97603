#include "QuestionBank.h"

#include "BankStatements.h"
#include "QuestionType.h"

#include "jet/Connection.h"

#include <QCoreApplication>
#include <QFile>

using namespace Qt::StringLiterals;

namespace bank {

Q_LOGGING_CATEGORY(lcBankSql, "qvtb.sql", QtInfoMsg)

namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

QuestionBank::QuestionBank() = default;
QuestionBank::~QuestionBank() = default;

QString QuestionBank::defaultPath() {
    return QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s;
}

bool QuestionBank::openBank(const QString& path) {
    closeBank();
    jet::Result<jet::Connection> connection = jet::Connection::open(QFile::encodeName(path).toStdString());
    if (!connection.ok())
        return fail(u"cannot open %1: %2"_s.arg(path, fromUtf8(connection.status().message())));
    m_connection = std::make_unique<jet::Connection>(std::move(connection).value());
    m_lastError.clear();
    m_notices.clear();
    for (const std::string& notice : m_connection->takeNotices()) {
        m_notices.append(fromUtf8(notice));
        qCWarning(lcBankSql).noquote() << path << ":" << m_notices.last();
    }
    return true;
}

bool QuestionBank::isOpen() const {
    return m_connection != nullptr;
}

bool QuestionBank::selectTable(const QString& table) {
    // The old row set goes first: a failed select leaves no current row rather than a stale one.
    m_rows.reset();
    if (!m_connection) return fail(u"the bank is not open"_s);
    if (!isBankTable(table)) return fail(u"%1 is not a table of the bank"_s.arg(table));
    const QString statement = selectStatement(table);
    qCDebug(lcBankSql).noquote() << statement;
    jet::Result<jet::RowSet> rows = m_connection->select(utf8(statement));
    if (!rows.ok()) return fail(fromUtf8(rows.status().message()));
    m_rows = std::make_unique<jet::RowSet>(std::move(rows).value());
    m_rows->moveFirst();
    return true;
}

bool QuestionBank::moveFirst() {
    return m_rows && m_rows->moveFirst();
}
bool QuestionBank::moveNext() {
    return m_rows && m_rows->moveNext();
}
bool QuestionBank::movePrevious() {
    return m_rows && m_rows->movePrevious();
}
bool QuestionBank::moveLast() {
    return m_rows && m_rows->moveLast();
}

bool QuestionBank::findQuestion(int id) {
    if (!m_rows) return fail(u"no table is selected"_s);
    const jet::Status status = m_rows->find(utf8(findCriterion(id)));
    if (!status.ok()) return fail(fromUtf8(status.message()));
    return m_rows->atRow() || fail(u"no question has %1"_s.arg(findCriterion(id)));
}

QString QuestionBank::readField(const QString& column, bool* ok) {
    if (ok) *ok = false;
    if (!m_rows || !m_rows->atRow()) {
        fail(u"no current row to read %1 from"_s.arg(column));
        return {};
    }
    jet::Result<std::string> text = m_rows->text(utf8(column));
    if (!text.ok()) {
        fail(fromUtf8(text.status().message()));
        return {};
    }
    if (ok) *ok = true;
    return fromUtf8(text.value());
}

bool QuestionBank::recordAnswer(const QString& table, const QString& questionText, const QString& value) {
    const std::optional<QString> statement = answerStatement(table, questionText, value);
    return statement ? execute(*statement) : fail(u"no answer statement for %1 in %2"_s.arg(value, table));
}

bool QuestionBank::recordScore(const QString& table, const QString& questionText, int score) {
    const std::optional<QString> statement = scoreStatement(table, questionText, score);
    return statement ? execute(*statement) : fail(u"no score statement for %1 in %2"_s.arg(score).arg(table));
}

bool QuestionBank::recordCalcAnswer(const QString& table, const QString& questionText, int field,
                                    const QString& answer) {
    const std::optional<QString> statement = calcAnswerStatement(table, questionText, field, answer);
    return statement ? execute(*statement) : fail(u"no answer field %1 in %2"_s.arg(field).arg(table));
}

bool QuestionBank::clearAnswers(const QString& table) {
    const QStringList statements = clearStatements(table);
    if (statements.isEmpty()) return fail(u"%1 is not a table of the bank"_s.arg(table));
    return asOne([&] {
        for (const QString& statement : statements)
            if (!execute(statement)) return false;
        return true;
    });
}

bool QuestionBank::asOne(const std::function<bool()>& steps) {
    if (!m_connection) return fail(u"the bank is not open"_s);
    const jet::Status begun = m_connection->begin();
    if (!begun.ok()) return fail(fromUtf8(begun.message()));
    if (!steps()) {
        m_connection->rollback();
        m_rows.reset();
        return false;
    }
    const jet::Status committed = m_connection->commit();
    if (committed.ok()) return true;
    m_rows.reset();
    return fail(fromUtf8(committed.message()));
}

std::optional<int> QuestionBank::sumScores(const QString& table) {
    if (!m_connection) {
        fail(u"the bank is not open"_s);
        return std::nullopt;
    }
    if (!isBankTable(table)) {
        fail(u"%1 is not a table of the bank"_s.arg(table));
        return std::nullopt;
    }
    const QString statement = sumScoresStatement(table);
    qCDebug(lcBankSql).noquote() << statement;
    jet::Result<std::string> sum = m_connection->scalar(utf8(statement));
    if (!sum.ok()) {
        fail(fromUtf8(sum.status().message()));
        return std::nullopt;
    }
    bool ok = false;
    const int total = fromUtf8(sum.value()).toInt(&ok);
    if (!ok) {
        fail(u"the sum of fen is not a whole number: %1"_s.arg(fromUtf8(sum.value())));
        return std::nullopt;
    }
    return total;
}

void QuestionBank::closeBank() {
    m_rows.reset();
    m_connection.reset();
}

bool QuestionBank::execute(const QString& statement) {
    if (!m_connection) return fail(u"the bank is not open"_s);
    qCDebug(lcBankSql).noquote() << statement;
    const jet::Status status = m_connection->execute(utf8(statement));
    return status.ok() || fail(fromUtf8(status.message()));
}

bool QuestionBank::fail(const QString& message) {
    m_lastError = message;
    qCDebug(lcBankSql).noquote() << "failed:" << message;
    return false;
}

} // namespace bank

#include "study/MemoryStates.h"

#include "study/MemoryModel.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace study {
namespace {

common::Failure failureOf(const QSqlQuery& query) {
    return common::Failure{query.lastError().text()};
}

struct QuestionHistory {
    QString table;
    QString hash;
    int type = 0;
    std::vector<memory::GradedDay> attempts;
};

memory::GradedDay gradedDay(const QSqlQuery& query, int gradeColumn, int dayColumn) {
    const QDate day = QDate::fromString(query.value(dayColumn).toString(), Qt::ISODate);
    return {dayNumber(day), memory::Grade(std::clamp(query.value(gradeColumn).toInt(), 1, 4))};
}

// Writes the state a question's history leaves, or removes it when the history is empty.
class MemoryWriter {
public:
    explicit MemoryWriter(QSqlDatabase& db) : m_upsert(db), m_remove(db) {
        m_upsert.prepare(u"INSERT OR REPLACE INTO memory (tbl, qhash, qtype, stability, difficulty, last_day,"
                         " due_day, last_grade) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s);
        m_remove.prepare(u"DELETE FROM memory WHERE tbl = ? AND qhash = ?"_s);
    }

    common::Outcome<> store(const QuestionHistory& question) {
        const std::optional<memory::Card> card = memory::replay(question.attempts);
        QSqlQuery& query = card ? m_upsert : m_remove;
        query.addBindValue(question.table);
        query.addBindValue(question.hash);
        if (card)
            for (const QVariant& value :
                 {QVariant(question.type), QVariant(card->state.stability), QVariant(card->state.difficulty),
                  QVariant(card->lastDay), QVariant(card->dueDay),
                  QVariant(static_cast<int>(question.attempts.back().grade))})
                query.addBindValue(value);
        if (!query.exec()) return failureOf(query);
        return {};
    }

private:
    QSqlQuery m_upsert;
    QSqlQuery m_remove;
};

} // namespace

common::Outcome<> refreshMemory(QSqlDatabase& db, const QString& table, const QString& questionHash) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(u"SELECT qtype, grade, day FROM answers WHERE tbl = ? AND qhash = ? ORDER BY at, id"_s);
    query.addBindValue(table);
    query.addBindValue(questionHash);
    if (!query.exec()) return failureOf(query);
    QuestionHistory question{table, questionHash, 0, {}};
    while (query.next()) {
        question.type = query.value(0).toInt();
        question.attempts.push_back(gradedDay(query, 1, 2));
    }
    return MemoryWriter(db).store(question);
}

common::Outcome<> rebuildMemory(QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(u"DELETE FROM memory"_s)) return failureOf(query);
    query.setForwardOnly(true);
    if (!query.exec(
            u"SELECT tbl, qhash, qtype, grade, day FROM answers NOT INDEXED ORDER BY tbl, qhash, at, id"_s))
        return failureOf(query);
    MemoryWriter writer(db);
    QuestionHistory question;
    while (query.next()) {
        const QString table = query.value(0).toString();
        const QString hash = query.value(1).toString();
        if (table != question.table || hash != question.hash) {
            if (!question.attempts.empty()) OUTCOME_TRY(writer.store(question));
            question = {table, hash, 0, {}};
        }
        question.type = query.value(2).toInt();
        question.attempts.push_back(gradedDay(query, 3, 4));
    }
    if (!question.attempts.empty()) OUTCOME_TRY(writer.store(question));
    return {};
}

} // namespace study

#include "study/QuestionMarks.h"

#include "study/QuestionKey.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace study {
namespace {

// Writes one column of the question's mark, making the row when it is the first mark; a row with
// neither star nor note left goes, so the lists hold only what the candidate keeps.
common::Outcome<> writeMark(QSqlDatabase db, const QString& table, const QString& questionText,
                            const QString& column, const QVariant& value) {
    QSqlQuery query(db);
    query.prepare(u"INSERT INTO marks (tbl, qhash, question, %1, at) VALUES (?, ?, ?, ?, ?)"
                  " ON CONFLICT (tbl, qhash) DO UPDATE SET %1 = excluded.%1, question = excluded.question,"
                  " at = excluded.at"_s.arg(column));
    query.addBindValue(table);
    query.addBindValue(questionHash(questionText));
    query.addBindValue(questionText);
    query.addBindValue(value);
    query.addBindValue(QDateTime::currentMSecsSinceEpoch());
    if (!query.exec()) return common::Failure{query.lastError().text()};
    if (!query.exec(u"DELETE FROM marks WHERE starred = 0 AND note = ''"_s))
        return common::Failure{query.lastError().text()};
    return {};
}

} // namespace

QuestionMark questionMark(QSqlDatabase db, const QString& table, const QString& questionText) {
    QSqlQuery query(db);
    query.prepare(u"SELECT starred, note FROM marks WHERE tbl = ? AND qhash = ?"_s);
    query.addBindValue(table);
    query.addBindValue(questionHash(questionText));
    if (!query.exec() || !query.next()) return {};
    return {query.value(0).toBool(), query.value(1).toString()};
}

common::Outcome<> setStarred(QSqlDatabase db, const QString& table, const QString& questionText,
                             bool starred) {
    return writeMark(db, table, questionText, u"starred"_s, starred ? 1 : 0);
}

common::Outcome<> setNote(QSqlDatabase db, const QString& table, const QString& questionText,
                          const QString& note) {
    return writeMark(db, table, questionText, u"note"_s, note.trimmed());
}

QList<MarkedQuestion> markedQuestions(QSqlDatabase db) {
    QList<MarkedQuestion> marked;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(u"SELECT tbl, question, starred, note FROM marks ORDER BY tbl, at DESC"_s)) return marked;
    while (query.next())
        marked.append({query.value(0).toString(),
                       query.value(1).toString(),
                       {query.value(2).toBool(), query.value(3).toString()}});
    return marked;
}

} // namespace study

#include "study/StudyFigures.h"

#include "study/QuestionKey.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace study {
namespace {

// A forward-only query that has run `statement` on `db`.
QSqlQuery select(const QSqlDatabase& db, const QString& statement) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.exec(statement);
    return query;
}

} // namespace

std::array<TypeFigures, 4> typeFigures(const QSqlDatabase& db) {
    std::array<TypeFigures, 4> figures{};
    QSqlQuery query = select(db, u"SELECT qtype, COUNT(*), SUM(correct) FROM (SELECT qtype, correct,"
                                 " ROW_NUMBER() OVER (PARTITION BY tbl, qhash ORDER BY at DESC, id DESC) AS n"
                                 " FROM answers) WHERE n = 1 GROUP BY qtype"_s);
    while (query.next()) {
        const int type = query.value(0).toInt();
        if (type < 0 || type >= 4) continue;
        figures[type].questionsAnswered = query.value(1).toInt();
        figures[type].rightLastTime = query.value(2).toInt();
    }
    query.exec(u"SELECT w.qtype, COUNT(*) FROM (SELECT tbl, qhash, qtype, MAX(at) AS last FROM answers"
               " WHERE correct = 0 GROUP BY tbl, qhash) AS w"
               " WHERE (SELECT COUNT(DISTINCT a.day) FROM answers AS a WHERE a.tbl = w.tbl"
               " AND a.qhash = w.qhash AND a.correct = 1 AND a.at > w.last) < 2 GROUP BY w.qtype"_s);
    while (query.next()) {
        const int type = query.value(0).toInt();
        if (type >= 0 && type < 4) figures[type].inWrongBook = query.value(1).toInt();
    }
    return figures;
}

QList<ChapterFigures> chapterFigures(const QSqlDatabase& db) {
    QList<ChapterFigures> figures;
    QSqlQuery query = select(
        db, u"SELECT chapter, COUNT(*), SUM(correct) FROM answers GROUP BY chapter ORDER BY chapter"_s);
    while (query.next()) {
        const QString chapter = chapterOrUnfiled(query.value(0).toString());
        if (!figures.isEmpty() && figures.back().chapter == chapter) {
            figures.back().answers += query.value(1).toInt();
            figures.back().rightAnswers += query.value(2).toInt();
        } else {
            figures.append({chapter, query.value(1).toInt(), query.value(2).toInt()});
        }
    }
    std::stable_sort(figures.begin(), figures.end(), [](const ChapterFigures& a, const ChapterFigures& b) {
        return chapterBefore(a.chapter, b.chapter);
    });
    return figures;
}

QList<ExamHistoryEntry> examHistory(const QSqlDatabase& db) {
    QList<ExamHistoryEntry> history;
    QSqlQuery query = select(db, u"SELECT paper, started, used_seconds, total, single_score, multiple_score,"
                                 " truefalse_score, calc_score FROM exams ORDER BY started, id"_s);
    while (query.next())
        history.append({query.value(0).toInt(),
                        QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong()),
                        query.value(2).toInt(),
                        query.value(3).toInt(),
                        {query.value(4).toInt(), query.value(5).toInt(), query.value(6).toInt(),
                         query.value(7).toInt()}});
    return history;
}

QStringList wrongBook(const QSqlDatabase& db, const QString& table) {
    QStringList hashes;
    // In the book: answered wrong, and since the last wrong answer right on fewer than two days.
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(u"SELECT w.qhash FROM (SELECT qhash, MAX(at) AS last FROM answers"
                  " WHERE tbl = :tbl AND correct = 0 GROUP BY qhash) AS w"
                  " WHERE (SELECT COUNT(DISTINCT a.day) FROM answers AS a WHERE a.tbl = :tbl"
                  " AND a.qhash = w.qhash AND a.correct = 1 AND a.at > w.last) < 2"
                  " ORDER BY w.last, w.qhash"_s);
    query.bindValue(u":tbl"_s, table);
    query.exec();
    while (query.next())
        hashes.append(query.value(0).toString());
    return hashes;
}

} // namespace study

#include "study/StudyFigures.h"

#include "study/MemoryStates.h"
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

// In the book: due for review by the day, or got wrong the last time (due the next day, but a
// mistake belongs in the book at once).
const QString kInBookBy = u"(due_day <= %1 OR last_grade = 1)"_s;

// From the memory states alone, one row per question answered: the answers themselves may be
// tens of thousands.
std::array<TypeFigures, 4> typeFigures(const QSqlDatabase& db, const QDate& today) {
    std::array<TypeFigures, 4> figures{};
    const int day = dayNumber(today);
    QSqlQuery query = select(db, u"SELECT qtype, COUNT(*), SUM(last_grade > 1), SUM(%1), SUM(%2) FROM memory"
                                 " GROUP BY qtype"_s.arg(kInBookBy.arg(day), kInBookBy.arg(day + 6)));
    while (query.next()) {
        const int type = query.value(0).toInt();
        if (type < 0 || type >= 4) continue;
        figures[type] = {query.value(1).toInt(), query.value(2).toInt(), query.value(3).toInt(),
                         query.value(4).toInt()};
    }
    return figures;
}

DailyProgress dailyProgress(const QSqlDatabase& db, const QDate& today) {
    DailyProgress progress;
    QSqlQuery query = select(db, u"SELECT value FROM settings WHERE key = 'daily_target'"_s);
    if (query.next()) progress.target = std::max(1, query.value(0).toInt());
    query.exec(u"SELECT day FROM answers GROUP BY day HAVING COUNT(*) >= %1 ORDER BY day DESC"_s.arg(
        progress.target));
    QDate expected = today;
    while (query.next()) {
        const QDate day = QDate::fromString(query.value(0).toString(), Qt::ISODate);
        if (day > today) continue;
        if (day != expected && !(progress.daysMetInARow == 0 && day == today.addDays(-1))) break;
        ++progress.daysMetInARow;
        expected = day.addDays(-1);
    }
    query.exec(u"SELECT COUNT(*) FROM answers WHERE day = '%1'"_s.arg(today.toString(Qt::ISODate)));
    if (query.next()) progress.answeredToday = query.value(0).toInt();
    return progress;
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
    QSqlQuery query =
        select(db, u"SELECT id, paper, started, used_seconds, total, single_score, multiple_score,"
                   " truefalse_score, calc_score FROM exams ORDER BY started, id"_s);
    while (query.next())
        history.append({query.value(0).toLongLong(),
                        query.value(1).toInt(),
                        QDateTime::fromMSecsSinceEpoch(query.value(2).toLongLong()),
                        query.value(3).toInt(),
                        query.value(4).toInt(),
                        {query.value(5).toInt(), query.value(6).toInt(), query.value(7).toInt(),
                         query.value(8).toInt()}});
    return history;
}

QStringList wrongBook(const QSqlDatabase& db, const QString& table, const QDate& today) {
    QStringList hashes;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(u"SELECT qhash FROM memory WHERE tbl = :tbl AND %1 ORDER BY due_day, qhash"_s.arg(
        kInBookBy.arg(dayNumber(today))));
    query.bindValue(u":tbl"_s, table);
    query.exec();
    while (query.next())
        hashes.append(query.value(0).toString());
    return hashes;
}

QList<BookEntry> wrongBookEntries(const QSqlDatabase& db, const QDate& today) {
    QList<BookEntry> entries;
    QSqlQuery query = select(db, u"SELECT tbl, qhash, qtype, due_day FROM memory WHERE %1"
                                 " ORDER BY due_day, tbl, qhash"_s.arg(kInBookBy.arg(dayNumber(today))));
    while (query.next())
        entries.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toInt(),
                        dateOfDay(query.value(3).toInt())});
    return entries;
}

QList<MemoryEntry> memoryEntries(const QSqlDatabase& db) {
    QList<MemoryEntry> entries;
    QSqlQuery query = select(db, u"SELECT qtype, qhash, due_day, last_grade, stability, difficulty, last_day"
                                 " FROM memory ORDER BY due_day, qtype, qhash"_s);
    while (query.next())
        entries.append({query.value(0).toInt(),
                        query.value(1).toString(),
                        query.value(2).toInt(),
                        memory::Grade(std::clamp(query.value(3).toInt(), 1, 4)),
                        {query.value(4).toDouble(), query.value(5).toDouble()},
                        query.value(6).toInt()});
    return entries;
}

std::optional<int> weakestTypeIn(const QSqlDatabase& db, const QString& chapter) {
    QSqlQuery query(db);
    query.prepare(u"SELECT qtype FROM answers WHERE chapter = ? GROUP BY qtype"
                  " ORDER BY AVG(correct), COUNT(*) DESC, qtype LIMIT 1"_s);
    query.addBindValue(chapter);
    if (!query.exec() || !query.next()) return std::nullopt;
    return query.value(0).toInt();
}

QSet<QString> answeredQuestions(const QSqlDatabase& db, const QString& table) {
    QSqlQuery query(db);
    query.prepare(u"SELECT qhash FROM memory WHERE tbl = ?"_s);
    query.addBindValue(table);
    QSet<QString> hashes;
    if (!query.exec()) return hashes;
    while (query.next())
        hashes.insert(query.value(0).toString());
    return hashes;
}

QString setting(const QSqlDatabase& db, const QString& key) {
    QSqlQuery query(db);
    query.prepare(u"SELECT value FROM settings WHERE key = ?"_s);
    query.addBindValue(key);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

} // namespace study

#include "study/StudySchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace study {
namespace {

// Version 1. Times are milliseconds since the epoch (UTC); `day` is the candidate's local date of
// the answer, so "two different days" follows the candidate's calendar.
const QStringList kVersion1 = {
    u"CREATE TABLE answers (id INTEGER PRIMARY KEY, tbl TEXT NOT NULL, qhash TEXT NOT NULL,"
    " qtype INTEGER NOT NULL, chapter TEXT NOT NULL, correct INTEGER NOT NULL,"
    " score INTEGER NOT NULL, at INTEGER NOT NULL, day TEXT NOT NULL)"_s,
    u"CREATE INDEX answers_by_question ON answers (tbl, qhash, at)"_s,
    u"CREATE TABLE exams (id INTEGER PRIMARY KEY, paper INTEGER NOT NULL, started INTEGER NOT NULL,"
    " ended INTEGER NOT NULL, used_seconds INTEGER NOT NULL, total INTEGER NOT NULL,"
    " single_score INTEGER NOT NULL, multiple_score INTEGER NOT NULL,"
    " truefalse_score INTEGER NOT NULL, calc_score INTEGER NOT NULL)"_s,
    u"CREATE INDEX exams_by_start ON exams (started)"_s,
    u"CREATE TABLE exam_questions (exam INTEGER NOT NULL REFERENCES exams (id) ON DELETE CASCADE,"
    " number INTEGER NOT NULL, qhash TEXT NOT NULL, correct INTEGER NOT NULL, score INTEGER NOT NULL,"
    " PRIMARY KEY (exam, number))"_s,
};

const QList<QStringList> kSteps = {kVersion1};

bool run(QSqlDatabase& db, const QString& statement, QString* error) {
    QSqlQuery query(db);
    if (query.exec(statement)) return true;
    *error = query.lastError().text();
    return false;
}

} // namespace

MigrationResult migrate(QSqlDatabase& db, QString* error) {
    QSqlQuery versionQuery(db);
    if (!versionQuery.exec(u"PRAGMA user_version"_s) || !versionQuery.next()) {
        *error = versionQuery.lastError().text();
        return MigrationResult::Failed;
    }
    const int version = versionQuery.value(0).toInt();
    versionQuery.finish();
    if (version > kSchemaVersion) return MigrationResult::NewerThanProgram;
    if (version == kSchemaVersion) return MigrationResult::Current;
    if (!run(db, u"BEGIN IMMEDIATE"_s, error)) return MigrationResult::Failed;
    for (int step = version; step < kSchemaVersion; ++step)
        for (const QString& statement : kSteps[step])
            if (!run(db, statement, error)) {
                QString ignored;
                run(db, u"ROLLBACK"_s, &ignored);
                return MigrationResult::Failed;
            }
    if (!run(db, u"PRAGMA user_version = %1"_s.arg(kSchemaVersion), error) || !run(db, u"COMMIT"_s, error)) {
        QString ignored;
        run(db, u"ROLLBACK"_s, &ignored);
        return MigrationResult::Failed;
    }
    return MigrationResult::Current;
}

} // namespace study

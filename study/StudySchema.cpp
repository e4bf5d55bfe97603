#include "study/StudySchema.h"

#include "study/MemoryStates.h"

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

// Version 2: answers say whether they were given in practice (0) or in a handed-in exam (1); the
// exam being worked is kept, one row at most, so that an interrupted attempt can be resumed.
const QStringList kVersion2 = {
    u"ALTER TABLE answers ADD COLUMN source INTEGER NOT NULL DEFAULT 0"_s,
    u"CREATE TABLE exam_in_progress (id INTEGER PRIMARY KEY CHECK (id = 1), paper INTEGER NOT NULL,"
    " started INTEGER NOT NULL, remaining_ms INTEGER NOT NULL)"_s,
};

// Version 3: each answer's grade for the memory model (1 wrong, 2 right after the explanation was
// seen first, 3 right; older answers by their correctness), each answered question's memory state,
// made from the answers already kept, and the candidate's settings (the daily target).
const QStringList kVersion3 = {
    u"ALTER TABLE answers ADD COLUMN grade INTEGER NOT NULL DEFAULT 0"_s,
    u"UPDATE answers SET grade = CASE WHEN correct = 1 THEN 3 ELSE 1 END"_s,
    u"CREATE TABLE memory (tbl TEXT NOT NULL, qhash TEXT NOT NULL, qtype INTEGER NOT NULL,"
    " stability REAL NOT NULL, difficulty REAL NOT NULL, last_day INTEGER NOT NULL,"
    " due_day INTEGER NOT NULL, last_grade INTEGER NOT NULL, PRIMARY KEY (tbl, qhash))"_s,
    u"CREATE INDEX memory_by_due ON memory (tbl, due_day)"_s,
    u"CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL)"_s,
    // Today's count and the run of days met are read each time the main window comes back.
    u"CREATE INDEX answers_by_day ON answers (day)"_s,
};

// Version 4: the candidate's own marks on a question: a star (收藏) and a note (笔记). The question's
// text is kept too, so the study page can list marked questions without the bank.
const QStringList kVersion4 = {
    u"CREATE TABLE marks (tbl TEXT NOT NULL, qhash TEXT NOT NULL, question TEXT NOT NULL,"
    " starred INTEGER NOT NULL DEFAULT 0, note TEXT NOT NULL DEFAULT '', at INTEGER NOT NULL,"
    " PRIMARY KEY (tbl, qhash))"_s,
};

// Version 5: each handed-in question as the paper showed it (text, options, answers, score,
// explanation), so that a past attempt can be reviewed after its paper was cleared; empty for
// attempts handed in before.
const QStringList kVersion5 = {
    u"ALTER TABLE exam_questions ADD COLUMN shown TEXT"_s,
};

struct Step {
    QStringList statements;
    common::Outcome<> (*thenRun)(QSqlDatabase&) = nullptr;
};

const QList<Step> kSteps = {{kVersion1}, {kVersion2}, {kVersion3, rebuildMemory}, {kVersion4}, {kVersion5}};

common::Outcome<> run(QSqlDatabase& db, const QString& statement) {
    QSqlQuery query(db);
    if (query.exec(statement)) return {};
    return common::Failure{query.lastError().text()};
}

// The steps from `version` on and the new version number, committed; inside an open transaction.
common::Outcome<> runSteps(QSqlDatabase& db, int version) {
    for (int step = version; step < kSchemaVersion; ++step) {
        for (const QString& statement : kSteps[step].statements)
            OUTCOME_TRY(run(db, statement));
        if (kSteps[step].thenRun) OUTCOME_TRY(kSteps[step].thenRun(db));
    }
    OUTCOME_TRY(run(db, u"PRAGMA user_version = %1"_s.arg(kSchemaVersion)));
    return run(db, u"COMMIT"_s);
}

} // namespace

common::Outcome<Migration> migrate(QSqlDatabase& db) {
    QSqlQuery versionQuery(db);
    if (!versionQuery.exec(u"PRAGMA user_version"_s) || !versionQuery.next())
        return common::Failure{versionQuery.lastError().text()};
    const int version = versionQuery.value(0).toInt();
    versionQuery.finish();
    if (version > kSchemaVersion) return Migration::NewerThanProgram;
    if (version == kSchemaVersion) return Migration::Current;
    OUTCOME_TRY(run(db, u"BEGIN IMMEDIATE"_s));
    if (const common::Outcome<> stepped = runSteps(db, version); !stepped) {
        // Why the steps failed is what matters; a failed rollback leaves the same old version.
        (void)run(db, u"ROLLBACK"_s);
        return common::Failure{stepped.reason()};
    }
    return Migration::Current;
}

} // namespace study

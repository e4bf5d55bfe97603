#include "study/StudyTransfer.h"

#include "study/MemoryStates.h"
#include "study/StudySchema.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace study {
namespace {

const QString kNotARecord = u"所选文件不是学习记录，或者已经损坏。"_s;

// What a failed statement means, in the candidate's words; SQLite's own only where none fit.
common::Failure failureOf(const QSqlQuery& query) {
    const QSqlError error = query.lastError();
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return {u"学习记录正被程序的另一个窗口使用，请关闭练习或考试窗口后再试"_s};
    case 8: // SQLITE_READONLY
        return {u"文件只能读取，不能写入"_s};
    case 10: // SQLITE_IOERR
        return {u"读写文件时出错"_s};
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return {u"文件已经损坏"_s};
    case 13: // SQLITE_FULL
        return {u"磁盘空间不足"_s};
    case 14: // SQLITE_CANTOPEN
        return {u"文件打不开"_s};
    default:
        return {u"数据库出错：%1"_s.arg(error.text())};
    }
}

common::Outcome<> runAll(const QSqlDatabase& db, const QStringList& statements) {
    QSqlQuery query(db);
    for (const QString& statement : statements)
        if (!query.exec(statement)) return failureOf(query);
    return {};
}

// A connection of its own to a file, removed with this object.
class Connection {
public:
    Connection(const QString& path, bool readOnly) {
        static int count = 0;
        m_name = u"study-transfer-%1"_s.arg(++count);
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        db.setDatabaseName(path);
        if (readOnly) db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
        m_opened = db.open();
    }
    ~Connection() {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool opened() const { return m_opened; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    bool m_opened = false;
};

// Whether `db` is a sound study record this program can read, and why not.
common::Outcome<> checkReadable(const QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(u"PRAGMA quick_check"_s) || !query.next() || query.value(0).toString() != u"ok"_s)
        return common::Failure{kNotARecord};
    if (!query.exec(u"PRAGMA user_version"_s) || !query.next()) return common::Failure{kNotARecord};
    const int version = query.value(0).toInt();
    if (version > kSchemaVersion)
        return common::Failure{
            u"所选学习记录由较新版本的程序导出，本程序读不了它。请先把程序更新到最新版本。"_s};
    if (!query.exec(u"SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'"
                    " AND name IN ('answers', 'exams', 'exam_questions')"_s) ||
        !query.next() || version < 1 || query.value(0).toInt() != 3)
        return common::Failure{kNotARecord};
    return {};
}

// The record at `source`, checked, copied to `copy` and brought up to this program's version; the
// file itself is only read.
common::Outcome<> currentCopy(const QString& source, const QString& copy) {
    OUTCOME_TRY(checkImportable(source));
    {
        const Connection from(source, true);
        QSqlQuery query(from.db());
        query.prepare(u"VACUUM INTO ?"_s);
        query.addBindValue(copy);
        if (!query.exec()) return failureOf(query);
    }
    const Connection to(copy, false);
    QSqlDatabase db = to.db();
    const common::Outcome<Migration> migrated = migrate(db);
    if (!migrated) return common::Failure{migrated.reason()};
    return {};
}

const QString kAnswerColumns = u"tbl, qhash, qtype, chapter, correct, score, at, day, source, grade"_s;
const QString kExamColumns =
    u"paper, started, ended, used_seconds, total, single_score, multiple_score, truefalse_score, calc_score"_s;

common::Outcome<> replaceWithImported(const QSqlDatabase& db) {
    return runAll(db, {u"DELETE FROM main.exam_questions"_s, u"DELETE FROM main.exams"_s,
                       u"DELETE FROM main.answers"_s, u"DELETE FROM main.settings"_s,
                       u"DELETE FROM main.marks"_s, u"INSERT INTO main.exams SELECT * FROM imported.exams"_s,
                       u"INSERT INTO main.exam_questions SELECT * FROM imported.exam_questions"_s,
                       u"INSERT INTO main.answers SELECT * FROM imported.answers"_s,
                       u"INSERT INTO main.settings SELECT * FROM imported.settings"_s,
                       u"INSERT INTO main.marks SELECT * FROM imported.marks"_s});
}

// Answers are events: one given at the same moment to the same question is the same answer. An
// exam is known by its start; the exams new here take new numbers, their questions with them.
// Stars and notes are the candidate's own: the later of two for a question stands.
common::Outcome<> mergeImported(const QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(u"SELECT COALESCE(MAX(id), 0) FROM main.exams"_s) || !query.next())
        return failureOf(query);
    const qint64 lastExam = query.value(0).toLongLong();
    return runAll(
        db,
        {u"INSERT INTO main.answers (%1) SELECT %1 FROM imported.answers i WHERE NOT EXISTS (SELECT 1"
         " FROM main.answers a WHERE a.tbl = i.tbl AND a.qhash = i.qhash AND a.at = i.at)"_s.arg(
             kAnswerColumns),
         u"INSERT INTO main.exams (%1) SELECT %1 FROM imported.exams i WHERE NOT EXISTS (SELECT 1"
         " FROM main.exams e WHERE e.started = i.started) ORDER BY i.started, i.id"_s.arg(kExamColumns),
         u"INSERT INTO main.exam_questions (exam, number, qhash, correct, score, shown)"
         " SELECT e.id, q.number, q.qhash, q.correct, q.score, q.shown FROM imported.exam_questions q"
         " JOIN imported.exams i ON i.id = q.exam JOIN main.exams e ON e.started = i.started AND e.id > %1"_s
             .arg(lastExam),
         u"INSERT OR IGNORE INTO main.settings SELECT * FROM imported.settings"_s,
         // A star or note set on both computers: the later one stands.
         u"INSERT INTO main.marks (tbl, qhash, question, starred, note, at)"
         " SELECT tbl, qhash, question, starred, note, at FROM imported.marks WHERE true"
         " ON CONFLICT (tbl, qhash) DO UPDATE SET question = excluded.question, starred = excluded.starred,"
         " note = excluded.note, at = excluded.at WHERE excluded.at > marks.at"_s});
}

// Inside the open transaction; the caller commits or rolls back.
common::Outcome<> takeImported(const QSqlDatabase& db, ImportMode mode) {
    OUTCOME_TRY(mode == ImportMode::Replace ? replaceWithImported(db) : mergeImported(db));
    QSqlDatabase writable = db;
    return rebuildMemory(writable);
}

} // namespace

common::Outcome<> checkImportable(const QString& source) {
    if (!QFile::exists(source)) return common::Failure{u"找不到所选文件。"_s};
    const Connection from(source, true);
    if (!from.opened()) return common::Failure{kNotARecord};
    return checkReadable(from.db());
}

common::Outcome<> exportRecord(const QSqlDatabase& db, const QString& target) {
    // VACUUM INTO writes only a new file: the copy is made beside the target, then put in its place.
    const QString part = target + u".part"_s;
    QFile::remove(part);
    QSqlQuery query(db);
    query.prepare(u"VACUUM INTO ?"_s);
    query.addBindValue(part);
    if (!query.exec()) {
        QFile::remove(part);
        return failureOf(query);
    }
    if (QFile::exists(target) && !QFile::remove(target)) {
        QFile::remove(part);
        return common::Failure{u"原有的文件无法替换"_s};
    }
    if (!QFile::rename(part, target)) return common::Failure{u"文件无法写入所选位置"_s};
    return {};
}

common::Outcome<> importRecord(const QSqlDatabase& db, const QString& source, ImportMode mode) {
    const QTemporaryDir scratch;
    if (!scratch.isValid()) return common::Failure{u"临时文件夹无法建立"_s};
    const QString copy = scratch.filePath(u"imported.sqlite"_s);
    OUTCOME_TRY(currentCopy(source, copy));
    QSqlQuery query(db);
    query.prepare(u"ATTACH DATABASE ? AS imported"_s);
    query.addBindValue(copy);
    if (!query.exec()) return failureOf(query);
    common::Outcome<> taken = runAll(db, {u"BEGIN IMMEDIATE"_s});
    if (taken) taken = takeImported(db, mode);
    if (taken) taken = runAll(db, {u"COMMIT"_s});
    if (!taken) (void)runAll(db, {u"ROLLBACK"_s});     // why it failed is what matters
    (void)runAll(db, {u"DETACH DATABASE imported"_s}); // the scratch copy goes with its folder
    return taken;
}

} // namespace study

#include "study/StudyRecord.h"

#include "bank/QuestionType.h"
#include "study/QuestionKey.h"
#include "study/StudySchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <algorithm>

using namespace Qt::StringLiterals;

using bank::QuestionType;

namespace study {
namespace {

Q_LOGGING_CATEGORY(lcStudy, "velmora.study", QtWarningMsg)

// SQLite's primary result codes that mean the file is not a sound database.
bool meansDamage(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 11 /* SQLITE_CORRUPT */ || code == 26 /* SQLITE_NOTADB */;
}

// Whether the last failure was a lock held elsewhere, which the next write tries again. The record
// lives on the user-interface thread only.
bool g_lastFailureWasBusy = false;

// Why the last statement of `query` failed, or its connection's error when the statement has none.
common::Failure failureOf(const QSqlQuery& query) {
    const QSqlError error = query.lastError().isValid() ? query.lastError() : query.driver()->lastError();
    const int code = error.nativeErrorCode().toInt() & 0xff;
    g_lastFailureWasBusy = code == 5 /* SQLITE_BUSY */ || code == 6 /* SQLITE_LOCKED */;
    return common::Failure{error.text()};
}

QString nextConnectionName() {
    static int count = 0;
    return u"study-%1"_s.arg(++count);
}

} // namespace

QString StudyRecord::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/' + kFileName;
}

StudyRecord::StudyRecord(const QString& path) : m_path(path), m_connection(nextConnectionName()) {
    ensureOpen();
}

StudyRecord::~StudyRecord() {
    close();
}

bool StudyRecord::close() {
    const bool written = flush(kCloseWaitMs);
    if (!written) {
        qCWarning(lcStudy).noquote() << m_pending.size() << "study records lost:" << m_path;
        m_notice =
            u"学习记录无法写入（%1），本次有 %2 条记录未能保存。"_s.arg(m_lastFailure).arg(m_pending.size());
        m_pending.clear();
    }
    closeConnection();
    return written;
}

bool StudyRecord::ensureOpen() {
    if (m_state != State::Closed) return m_state == State::Open;
    bool damaged = false;
    if (openFile(&damaged)) return true;
    if (!damaged) return false;
    setAside();
    damaged = false;
    return openFile(&damaged);
}

// Opens and checks the file, bringing its tables up to date. A lock held elsewhere leaves the
// record closed, to be opened again by the next write.
bool StudyRecord::openFile(bool* damaged) {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection);
        db.setDatabaseName(m_path);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(kAnswerWaitMs));
        QString error;
        QSqlQuery query(db);
        bool ok = db.open() && query.exec(u"PRAGMA journal_mode = WAL"_s);
        if (ok && query.exec(u"PRAGMA quick_check"_s) && query.next() &&
            query.value(0).toString() != u"ok"_s) {
            *damaged = true;
            error = query.value(0).toString();
        }
        if (!ok) {
            *damaged = meansDamage(query.lastError()) || meansDamage(db.lastError());
            error = query.lastError().isValid() ? query.lastError().text() : db.lastError().text();
        }
        query.finish();
        if (ok && !*damaged) {
            query.exec(u"PRAGMA synchronous = NORMAL"_s);
            query.exec(u"PRAGMA foreign_keys = ON"_s);
            const common::Outcome<Migration> migration = migrate(db);
            if (migration && *migration == Migration::Current) {
                m_state = State::Open;
                return true;
            }
            if (migration) {
                m_state = State::Unusable;
                m_notice = u"学习记录由较新版本的程序写成，本程序不改动它，也不再记录。"_s;
                return false;
            }
            error = migration.reason();
        }
        if (!*damaged && meansDamage(db.lastError())) *damaged = true;
        qCWarning(lcStudy).noquote() << "cannot open" << m_path << ":" << error;
    }
    closeConnection();
    return false;
}

// The damaged file and its WAL files move aside under the first free `<name>.damaged-N`.
void StudyRecord::setAside() {
    int n = 1;
    while (QFile::exists(u"%1.damaged-%2"_s.arg(m_path).arg(n)))
        ++n;
    const QString aside = u"%1.damaged-%2"_s.arg(m_path).arg(n);
    QFile::rename(m_path, aside);
    for (const QString& suffix : {u"-wal"_s, u"-shm"_s})
        if (QFile::exists(m_path + suffix)) QFile::rename(m_path + suffix, aside + suffix);
    qCWarning(lcStudy).noquote() << "damaged study record set aside as" << aside;
    m_notice = u"学习记录文件已损坏，已另存为“%1”，并新建了一份学习记录。"_s.arg(QFileInfo(aside).fileName());
}

void StudyRecord::closeConnection() {
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    if (m_state == State::Open) m_state = State::Closed;
}

void StudyRecord::recordAnswer(const PracticeAnswer& answer) {
    const QString key = answer.table + u'/' + questionHash(answer.questionText);
    if (m_closed.contains(key)) return;
    if (key != m_openKey) {
        settleAttempt();
        m_openKey = key;
    }
    // The open attempt's answer still waiting is replaced where it waits, so it is written once.
    const auto waiting = std::find_if(m_pending.begin(), m_pending.end(), [&](const Write& w) {
        return w.key == key && std::holds_alternative<PracticeAnswer>(w.what);
    });
    if (waiting != m_pending.end())
        waiting->what = answer;
    else
        m_pending.append(Write{answer, key, m_openRow});
    flush();
}

void StudyRecord::settleAttempt() {
    if (!m_openKey.isEmpty()) m_closed.insert(m_openKey);
    m_openKey.clear();
    m_openRow = 0;
}

void StudyRecord::closeQuestion(const QString& table, const QString& questionText) {
    settleAttempt();
    m_closed.insert(table + u'/' + questionHash(questionText));
}

void StudyRecord::recordExam(const ExamAttempt& attempt) {
    m_pending.append(Write{attempt, {}, 0});
    flush();
}

void StudyRecord::keepExamInProgress(const ExamInProgress& exam) {
    queueProgress(Write{exam, {}, 0});
}

void StudyRecord::forgetExamInProgress() {
    queueProgress(Write{NoExamInProgress{}, {}, 0});
}

// Only the newest state of the exam in progress matters: it replaces one still waiting.
void StudyRecord::queueProgress(Write write) {
    const auto isProgress = [](const Write& w) {
        return std::holds_alternative<ExamInProgress>(w.what) ||
               std::holds_alternative<NoExamInProgress>(w.what);
    };
    m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(), isProgress), m_pending.end());
    m_pending.append(std::move(write));
    flush();
}

std::optional<ExamInProgress> StudyRecord::examInProgress() {
    if (!flush() || !ensureOpen()) return std::nullopt;
    QSqlQuery query = select(u"SELECT paper, started, remaining_ms FROM exam_in_progress"_s);
    if (!query.next()) return std::nullopt;
    return ExamInProgress{query.value(0).toInt(), QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong()),
                          query.value(2).toLongLong()};
}

bool StudyRecord::flush(int waitMs) {
    if (m_pending.isEmpty()) return true;
    if (!ensureOpen()) {
        m_lastFailure = u"文件打不开"_s;
        if (m_state == State::Unusable) m_pending.clear();
        return m_pending.isEmpty();
    }
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (waitMs != kAnswerWaitMs) query.exec(u"PRAGMA busy_timeout = %1"_s.arg(waitMs));
    const qint64 openRow = m_openRow;
    const common::Outcome<> written = writePending(query);
    if (written) {
        m_pending.clear();
    } else {
        query.exec(u"ROLLBACK"_s);
        m_openRow = openRow; // a row written in the failed transaction is gone with it
        m_lastFailure = written.reason();
        qCWarning(lcStudy).noquote() << "study record not written yet:" << written.reason();
        // A write that cannot be made is told at once, not only when closing finds the answers
        // lost; a lock held elsewhere is only waited out, and told at closing if it never goes.
        if (!m_failureTold && m_notice.isEmpty() && !g_lastFailureWasBusy) {
            m_failureTold = true;
            m_notice = u"学习记录暂时无法写入（%1）。题库中的作答不受影响，学习记录会在能写入时补记。"_s.arg(
                written.reason());
        }
    }
    if (waitMs != kAnswerWaitMs) query.exec(u"PRAGMA busy_timeout = %1"_s.arg(kAnswerWaitMs));
    return written.ok();
}

common::Outcome<> StudyRecord::writePending(QSqlQuery& query) {
    if (!query.exec(u"BEGIN IMMEDIATE"_s)) return failureOf(query);
    for (Write& write : m_pending)
        OUTCOME_TRY(writeOne(write));
    if (!query.exec(u"COMMIT"_s)) return failureOf(query);
    return {};
}

common::Outcome<> StudyRecord::writeOne(Write& write) {
    if (const auto* attempt = std::get_if<ExamAttempt>(&write.what)) {
        OUTCOME_TRY(writeExam(*attempt));
        OUTCOME_TRY(writeExamAnswers(*attempt));
        return writeProgress(std::nullopt);
    }
    if (const auto* exam = std::get_if<ExamInProgress>(&write.what)) return writeProgress(*exam);
    if (std::holds_alternative<NoExamInProgress>(write.what)) return writeProgress(std::nullopt);
    return writeAnswer(write);
}

common::Outcome<> StudyRecord::writeAnswer(const Write& write) {
    const PracticeAnswer& answer = std::get<PracticeAnswer>(write.what);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (write.replacesRow != 0) {
        query.prepare(u"UPDATE answers SET correct = :correct, score = :score, at = :at, day = :day"
                      " WHERE id = :row"_s);
        query.bindValue(u":row"_s, write.replacesRow);
    } else {
        query.prepare(u"INSERT INTO answers (tbl, qhash, qtype, chapter, correct, score, at, day)"
                      " VALUES (:tbl, :qhash, :qtype, :chapter, :correct, :score, :at, :day)"_s);
        query.bindValue(u":tbl"_s, answer.table);
        query.bindValue(u":qhash"_s, questionHash(answer.questionText));
        query.bindValue(u":qtype"_s, static_cast<int>(typeIndex(answer.type)));
        query.bindValue(u":chapter"_s, answer.chapter.trimmed() + u""_s); // never NULL
    }
    query.bindValue(u":correct"_s, answer.right ? 1 : 0);
    query.bindValue(u":score"_s, answer.score);
    query.bindValue(u":at"_s, answer.at.toMSecsSinceEpoch());
    query.bindValue(u":day"_s, answer.at.toLocalTime().date().toString(Qt::ISODate));
    if (!query.exec()) {
        qCWarning(lcStudy).noquote() << "cannot write an answer:" << query.lastError().text();
        return failureOf(query);
    }
    // The open attempt, once written, is replaced in place by a later answer to the same question.
    if (write.key == m_openKey && write.replacesRow == 0) m_openRow = query.lastInsertId().toLongLong();
    return {};
}

common::Outcome<> StudyRecord::writeExam(const ExamAttempt& attempt) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.prepare(u"INSERT INTO exams (paper, started, ended, used_seconds, total, single_score,"
                  " multiple_score, truefalse_score, calc_score)"
                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    query.addBindValue(attempt.paper);
    query.addBindValue(attempt.started.toMSecsSinceEpoch());
    query.addBindValue(attempt.ended.toMSecsSinceEpoch());
    query.addBindValue(attempt.usedSeconds);
    query.addBindValue(attempt.total);
    for (int score : attempt.typeScores)
        query.addBindValue(score);
    if (!query.exec()) return failureOf(query);
    const qint64 exam = query.lastInsertId().toLongLong();
    QSqlQuery question(db);
    question.prepare(
        u"INSERT INTO exam_questions (exam, number, qhash, correct, score) VALUES (?, ?, ?, ?, ?)"_s);
    for (const ExamQuestionResult& result : attempt.questions) {
        question.addBindValue(exam);
        question.addBindValue(result.number);
        question.addBindValue(questionHash(result.questionText));
        question.addBindValue(result.right ? 1 : 0);
        question.addBindValue(result.score);
        if (!question.exec()) return failureOf(question);
    }
    return {};
}

// The answered questions join the book and the figures as answers from an exam, under the practice
// table of their kind, where the same question is known by the same text.
common::Outcome<> StudyRecord::writeExamAnswers(const ExamAttempt& attempt) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(u"INSERT INTO answers (tbl, qhash, qtype, chapter, correct, score, at, day, source)"
                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1)"_s);
    for (const ExamQuestionResult& result : attempt.questions) {
        if (!result.answered) continue;
        query.addBindValue(bank::practiceTable(result.type));
        query.addBindValue(questionHash(result.questionText));
        query.addBindValue(static_cast<int>(typeIndex(result.type)));
        query.addBindValue(result.chapter.trimmed() + u""_s);
        query.addBindValue(result.right ? 1 : 0);
        query.addBindValue(result.score);
        query.addBindValue(attempt.ended.toMSecsSinceEpoch());
        query.addBindValue(attempt.ended.toLocalTime().date().toString(Qt::ISODate));
        if (!query.exec()) return failureOf(query);
    }
    return {};
}

common::Outcome<> StudyRecord::writeProgress(const std::optional<ExamInProgress>& exam) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(u"DELETE FROM exam_in_progress"_s)) return failureOf(query);
    if (!exam) return {};
    query.prepare(u"INSERT INTO exam_in_progress (id, paper, started, remaining_ms) VALUES (1, ?, ?, ?)"_s);
    query.addBindValue(exam->paper);
    query.addBindValue(exam->started.toMSecsSinceEpoch());
    query.addBindValue(exam->remainingMs);
    if (!query.exec()) return failureOf(query);
    return {};
}

QString StudyRecord::takeNotice() {
    return std::exchange(m_notice, QString());
}

QSqlQuery StudyRecord::select(const QString& statement) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.exec(statement);
    return query;
}

std::array<TypeFigures, 4> StudyRecord::typeFigures() {
    std::array<TypeFigures, 4> figures{};
    if (!ensureOpen()) return figures;
    QSqlQuery query = select(u"SELECT qtype, COUNT(*), SUM(correct) FROM (SELECT qtype, correct,"
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

QList<ChapterFigures> StudyRecord::chapterFigures() {
    QList<ChapterFigures> figures;
    if (!ensureOpen()) return figures;
    QSqlQuery query =
        select(u"SELECT chapter, COUNT(*), SUM(correct) FROM answers GROUP BY chapter ORDER BY chapter"_s);
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

QList<ExamHistoryEntry> StudyRecord::examHistory() {
    QList<ExamHistoryEntry> history;
    if (!ensureOpen()) return history;
    QSqlQuery query = select(u"SELECT paper, started, used_seconds, total, single_score, multiple_score,"
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

QStringList StudyRecord::wrongBook(const QString& table) {
    QStringList hashes;
    if (!ensureOpen()) return hashes;
    // In the book: answered wrong, and since the last wrong answer right on fewer than two days.
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
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

common::Outcome<> StudyRecord::clear() {
    m_pending.clear();
    m_openKey.clear();
    m_openRow = 0;
    m_closed.clear();
    if (!ensureOpen()) return common::Failure{u"文件打不开"_s};
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    const bool cleared = query.exec(u"BEGIN IMMEDIATE"_s) && query.exec(u"DELETE FROM exam_questions"_s) &&
                         query.exec(u"DELETE FROM exam_in_progress"_s) &&
                         query.exec(u"DELETE FROM exams"_s) && query.exec(u"DELETE FROM answers"_s) &&
                         query.exec(u"COMMIT"_s);
    if (cleared) return {};
    const common::Failure failure = failureOf(query);
    query.exec(u"ROLLBACK"_s);
    return failure;
}

} // namespace study

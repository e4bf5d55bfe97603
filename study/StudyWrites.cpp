#include "study/StudyWrites.h"

#include "study/MemoryStates.h"
#include "study/QuestionKey.h"
#include "study/ShownQuestion.h"
#include "study/StudyFile.h"

#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

using bank::QuestionType;

namespace study {
namespace {

Q_LOGGING_CATEGORY(lcStudyWrites, "velmora.study", QtWarningMsg)

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

common::Outcome<> writeExam(QSqlDatabase& db, const ExamAttempt& attempt) {
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
        u"INSERT INTO exam_questions (exam, number, qhash, correct, score, shown) VALUES (?, ?, ?, ?, ?, ?)"_s);
    for (const ExamQuestionResult& result : attempt.questions) {
        question.addBindValue(exam);
        question.addBindValue(result.number);
        question.addBindValue(questionHash(result.questionText));
        question.addBindValue(result.right ? 1 : 0);
        question.addBindValue(result.score);
        question.addBindValue(shownQuestionText(result.shown));
        if (!question.exec()) return failureOf(question);
    }
    return {};
}

// The answered questions join the book and the figures as answers from an exam, under the practice
// table of their kind, where the same question is known by the same text.
common::Outcome<> writeExamAnswers(QSqlDatabase& db, const ExamAttempt& attempt) {
    QSqlQuery query(db);
    query.prepare(u"INSERT INTO answers (tbl, qhash, qtype, chapter, correct, score, at, day, source, grade)"
                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1, ?)"_s);
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
        query.addBindValue(static_cast<int>(result.right ? memory::Grade::Good : memory::Grade::Again));
        if (!query.exec()) return failureOf(query);
        OUTCOME_TRY(refreshMemory(db, bank::practiceTable(result.type), questionHash(result.questionText)));
    }
    return {};
}

common::Outcome<> writeProgress(QSqlDatabase& db, const std::optional<ExamInProgress>& exam) {
    QSqlQuery query(db);
    if (!query.exec(u"DELETE FROM exam_in_progress"_s)) return failureOf(query);
    if (!exam) return {};
    query.prepare(u"INSERT INTO exam_in_progress (id, paper, started, remaining_ms) VALUES (1, ?, ?, ?)"_s);
    query.addBindValue(exam->paper);
    query.addBindValue(exam->started.toMSecsSinceEpoch());
    query.addBindValue(exam->remainingMs);
    if (!query.exec()) return failureOf(query);
    return {};
}

} // namespace

StudyWrites::StudyWrites(StudyFile& file, QString& notice) : m_file(file), m_notice(notice) {}

void StudyWrites::recordAnswer(const PracticeAnswer& answer) {
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
    const memory::Grade grade = !answer.right               ? memory::Grade::Again
                                : m_explained.contains(key) ? memory::Grade::Hard
                                                            : memory::Grade::Good;
    if (waiting != m_pending.end()) {
        waiting->what = answer;
        waiting->grade = grade;
    } else {
        m_pending.append(Write{answer, key, m_openRow, grade});
    }
    static_cast<void>(flush(StudyFile::kWaitMs));
}

void StudyWrites::settleAttempt() {
    if (!m_openKey.isEmpty()) m_closed.insert(m_openKey);
    m_openKey.clear();
    m_openRow = 0;
}

void StudyWrites::closeQuestion(const QString& table, const QString& questionText) {
    const QString key = table + u'/' + questionHash(questionText);
    const bool attempted = key == m_openKey || m_closed.contains(key);
    settleAttempt();
    // An answer already given stands as it was; a question not yet answered still counts, as one
    // only half known.
    if (attempted)
        m_closed.insert(key);
    else
        m_explained.insert(key);
}

void StudyWrites::recordExam(const ExamAttempt& attempt) {
    m_pending.append(Write{attempt, {}, 0});
    static_cast<void>(flush(StudyFile::kWaitMs));
}

void StudyWrites::keepExamInProgress(const std::optional<ExamInProgress>& exam) {
    const auto isProgress = [](const Write& w) {
        return std::holds_alternative<ExamInProgress>(w.what) ||
               std::holds_alternative<NoExamInProgress>(w.what);
    };
    m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(), isProgress), m_pending.end());
    if (exam)
        m_pending.append(Write{*exam, {}, 0});
    else
        m_pending.append(Write{NoExamInProgress{}, {}, 0});
    static_cast<void>(flush(StudyFile::kWaitMs));
}

common::Outcome<> StudyWrites::flush(int waitMs) {
    if (m_pending.isEmpty()) return {};
    if (const common::Outcome<> opened = m_file.ensureOpen(); !opened) {
        if (m_file.isUnusable()) m_pending.clear();
        if (m_pending.isEmpty()) return {};
        return opened;
    }
    QSqlDatabase db = m_file.database();
    QSqlQuery query(db);
    if (waitMs != StudyFile::kWaitMs) query.exec(u"PRAGMA busy_timeout = %1"_s.arg(waitMs));
    const qint64 openRow = m_openRow;
    const common::Outcome<> written = writePending(db);
    if (written) {
        m_pending.clear();
    } else {
        query.exec(u"ROLLBACK"_s);
        m_openRow = openRow; // a row written in the failed transaction is gone with it
        qCWarning(lcStudyWrites).noquote() << "study record not written yet:" << written.reason();
        // A write that cannot be made is told at once, not only when closing finds the answers
        // lost; a lock held elsewhere is only waited out, and told at closing if it never goes.
        if (!m_failureTold && m_notice.isEmpty() && !g_lastFailureWasBusy) {
            m_failureTold = true;
            m_notice = u"学习记录暂时无法写入（%1）。题库中的作答不受影响，学习记录会在能写入时补记。"_s.arg(
                written.reason());
        }
    }
    if (waitMs != StudyFile::kWaitMs) query.exec(u"PRAGMA busy_timeout = %1"_s.arg(StudyFile::kWaitMs));
    return written;
}

int StudyWrites::dropPending() {
    return static_cast<int>(std::exchange(m_pending, {}).size());
}

common::Outcome<> StudyWrites::writePending(QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(u"BEGIN IMMEDIATE"_s)) return failureOf(query);
    for (const Write& write : m_pending)
        OUTCOME_TRY(writeOne(db, write));
    if (!query.exec(u"COMMIT"_s)) return failureOf(query);
    return {};
}

common::Outcome<> StudyWrites::writeOne(QSqlDatabase& db, const Write& write) {
    if (const auto* attempt = std::get_if<ExamAttempt>(&write.what)) {
        OUTCOME_TRY(writeExam(db, *attempt));
        OUTCOME_TRY(writeExamAnswers(db, *attempt));
        return writeProgress(db, std::nullopt);
    }
    if (const auto* exam = std::get_if<ExamInProgress>(&write.what)) return writeProgress(db, *exam);
    if (std::holds_alternative<NoExamInProgress>(write.what)) return writeProgress(db, std::nullopt);
    return writeAnswer(db, write);
}

common::Outcome<> StudyWrites::writeAnswer(QSqlDatabase& db, const Write& write) {
    const PracticeAnswer& answer = std::get<PracticeAnswer>(write.what);
    QSqlQuery query(db);
    if (write.replacesRow != 0) {
        query.prepare(u"UPDATE answers SET correct = :correct, score = :score, at = :at, day = :day,"
                      " grade = :grade WHERE id = :row"_s);
        query.bindValue(u":row"_s, write.replacesRow);
    } else {
        query.prepare(u"INSERT INTO answers (tbl, qhash, qtype, chapter, correct, score, at, day, grade)"
                      " VALUES (:tbl, :qhash, :qtype, :chapter, :correct, :score, :at, :day, :grade)"_s);
        query.bindValue(u":tbl"_s, answer.table);
        query.bindValue(u":qhash"_s, questionHash(answer.questionText));
        query.bindValue(u":qtype"_s, static_cast<int>(typeIndex(answer.type)));
        query.bindValue(u":chapter"_s, answer.chapter.trimmed() + u""_s); // never NULL
    }
    query.bindValue(u":correct"_s, answer.right ? 1 : 0);
    query.bindValue(u":score"_s, answer.score);
    query.bindValue(u":at"_s, answer.at.toMSecsSinceEpoch());
    query.bindValue(u":day"_s, answer.at.toLocalTime().date().toString(Qt::ISODate));
    query.bindValue(u":grade"_s, static_cast<int>(write.grade));
    if (!query.exec()) {
        qCWarning(lcStudyWrites).noquote() << "cannot write an answer:" << query.lastError().text();
        return failureOf(query);
    }
    // The open attempt, once written, is replaced in place by a later answer to the same question.
    if (write.key == m_openKey && write.replacesRow == 0) m_openRow = query.lastInsertId().toLongLong();
    return refreshMemory(db, answer.table, questionHash(answer.questionText));
}

common::Outcome<> StudyWrites::clear() {
    m_pending.clear();
    m_openKey.clear();
    m_openRow = 0;
    m_closed.clear();
    m_explained.clear();
    OUTCOME_TRY(m_file.ensureOpen());
    QSqlQuery query(m_file.database());
    const bool cleared = query.exec(u"BEGIN IMMEDIATE"_s) && query.exec(u"DELETE FROM exam_questions"_s) &&
                         query.exec(u"DELETE FROM exam_in_progress"_s) &&
                         query.exec(u"DELETE FROM exams"_s) && query.exec(u"DELETE FROM answers"_s) &&
                         query.exec(u"DELETE FROM memory"_s) && query.exec(u"COMMIT"_s);
    if (cleared) return {};
    const common::Failure failure = failureOf(query);
    query.exec(u"ROLLBACK"_s);
    return failure;
}

} // namespace study

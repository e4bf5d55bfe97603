#pragma once

#include "common/Outcome.h"
#include "study/MemoryModel.h"
#include "study/StudyData.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>
#include <variant>

class QSqlDatabase;

namespace study {

class StudyFile;

// What waits to be written into the record, and the writing: every write goes in one transaction
// with those waiting before it; one that meets a lock held elsewhere stays queued and goes with the
// next. The first write that cannot be made for another reason is told in `notice`.
class StudyWrites final {
public:
    StudyWrites(StudyFile& file, QString& notice);

    // One attempt per question and sitting; see StudyRecord::recordAnswer.
    void recordAnswer(const PracticeAnswer& answer);
    void settleAttempt();
    void closeQuestion(const QString& table, const QString& questionText);
    void recordExam(const ExamAttempt& attempt);
    // The exam in progress, or none: only the newest state waits.
    void keepExamInProgress(const std::optional<ExamInProgress>& exam);

    // Writes what waits, waiting up to `waitMs` for a lock; fails with why something still waits.
    common::Outcome<> flush(int waitMs);
    int pending() const { return static_cast<int>(m_pending.size()); }
    // Gives up what waits; returns how many writes that was.
    int dropPending();
    // Forgets what waits and the attempts of this sitting, and empties the record.
    common::Outcome<> clear();

private:
    struct NoExamInProgress {};
    struct Write {
        std::variant<PracticeAnswer, ExamAttempt, ExamInProgress, NoExamInProgress> what;
        QString key;            // a practice answer's question
        qint64 replacesRow = 0; // the open attempt's row, once written
        memory::Grade grade = memory::Grade::Good;
    };

    // Begins, writes every pending write, commits; the caller rolls back a failure.
    common::Outcome<> writePending(QSqlDatabase& db);
    common::Outcome<> writeOne(QSqlDatabase& db, const Write& write);
    common::Outcome<> writeAnswer(QSqlDatabase& db, const Write& write);

    StudyFile& m_file;
    QString& m_notice;
    QList<Write> m_pending;
    QString m_openKey;          // table and hash of the question whose attempt is open
    qint64 m_openRow = 0;       // the open attempt's row once written
    QSet<QString> m_closed;     // the questions whose attempt of this sitting is closed
    QSet<QString> m_explained;  // the questions whose explanation was seen before any answer
    bool m_failureTold = false; // a failed write was told; once is enough
};

} // namespace study

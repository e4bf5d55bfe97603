#pragma once

#include "bank/QuestionType.h"
#include "common/Outcome.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <variant>

class QSqlQuery;

namespace study {

// One graded practice answer.
struct PracticeAnswer {
    QString table; // danxuan, duoxuan, panduan, fenxi
    QString questionText;
    QString chapter; // CH of the question's row; empty when the bank has no such column
    bank::QuestionType type = bank::QuestionType::SingleChoice;
    bool right = false;
    int score = 0;
    QDateTime at;
};

struct ExamQuestionResult {
    int number = 0; // 1–62
    QString questionText;
    bool right = false;
    int score = 0;
    // What the book and the figures need of an answered question; an unanswered one joins neither.
    bank::QuestionType type = bank::QuestionType::SingleChoice;
    QString chapter;
    bool answered = false;
};

// One handed-in mock exam.
struct ExamAttempt {
    int paper = 0; // 1–20
    QDateTime started;
    QDateTime ended;
    int usedSeconds = 0; // time worked, at most the hour, over every sitting of a resumed attempt
    int total = 0;
    std::array<int, 4> typeScores{}; // in the order of allQuestionTypes
    QList<ExamQuestionResult> questions;
};

// A mock exam being worked, kept so that an attempt cut short by the session ending, a kill or a
// power loss can be resumed at the next start with the time it had left.
struct ExamInProgress {
    int paper = 0;
    QDateTime started;
    qint64 remainingMs = 0;
    friend bool operator==(const ExamInProgress&, const ExamInProgress&) = default;
};

// Both figures are over the different questions of the kind answered in practice or in a mock exam:
// how many, and how many of them were right the last time they were answered.
struct TypeFigures {
    int questionsAnswered = 0;
    int rightLastTime = 0;
    int inWrongBook = 0;
};

struct ChapterFigures {
    QString chapter;
    int answers = 0;
    int rightAnswers = 0;
};

// A mock exam is passed with 60 of its 100 points.
inline constexpr int kPassScore = 60;

struct ExamHistoryEntry {
    int paper = 0;
    QDateTime started;
    int usedSeconds = 0;
    int total = 0;
    std::array<int, 4> typeScores{}; // in the order of allQuestionTypes
};

// The candidate's study record: a SQLite file in WAL mode that outlives every sitting. Recording
// never blocks or fails the caller: a write that meets a lock held elsewhere waits briefly, then
// stays in memory and is written with the next one or when the record closes. A file that is not
// a sound database is set aside as `<name>.damaged-N` and a new record started. What the candidate
// must hear of (a file set aside, the first write that failed, answers that could not be kept)
// waits in takeNotice(), once each.
class StudyRecord final {
public:
    // How long a click may wait for a lock held elsewhere, and how long closing waits.
    static constexpr int kAnswerWaitMs = 20;
    static constexpr int kCloseWaitMs = 2000;

    static inline const QString kFileName = QStringLiteral("study.sqlite");
    // study.sqlite in the per-user data directory.
    static QString defaultPath();

    explicit StudyRecord(const QString& path = defaultPath());
    ~StudyRecord();
    StudyRecord(const StudyRecord&) = delete;
    StudyRecord& operator=(const StudyRecord&) = delete;

    const QString& path() const { return m_path; }
    bool isOpen() const { return m_state == State::Open; }

    // One attempt per question and sitting (this object's life). An attempt is open while the
    // candidate works on the question: a later answer replaces it, since the options' last state is
    // the answer given (a multiple-choice answer is ticked box by box). Answering another question or
    // settleAttempt() closes it; answers to a closed attempt's question in the same sitting do not
    // count, so a mistake seen in the explanation and then mended stays a mistake.
    void recordAnswer(const PracticeAnswer& answer);
    void settleAttempt();
    // The candidate saw the question's standard answer: answers to it in this sitting no longer
    // count, whether or not it was answered before.
    void closeQuestion(const QString& table, const QString& questionText);
    // The handed-in exam, its answered questions as answers from an exam; the exam in progress goes.
    void recordExam(const ExamAttempt& attempt);
    // The exam being worked, replacing what was kept before; forgotten when handed in or given up.
    void keepExamInProgress(const ExamInProgress& exam);
    void forgetExamInProgress();
    std::optional<ExamInProgress> examInProgress();
    // Writes what waits in memory, waiting up to `waitMs` for a lock; true when nothing waits.
    bool flush(int waitMs = kAnswerWaitMs);
    int pendingWrites() const { return static_cast<int>(m_pending.size()); }
    // Writes what waits, waiting up to kCloseWaitMs; what still cannot be written is given up and
    // told in takeNotice(). Later calls open the record again.
    bool close();
    // The message for the candidate, once; empty when there is none.
    QString takeNotice();

    std::array<TypeFigures, 4> typeFigures();
    QList<ChapterFigures> chapterFigures();
    QList<ExamHistoryEntry> examHistory(); // oldest first
    // Hashes of the questions of `table` in the wrong-answer book, oldest last mistake first.
    QStringList wrongBook(const QString& table);
    // Empties the record (answers waiting in memory too).
    common::Outcome<> clear();

private:
    enum class State { Closed, Open, Unusable };
    struct NoExamInProgress {};
    struct Write {
        std::variant<PracticeAnswer, ExamAttempt, ExamInProgress, NoExamInProgress> what;
        QString key;            // a practice answer's question
        qint64 replacesRow = 0; // the open attempt's row, once written
    };

    bool ensureOpen();
    bool openFile(bool* damaged);
    void setAside();
    void closeConnection();
    // Begins, writes every pending write, commits; the caller rolls back a failure.
    common::Outcome<> writePending(QSqlQuery& query);
    common::Outcome<> writeOne(Write& write);
    common::Outcome<> writeAnswer(const Write& write);
    common::Outcome<> writeExam(const ExamAttempt& attempt);
    common::Outcome<> writeExamAnswers(const ExamAttempt& attempt);
    common::Outcome<> writeProgress(const std::optional<ExamInProgress>& exam);
    // Puts `write` in the queue in place of a waiting write of the same kind, or last.
    void queueProgress(Write write);
    // A forward-only query that has run `statement` on the open record.
    QSqlQuery select(const QString& statement);

    QString m_path;
    QString m_connection;
    State m_state = State::Closed;
    QList<Write> m_pending;
    QString m_openKey;      // table and hash of the question whose attempt is open
    qint64 m_openRow = 0;   // the open attempt's row once written
    QSet<QString> m_closed; // the questions whose attempt of this sitting is closed
    QString m_notice;
    QString m_lastFailure;      // why the last write failed, for the notice
    bool m_failureTold = false; // a failed write was told; once is enough
};

} // namespace study

#pragma once

#include "common/Outcome.h"
#include "study/ExamReview.h"
#include "study/QuestionMarks.h"
#include "study/StudyData.h"
#include "study/StudyFigures.h"
#include "study/StudyFile.h"
#include "study/StudyTransfer.h"
#include "study/StudyWrites.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace study {

// The candidate's study record: a SQLite file in WAL mode that outlives every sitting. Recording
// never blocks or fails the caller: a write that meets a lock held elsewhere waits briefly, then
// stays in memory and is written with the next one or when the record closes. A file that is not
// a sound database is set aside as `<name>.damaged-N` and a new record started. What the candidate
// must hear of (a file set aside, the first write that failed, answers that could not be kept)
// waits in takeNotice(), once each.
class StudyRecord final {
public:
    // How long a click may wait for a lock held elsewhere, and how long closing waits.
    static constexpr int kAnswerWaitMs = StudyFile::kWaitMs;
    static constexpr int kCloseWaitMs = 2000;

    static inline const QString kFileName = QStringLiteral("study.sqlite");
    // study.sqlite in the per-user data directory.
    static QString defaultPath();

    explicit StudyRecord(const QString& path = defaultPath());
    ~StudyRecord();
    StudyRecord(const StudyRecord&) = delete;
    StudyRecord& operator=(const StudyRecord&) = delete;

    const QString& path() const { return m_file.path(); }
    bool isOpen() const { return m_file.isOpen(); }

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
    int pendingWrites() const { return m_writes.pending(); }
    // Writes what waits, waiting up to kCloseWaitMs; what still cannot be written is given up and
    // told in takeNotice(). Later calls open the record again.
    void close();
    // The message for the candidate, once; empty when there is none.
    QString takeNotice();

    std::array<TypeFigures, 4> typeFigures(const QDate& today = QDate::currentDate());
    DailyProgress dailyProgress(const QDate& today = QDate::currentDate());
    // At least one question a day.
    common::Outcome<> setDailyTarget(int questions);
    QList<ChapterFigures> chapterFigures();
    QList<ExamHistoryEntry> examHistory(); // oldest first
    // Hashes of the questions of `table` in the wrong-answer book on `today`: those due for review
    // by then, and those got wrong the last time; longest due first.
    QStringList wrongBook(const QString& table, const QDate& today = QDate::currentDate());
    QList<BookEntry> wrongBookEntries(const QDate& today = QDate::currentDate());
    // Every answered question's memory state; none when the record cannot be opened.
    QList<MemoryEntry> memoryEntries();
    std::optional<int> weakestTypeIn(const QString& chapter);
    // Hashes of the questions of `table` answered at least once.
    QSet<QString> answeredQuestions(const QString& table);
    // Where the candidate left a practice round named `round` (the question's hash); empty at first.
    QString resumePoint(const QString& round);
    common::Outcome<> keepResumePoint(const QString& round, const QString& questionHash);
    // Where the candidate last moved the 答案解析 window to (its frame's top-left); none at first.
    std::optional<QPoint> answerWindowPlace();
    common::Outcome<> keepAnswerWindowPlace(QPoint place);
    // The candidate's star and note on a question, kept at once; a record that cannot be opened has none.
    QuestionMark questionMark(const QString& table, const QString& questionText);
    common::Outcome<> setStarred(const QString& table, const QString& questionText, bool starred);
    common::Outcome<> setNote(const QString& table, const QString& questionText, const QString& note);
    QList<MarkedQuestion> markedQuestions();
    // A handed-in attempt with its paper's questions as they were; see study::examReview.
    common::Outcome<ExamReview> examReview(qint64 exam);
    // What waits is written first, so the copy holds every answer given so far.
    common::Outcome<> exportTo(const QString& target);
    // See study::importRecord; what waits is written first.
    common::Outcome<> importFrom(const QString& source, ImportMode mode);
    // Empties the record (answers waiting in memory too).
    common::Outcome<> clear();

private:
    common::Outcome<> keepSetting(const QString& key, const QString& value);

    // Declared first: the file and the queue report into it.
    QString m_notice;
    StudyFile m_file;
    StudyWrites m_writes;
};

} // namespace study

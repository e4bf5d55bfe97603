#pragma once

// The figures of the study page, read from an open record.
#include "study/ReviewQueue.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace study {

// Over the different questions of the kind answered in practice or in a mock exam: how many, how
// many of them were right the last time they were answered, how many are in the wrong-answer book
// (due for review by today, or got wrong the last time), and how many will be within the week.
struct TypeFigures {
    int questionsAnswered = 0;
    int rightLastTime = 0;
    int inWrongBook = 0;
    int dueThisWeek = 0;
};

struct ChapterFigures {
    QString chapter;
    int answers = 0;
    int rightAnswers = 0;
};

// A mock exam is passed with 60 of its 100 points.
inline constexpr int kPassScore = 60;

struct ExamHistoryEntry {
    qint64 id = 0; // the attempt in the record
    int paper = 0;
    QDateTime started;
    int usedSeconds = 0;
    int total = 0;
    std::array<int, 4> typeScores{}; // in the order of allQuestionTypes
};

// The questions a day the candidate means to answer, and how today and the days before went.
struct DailyProgress {
    static constexpr int kDefaultTarget = 30;
    int answeredToday = 0; // graded attempts, in practice and in handed-in exams
    int target = kDefaultTarget;
    int daysMetInARow = 0; // ending today when today's target is met, else yesterday
};

std::array<TypeFigures, 4> typeFigures(const QSqlDatabase& db, const QDate& today);
DailyProgress dailyProgress(const QSqlDatabase& db, const QDate& today);
QList<ChapterFigures> chapterFigures(const QSqlDatabase& db);
QList<ExamHistoryEntry> examHistory(const QSqlDatabase& db); // oldest first
// Hashes of the questions of `table` in the wrong-answer book on `today`, longest due first.
QStringList wrongBook(const QSqlDatabase& db, const QString& table, const QDate& today);
// A question in the wrong-answer book and the day it is next due (today or before when due now).
struct BookEntry {
    QString table;
    QString hash;
    int type = 0; // in the order of allQuestionTypes
    QDate due;
};
// The book of every type, longest due first.
QList<BookEntry> wrongBookEntries(const QSqlDatabase& db, const QDate& today);
// Every answered question's memory state, for the day's plan (study/DailyPlan).
QList<MemoryEntry> memoryEntries(const QSqlDatabase& db);
// The type (in the order of allQuestionTypes) whose answers in `chapter` were right least often;
// none when the chapter has no answers.
std::optional<int> weakestTypeIn(const QSqlDatabase& db, const QString& chapter);

// Hashes of the questions of `table` answered at least once, in practice or in an exam.
QSet<QString> answeredQuestions(const QSqlDatabase& db, const QString& table);
// The candidate's setting `key`; empty when never set.
QString setting(const QSqlDatabase& db, const QString& key);

} // namespace study

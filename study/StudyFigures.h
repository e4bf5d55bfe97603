#pragma once

// The figures of the study page, read from an open record.

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <array>

namespace study {

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

std::array<TypeFigures, 4> typeFigures(const QSqlDatabase& db);
QList<ChapterFigures> chapterFigures(const QSqlDatabase& db);
QList<ExamHistoryEntry> examHistory(const QSqlDatabase& db); // oldest first
// Hashes of the questions of `table` in the wrong-answer book, oldest last mistake first.
QStringList wrongBook(const QSqlDatabase& db, const QString& table);

} // namespace study

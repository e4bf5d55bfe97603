#pragma once

// What the windows hand the study record to keep.

#include "bank/QuestionRecord.h"
#include "bank/QuestionType.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>

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
    // The paper's row as handed in, kept so the attempt can be reviewed once the paper is cleared.
    bank::QuestionRecord shown{};
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

} // namespace study

#pragma once

#include "bank/QuestionRecord.h"
#include "common/Outcome.h"
#include "study/StudyFigures.h"

#include <QList>
#include <QSqlDatabase>

namespace study {

// A handed-in attempt as it was: its figures and its paper's questions with the candidate's
// answers and scores, in the order of their numbers.
struct ExamReview {
    ExamHistoryEntry attempt;
    QList<bank::QuestionRecord> questions;
};

// Fails, saying so, for an attempt the record does not hold or whose questions were not kept
// (handed in before the record kept them).
common::Outcome<ExamReview> examReview(const QSqlDatabase& db, qint64 exam);

} // namespace study

#pragma once

#include "exam/PaperStore.h"

#include <QStringList>

namespace exam {

// Records the answer of objective question `id` (1–60) and then the score it earns against the
// standard answer read back from the table, as one change of the store (recordChoiceAnswer, the
// kind following from the number). Returns the score, or why neither is recorded: the question
// cannot be read, the value is not one of its kind, or a statement failed.
common::Outcome<int> recordChoice(PaperStore& store, int id, const QString& value);

// Records the five texts of calculation question `id` (61–62) and the score of the fields read
// back against their standard answers, as one change. Missing texts count as empty.
common::Outcome<int> recordCalculation(PaperStore& store, int id, const QStringList& answers);

// Whether the candidate has given an answer to the question.
bool hasAnswer(const bank::QuestionRecord& question);

} // namespace exam

#pragma once

#include "QuestionType.h"
#include "Scoring.h"

#include <QString>

#include <optional>

namespace bank {

class QuestionBank;

// The road of one answer, as the practice and exam windows take it: record the answer by the question's
// text, re-select the table, find the question again by its number, read the standard answer from the
// fresh row set and record the score it earns. The bank stands on the question afterwards.
// Each returns the score recorded, or nullopt when a step failed (bank.lastError() says which). The
// answer and its score are one change of the file: a failed step leaves neither recorded.

// A single, multiple or true/false answer; the empty value records an unticked question, scoring 0.
std::optional<int> recordChoiceAnswer(QuestionBank& bank, const QString& table, QuestionType type, int id,
                                      const QString& value);

// The five fields of a calculation question.
std::optional<int> recordCalcAnswers(QuestionBank& bank, const QString& table, int id,
                                     const CalcFields& answers);

} // namespace bank

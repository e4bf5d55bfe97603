#pragma once

#include "bank/QuestionType.h"
#include "common/Outcome.h"

#include <QString>
#include <QStringList>

namespace bank {

class QuestionTable;

// The road of one answer, as the practice and exam windows take it: record the answer by the question's
// text, select the table again, find the question again by its number, read the standard answer from the
// fresh row and record the score it earns. The answer and its score are one change of the file: a failed
// step leaves neither recorded. Each returns the score recorded, or why nothing was.

// A single, multiple or true/false answer; the empty value records an unticked question, scoring 0.
// A value that is not an answer of the kind is refused before anything is written.
common::Outcome<int> recordChoiceAnswer(QuestionTable& table, QuestionType type, int id,
                                        const QString& value);

// The five fields of a calculation question; missing texts count as empty.
common::Outcome<int> recordCalcAnswers(QuestionTable& table, int id, const QStringList& answers);

} // namespace bank

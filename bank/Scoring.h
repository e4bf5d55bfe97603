#pragma once

#include "bank/CalcAnswer.h"
#include "bank/QuestionType.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace bank {

// The recording and scoring rules the answer pages apply. Pure functions: no bank, no windows.

// States of the option controls A, B, C, D (for true/false: 正确 is the first, 错误 the second).
using OptionStates = std::array<bool, 4>;

inline constexpr int calcFieldCount = 5;
using CalcFields = std::array<QString, calcFieldCount>;

// The true/false answer values.
QString trueAnswer();  // 正确
QString falseAnswer(); // 错误

// Answer value of ticked boxes: their letters in the order A, B, C, D; empty when none is ticked.
QString answerFromOptions(const OptionStates& states);
// Answer value of a true/false choice: 正确 for the first control, 错误 for the second.
QString trueFalseAnswer(bool firstChoice);
// The controls that show a recorded XXDA again. An empty value leaves every control unset;
// a value outside the recorded forms of the kind gives nullopt.
std::optional<OptionStates> optionsFromAnswer(QuestionType type, const QString& recorded);

// The values recordAnswer accepts for a kind: single A–D; multiple the fifteen letter combinations;
// true/false 正确/错误. The empty value (nothing ticked) is accepted by every objective kind.
bool isRecordableAnswer(QuestionType type, const QString& value);
// The seventeen non-empty answer values in a fixed order.
const QStringList& answerValues();

// Score of a single, multiple or true/false answer: the kind's points when it equals the standard
// answer, otherwise 0. An empty answer never scores.
int choiceScore(QuestionType type, const QString& answer, const QString& standard);

// Score of a calculation question: 2 for every field whose answer matches its standard answer as
// CalcAnswer.h compares them, 0 … 10. From a count of matching fields: 2 × matches (0 outside 0 … 5).
int calcScore(const CalcFields& answers, const CalcFields& standards, SubAccounts subAccounts);
int calcScoreFromMatches(int matches);

// The seven scores that may be recorded: 0, 1, 2, 4, 6, 8, 10.
bool isRecordableScore(int score);

} // namespace bank

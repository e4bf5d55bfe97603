#pragma once

#include <QString>

// What the answer windows derive from a question's values, apart from any window.
namespace question {

// "单选题第 5 题" style label of question `id` (1–62) of a paper; empty for any other number.
QString paperQuestionLabel(int id);

// An objective answer is right when it was given and equals the standard answer.
bool objectiveAnswerRight(const QString& recorded, const QString& standard);

// The letter of choice option `index` (0–3), which is also the answer that option gives: "B".
QString optionLetter(int index);

// The caption of choice option `index` (0–3): its letter, one blank, its text ("B 预付账款"). The
// bank's option texts carry no letter; the standard answer names options by it.
QString optionCaption(int index, const QString& text);

// The candidate's answer as the practice answer window shows it: 未做 when none is recorded.
QString shownRecordedAnswer(const QString& recorded);

} // namespace question

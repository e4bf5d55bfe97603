#pragma once

// A handed-in question as the paper showed it, kept as JSON in the record's exam_questions.shown.

#include "bank/QuestionRecord.h"

#include <QString>

#include <optional>

namespace study {

QString shownQuestionText(const bank::QuestionRecord& question);
// Nothing when `text` is not a kept question.
std::optional<bank::QuestionRecord> shownQuestionFrom(const QString& text);

} // namespace study

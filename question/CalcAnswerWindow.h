#pragma once

#include "bank/QuestionRecord.h"
#include "question/AnswerWindow.h"
#include "question/AnswerWindowDeclarations.h"

namespace question {

// The five standard answers beside the five recorded ones, a tick or a cross per field, the score
// and the explanation of one calculation-analysis question; opened from the exam window, also the
// question's label within its paper (ID 61 or 62).
class CalcAnswerWindow final : public AnswerWindow {
    Q_OBJECT
public:
    CalcAnswerWindow(AnswerVariant variant, const bank::QuestionRecord& question, QWidget* opener);
};

} // namespace question

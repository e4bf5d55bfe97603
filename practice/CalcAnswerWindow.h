#pragma once

#include "AnswerWindow.h"
#include "AnswerWindowDeclarations.h"
#include "QuestionRecord.h"

namespace practice {

// The five standard answers beside the five recorded ones, a tick or a cross per field, the score
// and the explanation of one calculation-analysis question.
class CalcAnswerWindow : public AnswerWindow {
    Q_OBJECT
protected:
    CalcAnswerWindow(AnswerVariant variant, const bank::QuestionRecord& question, QWidget* opener);
};

} // namespace practice

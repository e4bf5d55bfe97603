#pragma once

#include "bank/QuestionRecord.h"
#include "question/AnswerWindow.h"
#include "question/AnswerWindowDeclarations.h"

namespace question {

// Standard answer, the candidate's answer with a tick or a cross, and the explanation of one
// single-choice, multiple-choice or true/false question.
class ObjectiveAnswerWindow : public AnswerWindow {
    Q_OBJECT
protected:
    ObjectiveAnswerWindow(AnswerVariant variant, const bank::QuestionRecord& question, QWidget* opener);
};

} // namespace question

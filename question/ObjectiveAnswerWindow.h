#pragma once

#include "AnswerWindow.h"
#include "AnswerWindowDeclarations.h"
#include "QuestionRecord.h"

namespace question {

// Standard answer, the candidate's answer with a tick or a cross, and the explanation of one
// single-choice, multiple-choice or true/false question.
class ObjectiveAnswerWindow : public AnswerWindow {
    Q_OBJECT
protected:
    ObjectiveAnswerWindow(AnswerVariant variant, const QuestionRecord& question, QWidget* opener);
};

} // namespace question

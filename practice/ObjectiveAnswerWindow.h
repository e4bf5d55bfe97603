#pragma once

#include "AnswerWindow.h"
#include "AnswerWindowDeclarations.h"
#include "QuestionRecord.h"

namespace practice {

// Standard answer, the candidate's answer with a tick or a cross, and the explanation of one
// single-choice, multiple-choice or true/false question.
class ObjectiveAnswerWindow : public AnswerWindow {
    Q_OBJECT
protected:
    ObjectiveAnswerWindow(AnswerVariant variant, const bank::QuestionRecord& question, QWidget* opener);
};

} // namespace practice

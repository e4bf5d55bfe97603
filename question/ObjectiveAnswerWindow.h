#pragma once

#include "bank/QuestionRecord.h"
#include "question/AnswerWindow.h"
#include "question/AnswerWindowDeclarations.h"

namespace question {

// Standard answer, the candidate's answer with a tick or a cross, and the explanation of one
// single-choice, multiple-choice or true/false question. Opened from the practice window's 评分解析
// it shows the score, and an empty answer reads 未做; from the exam window's 答案解析, the question's
// label within its paper (ID 1–62) instead of the score.
class ObjectiveAnswerWindow final : public AnswerWindow {
    Q_OBJECT
public:
    ObjectiveAnswerWindow(AnswerVariant variant, const bank::QuestionRecord& question, QWidget* opener);
};

} // namespace question

#pragma once

#include "question/ObjectiveAnswerWindow.h"

namespace question {

// The answer window of an objective question opened from the practice window's 评分解析: with its score; an
// empty answer reads 未做. Uses DA, XXDA, fen and JX of the question.
class PracticeAnswerWindow final : public ObjectiveAnswerWindow {
    Q_OBJECT
public:
    PracticeAnswerWindow(const bank::QuestionRecord& question, QWidget* opener)
        : ObjectiveAnswerWindow(AnswerVariant::Practice, question, opener) {}
};

} // namespace question

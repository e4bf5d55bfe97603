#pragma once

#include "question/CalcAnswerWindow.h"

namespace question {

// The answer window of a calculation-analysis question opened from the practice window's 评分解析.
// Uses fen, JX, fenxi1 … fenxi5 and DAfenxi1 … DAfenxi5 of the question.
class PracticeCalcAnswerWindow final : public CalcAnswerWindow {
    Q_OBJECT
public:
    PracticeCalcAnswerWindow(const bank::QuestionRecord& question, QWidget* opener)
        : CalcAnswerWindow(AnswerVariant::Practice, question, opener) {}
};

} // namespace question

#pragma once

#include "question/CalcAnswerWindow.h"

namespace question {

// The answer window of a calculation-analysis question opened from the exam window's 答案解析, with the
// question's label (ID 61 or 62). Uses ID, fen, JX, fenxi1 … fenxi5 and DAfenxi1 … DAfenxi5 of the question.
class ExamCalcAnswerWindow final : public CalcAnswerWindow {
    Q_OBJECT
public:
    ExamCalcAnswerWindow(const bank::QuestionRecord& question, QWidget* opener)
        : CalcAnswerWindow(AnswerVariant::Exam, question, opener) {}
};

} // namespace question

#pragma once

#include "question/ObjectiveAnswerWindow.h"

namespace question {

// The answer window of an objective question opened from the exam window's 答案解析: with the question's
// label within its paper (ID 1–62). Uses ID, DA, XXDA and JX of the question.
class ExamAnswerWindow final : public ObjectiveAnswerWindow {
    Q_OBJECT
public:
    ExamAnswerWindow(const bank::QuestionRecord& question, QWidget* opener)
        : ObjectiveAnswerWindow(AnswerVariant::Exam, question, opener) {}
};

} // namespace question

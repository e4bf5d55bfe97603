#include "question/ObjectiveAnswerWindow.h"

#include "question/AnswerNames.h"
#include "question/AnswerRules.h"
#include "ui/PictureBox.h"

using bank::QuestionRecord;

namespace question {

ObjectiveAnswerWindow::ObjectiveAnswerWindow(AnswerVariant variant, const QuestionRecord& question,
                                             QWidget* opener)
    : AnswerWindow(objectiveAnswerWindowDeclaration(), objectiveAnswerDeclaration(variant), opener) {
    const bool exam = variant == AnswerVariant::Exam;
    if (exam) {
        setText(names::kObjectiveLabel, paperQuestionLabel(question.id));
        setText(names::kObjectiveRecorded, question.xxda);
    } else {
        setText(names::kObjectiveScore, question.fen);
        setText(names::kObjectiveRecorded, shownRecordedAnswer(question.xxda));
    }
    setText(names::kObjectiveStandard, question.da);
    setText(names::kExplanation, question.jx);
    const bool right = objectiveAnswerRight(question.xxda, question.da);
    controls().get<ui::MarkBox>(names::kObjectiveMark)->setMark(right ? ui::Mark::Tick : ui::Mark::Cross);
}

} // namespace question

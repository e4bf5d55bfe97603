#include "CalcAnswerWindow.h"

#include "AnswerNames.h"
#include "AnswerRules.h"
#include "CalcAnswer.h"
#include "PictureBox.h"

namespace practice {

CalcAnswerWindow::CalcAnswerWindow(AnswerVariant variant, const QuestionRecord& question, QWidget* opener)
    : AnswerWindow(calcAnswerWindowDeclaration(), calcAnswerDeclaration(variant), opener) {
    if (variant == AnswerVariant::Exam) setText(names::kCalcLabel, paperQuestionLabel(question.id));
    setText(names::kCalcScore, question.fen);
    for (int n = 1; n <= calcFieldCount; ++n) {
        const QString& standard = question.standards[n - 1];
        const QString& answer = question.answers[n - 1];
        setText(names::calcStandard(n), standard);
        setText(names::calcRecorded(n), answer);
        // The field comparison the score was recorded with, so that the score is twice the ticks.
        const bool right = calcFieldMatches(answer, standard);
        controls().get<ui::MarkBox>(names::calcMark(n))->setMark(right ? ui::Mark::Tick : ui::Mark::Cross);
    }
    setText(names::kExplanation, question.jx);
}

} // namespace practice

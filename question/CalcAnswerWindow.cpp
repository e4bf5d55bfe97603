#include "question/CalcAnswerWindow.h"

#include "bank/CalcAnswer.h"
#include "question/AnswerNames.h"
#include "question/AnswerRules.h"
#include "ui/PictureBox.h"

#include <QPlainTextEdit>

using bank::calcFieldCount;
using bank::calcFieldMatches;
using bank::QuestionRecord;

namespace question {
namespace {

// One journal line to a line of the box, never wrapped onto a second that would read as another
// journal line; a line too long for the box shows its start, and the whole field is its tooltip.
void showLineByLine(QPlainTextEdit* box) {
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->document()->setDocumentMargin(1);
    box->setToolTip(box->toPlainText());
}

} // namespace

CalcAnswerWindow::CalcAnswerWindow(AnswerVariant variant, const QuestionRecord& question, QWidget* opener)
    : AnswerWindow(calcAnswerWindowDeclaration(), calcAnswerDeclaration(variant), opener) {
    if (variant == AnswerVariant::Exam) setText(names::kCalcLabel, paperQuestionLabel(question.id));
    setText(names::kCalcScore, question.fen);
    for (int n = 1; n <= calcFieldCount; ++n) {
        const QString& standard = question.standards[n - 1];
        const QString& answer = question.answers[n - 1];
        setText(names::calcStandard(n), standard);
        setText(names::calcRecorded(n), answer);
        showLineByLine(controls().get<QPlainTextEdit>(names::calcStandard(n)));
        showLineByLine(controls().get<QPlainTextEdit>(names::calcRecorded(n)));
        // The field comparison the score was recorded with, so that the score is twice the ticks.
        const bool right = calcFieldMatches(answer, standard, bank::subAccountsAskedBy(question.tm));
        controls().get<ui::MarkBox>(names::calcMark(n))->setMark(right ? ui::Mark::Tick : ui::Mark::Cross);
    }
    setText(names::kExplanation, question.jx);
}

} // namespace question

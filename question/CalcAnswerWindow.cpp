#include "question/CalcAnswerWindow.h"

#include "bank/CalcAnswer.h"
#include "question/AnswerNames.h"
#include "question/AnswerRules.h"
#include "ui/PictureBox.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

using bank::calcFieldCount;
using bank::calcFieldMatches;
using bank::QuestionRecord;

namespace question {
namespace {

// The smallest face a line is drawn in to fit its box: still legible Chinese.
constexpr int kSmallestPixels = 9;

// One journal line to a line of the box, never wrapped onto a second that would read as another
// journal line; the whole field is also its tooltip.
void showLineByLine(QPlainTextEdit* box) {
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->document()->setDocumentMargin(1);
    box->setToolTip(box->toPlainText());
}

// The width a line has in the box: inside its frame, beside its scroll bar, within the margins and
// with the cursor's pixel after it.
int lineRoom(const QPlainTextEdit* box) {
    const int bar = box->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box->verticalScrollBar());
    const int margins = 2 * static_cast<int>(box->document()->documentMargin());
    return box->contentsRect().width() - bar - margins - 1;
}

bool linesFit(const QPlainTextEdit* box, const QFont& font) {
    const QFontMetrics metrics(font);
    const QStringList lines = box->toPlainText().split(u'\n');
    return std::all_of(lines.begin(), lines.end(),
                       [&](const QString& line) { return metrics.horizontalAdvance(line) <= lineRoom(box); });
}

// A row whose longest journal line (a long account's) is wider than its box is drawn in a smaller
// face, the same in the standard's and the recorded box so that they still compare line by line,
// until every line shows whole.
void fitLongestLine(QPlainTextEdit* standard, QPlainTextEdit* recorded) {
    QFont font = standard->font();
    int pixels = QFontInfo(font).pixelSize();
    while (pixels > kSmallestPixels && !(linesFit(standard, font) && linesFit(recorded, font)))
        font.setPixelSize(--pixels);
    standard->setFont(font);
    recorded->setFont(font);
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
        auto* standardBox = controls().get<QPlainTextEdit>(names::calcStandard(n));
        auto* recordedBox = controls().get<QPlainTextEdit>(names::calcRecorded(n));
        showLineByLine(standardBox);
        showLineByLine(recordedBox);
        fitLongestLine(standardBox, recordedBox);
        // The field comparison the score was recorded with, so that the score is twice the ticks.
        const bool right = calcFieldMatches(answer, standard, bank::subAccountsAskedBy(question.tm));
        controls().get<ui::MarkBox>(names::calcMark(n))->setMark(right ? ui::Mark::Tick : ui::Mark::Cross);
    }
    setText(names::kExplanation, question.jx);
}

} // namespace question

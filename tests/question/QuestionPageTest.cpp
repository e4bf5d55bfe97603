// What the question page decides for both windows: which answer page a question takes and which
// answer window opens for it.

#include "question/QuestionPage.h"
#include "question/AnswerNames.h"
#include "question/CalcAnswerWindow.h"
#include "question/ObjectiveAnswerWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace question;

using bank::QuestionRecord;
using bank::QuestionType;

TEST(QuestionPage, EachTypeTakesItsAnswerPage) {
    EXPECT_EQ(answerPage(QuestionType::SingleChoice, {}), names::SinglePage);
    EXPECT_EQ(answerPage(QuestionType::MultipleChoice, {}), names::MultiplePage);
    EXPECT_EQ(answerPage(QuestionType::TrueFalse, {}), names::TrueFalsePage);
    // A calculation-analysis question's page follows the type text the bank gives it.
    EXPECT_EQ(answerPage(QuestionType::Calculation, u"计算分析题-计算"_s), names::AmountsPage);
    EXPECT_EQ(answerPage(QuestionType::Calculation, u"计算分析题-分录"_s), names::JournalPage);
    // The type text only matters for a calculation question.
    EXPECT_EQ(answerPage(QuestionType::TrueFalse, u"计算分析题-计算"_s), names::TrueFalsePage);
}

TEST(QuestionPage, TheAnswerWindowFollowsTheTypeAndTheWindowThatOpensIt) {
    QWidget opener;
    opener.show();
    QuestionRecord question;
    question.id = 61;
    question.fen = u"4"_s;

    QPointer<AnswerWindow> calc =
        openAnswerWindow(AnswerVariant::Exam, QuestionType::Calculation, question, &opener);
    ASSERT_NE(qobject_cast<CalcAnswerWindow*>(calc.data()), nullptr);
    EXPECT_TRUE(calc->isVisible());
    EXPECT_EQ(calc->parentWidget(), &opener);
    EXPECT_EQ(calc->controls().get<QLabel>(names::kCalcLabel)->text(), u"计算分析题第 1 题"_s);
    calc->close();

    question.id = 41;
    question.xxda = u"正确"_s;
    question.da = u"正确"_s;
    QPointer<AnswerWindow> objective =
        openAnswerWindow(AnswerVariant::Practice, QuestionType::TrueFalse, question, &opener);
    ASSERT_NE(qobject_cast<ObjectiveAnswerWindow*>(objective.data()), nullptr);
    EXPECT_EQ(objective->controls().get<QLabel>(names::kObjectiveScore)->text(), u"4"_s);
    objective->close();
    // Closed, the windows go.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(calc.isNull());
    EXPECT_TRUE(objective.isNull());
}

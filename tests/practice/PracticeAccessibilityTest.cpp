// The practice window as a screen reader and a keyboard reach it: named picture buttons and options
// with their letters, and answering, moving and zooming by keys of the platform window alone.

#include "ScreenReader.h"
#include "TestBank.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::QuestionType;

TEST(PracticeAccessibility, KeysAloneAnswerMoveAndZoomWhatTheReaderNames) {
    TestBank bank;
    ASSERT_EQ(
        bank.write({{u"danxuan"_s,
                     {choiceQuestion(1, u"下列属于资产的是"_s,
                                     {u"应收账款"_s, u"短期借款"_s, u"实收资本"_s, u"预收账款"_s}, u"A"_s),
                      choiceQuestion(2, u"会计的基本职能是"_s,
                                     {u"核算与监督"_s, u"预测"_s, u"决策"_s, u"评价"_s}, u"A"_s)}}}),
        QString());
    PracticeWindow window(QuestionType::SingleChoice, bank.path());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto control = [&](const QString& name) { return window.controls().widget(name); };
    QWindow* keys = window.windowHandle();

    EXPECT_EQ(accessibleName(control(u"图片框3"_s)), u"会计专业技术资格考试"_s);
    EXPECT_EQ(accessibleName(control(names::kZoomIn)), u"放大"_s);
    EXPECT_EQ(accessibleName(control(names::kNext)), u"下一题"_s);

    ASSERT_TRUE(tabTo(control(names::kSingleOptions[0]))); // Tab enters the group, arrows move in it
    QTest::keyClick(keys, Qt::Key_Down);
    QTest::keyClick(keys, Qt::Key_Space);
    EXPECT_EQ(bank.stored(u"danxuan"_s, 1).xxda, u"B"_s);
    QAccessibleInterface* option = QAccessible::queryAccessibleInterface(control(names::kSingleOptions[1]));
    EXPECT_EQ(option->text(QAccessible::Name), u"B 短期借款"_s);
    EXPECT_TRUE(option->state().checked);

    ASSERT_TRUE(tabTo(control(names::kZoomIn)));
    const int pixels = control(names::kQuestionText)->font().pixelSize();
    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_GT(control(names::kQuestionText)->font().pixelSize(), pixels);
    ASSERT_TRUE(tabTo(control(names::kNext)));
    QTest::keyClick(keys, Qt::Key_Enter);
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(control(names::kQuestionText))->toPlainText(),
              u"会计的基本职能是"_s);
}

TEST(PracticeAccessibility, CalculationPageFollowsTheQuestionInTheTabOrder) {
    TestBank bank;
    ASSERT_EQ(bank.write({{u"fenxi"_s,
                           {calcQuestion(1, u"计算分析题-计算"_s, u"计算下列金额"_s,
                                         {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s})}}}),
              QString());
    PracticeWindow window(QuestionType::Calculation, bank.path());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(tabTo(window.controls().widget(names::kQuestionText)));
    QStringList walked;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    const qsizetype submit = walked.indexOf(u"按钮3"_s);
    EXPECT_GE(walked.indexOf(u"计算_编辑框1"_s), 0) << walked.join(u' ').toStdString();
    EXPECT_LT(walked.indexOf(u"计算_编辑框1"_s), submit);
    EXPECT_LT(submit, walked.indexOf(names::kAnswerButton)) << walked.join(u' ').toStdString();
}

// The practice window as a screen reader and a keyboard reach it: named picture buttons and options
// with their letters, and answering, moving and zooming by keys of the platform window alone; on
// every answer page, with its answer window and note window, every control named and reached by Tab.

#include "AccessibilityWalk.h"
#include "ScreenReader.h"
#include "TestBank.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "question/AnswerWindow.h"
#include "question/MarkButtons.h"
#include "question/QuestionPage.h"

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

namespace {

std::string faultsOf(QWidget* window) {
    return walkFaults(window).join(u"; "_s).toStdString();
}

// The window that `open` brings up over the practice window, walked, then closed.
std::string openedFaults(const std::function<void()>& open) {
    const QWidgetList before = QApplication::topLevelWidgets();
    open();
    QWidget* opened = nullptr;
    const bool shown = QTest::qWaitFor([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && !before.contains(w)) opened = w;
        return opened != nullptr;
    });
    if (!shown || !QTest::qWaitForWindowActive(opened)) return "nothing opened";
    const std::string faults = faultsOf(opened);
    opened->close();
    return faults;
}

} // namespace

TEST(PracticeAccessibility, EveryAnswerPageItsAnswerWindowAndTheNoteNameTheirControlsAndTabReachesThem) {
    TestBank bank;
    const QStringList options{u"应收账款"_s, u"短期借款"_s, u"实收资本"_s, u"预收账款"_s};
    ASSERT_EQ(bank.write(
                  {{u"danxuan"_s, {choiceQuestion(1, u"下列属于资产的是"_s, options, u"A"_s, {}, u"解析"_s)}},
                   {u"duoxuan"_s, {choiceQuestion(1, u"下列属于负债的是"_s, options, u"BD"_s)}},
                   {u"panduan"_s, {choiceQuestion(1, u"应收账款属于资产"_s, {}, u"正确"_s)}},
                   {u"fenxi"_s,
                    {calcQuestion(1, u"计算分析题-计算"_s, u"计算下列金额"_s,
                                  {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s}),
                     calcQuestion(2, u"计算分析题-分录"_s, u"编制会计分录"_s,
                                  {u"借：银行存款 100\n贷：实收资本 100"_s, {}, {}, {}, {}})}}}),
              QString());
    for (const QuestionType type : bank::allQuestionTypes) {
        PracticeWindow window(type, bank.path());
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QWidget* questionText = window.controls().widget(names::kQuestionText);
        EXPECT_EQ(accessibleName(questionText), question::kQuestionTextName);
        EXPECT_EQ(QApplication::focusWidget(), questionText); // read first on opening
        const auto press = [&](const QString& name) {
            return [&window, name] { QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton); };
        };
        for (int page = 0; page < (type == QuestionType::Calculation ? 2 : 1); ++page) {
            if (page == 1) QTest::mouseClick(window.controls().widget(names::kNext), Qt::LeftButton);
            EXPECT_EQ(faultsOf(&window), "") << bank::typeCaption(type).toStdString() << page;
            EXPECT_EQ(openedFaults(press(names::kAnswerButton)), "") << "答案解析";
        }
        EXPECT_EQ(openedFaults(press(question::MarkButtons::kNote)), "") << "笔记";
    }
}

TEST(PracticeAccessibility, TabWalksTheBarAsItReadsAndNeverTheStrip) {
    TestBank bank;
    ASSERT_EQ(bank.write(
                  {{u"danxuan"_s,
                    {choiceQuestion(1, u"下列属于资产的是"_s,
                                    {u"应收账款"_s, u"短期借款"_s, u"实收资本"_s, u"预收账款"_s}, u"A"_s)}}}),
              QString());
    PracticeWindow window(QuestionType::SingleChoice, bank.path());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(
        namesOf(tabRound(&window)),
        (QStringList{names::kQuestionText, names::singleOption(1), names::kAnswerButton, names::kPrevious,
                     names::kNext, question::MarkButtons::kStar, question::MarkButtons::kNote,
                     names::kZoomOut, names::kZoomReset, names::kZoomIn, PracticeWindow::kJumpField}));
}

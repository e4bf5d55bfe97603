// Answering from the keyboard in the practice window: keys given through the platform window reach
// the bank as the mouse's clicks do; keys typed into fields stay there.
#include "TestBank.h"
#include "entry/GridNames.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::BankTable;
using bank::QuestionType;

namespace {

class PracticeAnswerKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QList<BankTable> tables = {
            {u"danxuan"_s,
             {choiceQuestion(1, u"下列属于资产的是"_s,
                             {u"应收账款"_s, u"短期借款"_s, u"实收资本"_s, u"利润"_s}, u"A"_s),
              choiceQuestion(2, u"会计的基本职能是"_s, {u"核算与监督"_s, u"预测"_s, u"决策"_s, u"评价"_s},
                             u"A"_s)}},
            {u"duoxuan"_s,
             {choiceQuestion(1, u"下列属于负债的有"_s,
                             {u"短期借款"_s, u"应付账款"_s, u"存货"_s, u"固定资产"_s}, u"AB"_s)}},
            {u"panduan"_s, {choiceQuestion(1, u"资产是企业拥有或控制的资源。"_s, {}, u"正确"_s)}},
            {u"fenxi"_s,
             {calcQuestion(1, u"计算分析题-计算"_s, u"计算下列金额"_s,
                           {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s}),
              calcQuestion(2, u"计算分析题-计算"_s, u"再算一次"_s,
                           {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s})}},
        };
        ASSERT_EQ(m_bank.write(tables), QString());
    }

    std::unique_ptr<PracticeWindow> open(QuestionType type) {
        auto window = std::make_unique<PracticeWindow>(type, m_bank.path());
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }
    static void key(PracticeWindow& w, Qt::Key key) { QTest::keyClick(w.windowHandle(), key); }
    QString recorded(const QString& table, int id) const { return m_bank.stored(table, id).xxda; }

    TestBank m_bank;
};

TEST_F(PracticeAnswerKeysTest, LettersAndDigitsChooseTheSingleOptionAndPageKeysMove) {
    auto w = open(QuestionType::SingleChoice);
    key(*w, Qt::Key_B);
    EXPECT_EQ(recorded(u"danxuan"_s, 1), u"B"_s);
    EXPECT_TRUE(w->controls().get<QAbstractButton>(u"单选框2"_s)->isChecked());
    key(*w, Qt::Key_4);
    EXPECT_EQ(recorded(u"danxuan"_s, 1), u"D"_s);
    EXPECT_EQ(w->controls().get<QAbstractButton>(u"单选框3"_s)->toolTip(), u"快捷键：C 或 3"_s);

    key(*w, Qt::Key_PageDown);
    EXPECT_EQ(w->question().id, 2);
    key(*w, Qt::Key_C);
    EXPECT_EQ(recorded(u"danxuan"_s, 2), u"C"_s);
    key(*w, Qt::Key_PageUp);
    EXPECT_EQ(w->question().id, 1);
    EXPECT_TRUE(w->controls().get<QAbstractButton>(u"单选框4"_s)->isChecked()) << "its answer put back";
}

TEST_F(PracticeAnswerKeysTest, LettersToggleMultipleOptionsAndYesNoArrowsAnswerTrueFalse) {
    auto multiple = open(QuestionType::MultipleChoice);
    key(*multiple, Qt::Key_C);
    key(*multiple, Qt::Key_A);
    EXPECT_EQ(recorded(u"duoxuan"_s, 1), u"AC"_s);
    key(*multiple, Qt::Key_3);
    EXPECT_EQ(recorded(u"duoxuan"_s, 1), u"A"_s);
    multiple.reset();

    auto trueFalse = open(QuestionType::TrueFalse);
    EXPECT_EQ(trueFalse->controls().get<QAbstractButton>(u"判断A"_s)->toolTip(), u"快捷键：Y 或 ←"_s);
    key(*trueFalse, Qt::Key_N);
    EXPECT_EQ(recorded(u"panduan"_s, 1), u"错误"_s);
    key(*trueFalse, Qt::Key_Left);
    EXPECT_EQ(recorded(u"panduan"_s, 1), u"正确"_s);
    key(*trueFalse, Qt::Key_Right);
    EXPECT_EQ(recorded(u"panduan"_s, 1), u"错误"_s);
    key(*trueFalse, Qt::Key_Y);
    EXPECT_EQ(recorded(u"panduan"_s, 1), u"正确"_s);
}

TEST_F(PracticeAnswerKeysTest, PageKeysStayWithAFieldAndMoveOutsideIt) {
    auto calc = open(QuestionType::Calculation);
    auto* amount = calc->findChild<QLineEdit*>(entry::amountEditName(1));
    QTest::mouseClick(amount, Qt::LeftButton);
    ASSERT_EQ(calc->focusWidget(), amount);
    key(*calc, Qt::Key_1);
    key(*calc, Qt::Key_PageDown);
    EXPECT_EQ(calc->question().id, 1) << "the page key stays with the field";
    EXPECT_EQ(amount->text(), u"1"_s);
    // Out of the field, the page key moves on and keeps the typed amount, as 下一题 does.
    QTest::mouseClick(calc->controls().get<QPlainTextEdit>(names::kQuestionText)->viewport(), Qt::LeftButton);
    key(*calc, Qt::Key_PageDown);
    EXPECT_EQ(calc->question().id, 2);
    EXPECT_EQ(m_bank.stored(u"fenxi"_s, 1).answers[0], u"1"_s);
}

} // namespace

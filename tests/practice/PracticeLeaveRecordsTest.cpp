// A calculation answer typed and never submitted counts when the candidate leaves the question,
// with the very statements of 提交答案.

#include "TestBank.h"
#include "entry/CalcPages.h"
#include "entry/GridNames.h"
#include "entry/JournalGrid.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "question/AnswerNames.h"
#include "question/CalcAnswerWindow.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::QuestionRecord;
using bank::QuestionType;

namespace {

QStringList* capturedStatements = nullptr;

void captureStatement(QtMsgType, const QMessageLogContext& context, const QString& message) {
    // The category also tells of failed reads (columns a practice table lacks): statements only.
    if (capturedStatements && QByteArrayView(context.category) == "qvtb.sql" &&
        !message.startsWith(u"failed:"))
        capturedStatements->append(message);
}

// The statements sent to the bank while `act` runs.
QStringList statementsDuring(const std::function<void()>& act) {
    QStringList statements;
    capturedStatements = &statements;
    QLoggingCategory::setFilterRules(u"qvtb.sql.debug=true"_s);
    const QtMessageHandler previous = qInstallMessageHandler(captureStatement);
    act();
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    capturedStatements = nullptr;
    return statements;
}

class PracticeLeaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString amounts = u"计算分析题-计算"_s;
        ASSERT_EQ(m_bank.write({{u"fenxi"_s,
                                 {calcQuestion(1, amounts, u"计算下列金额"_s,
                                               {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s}),
                                  calcQuestion(2, u"计算分析题-分录"_s, u"编制会计分录"_s,
                                               {u"借 银行存款 540000\n贷 实收资本（或股本） 540000"_s}),
                                  calcQuestion(3, amounts, u"再算一题"_s, {u"1"_s})}}}),
                  QString());
        m_window = std::make_unique<PracticeWindow>(QuestionType::Calculation, m_bank.path());
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    // A click puts the caret at the end of the box; the keys go through the platform window, a
    // Chinese character as a key that carries its text.
    void type(const QString& name, const QString& text) const {
        QTest::mouseClick(m_window->findChild<QWidget*>(name), Qt::LeftButton);
        QTest::keyClick(m_window->windowHandle(), Qt::Key_End);
        for (const QChar c : text) {
            const char ascii = c.toLatin1();
            QTest::sendKeyEvent(QTest::Click, m_window->windowHandle(),
                                ascii ? QTest::asciiToKey(ascii) : Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
    }
    void typeAmounts(const QStringList& amounts) const {
        for (int row = 1; row <= amounts.size(); ++row)
            type(entry::amountEditName(row), amounts[row - 1]);
    }
    // Tabs to a line's mark and moves down its list by keys: one step 借, two 贷.
    void chooseMark(int line, int steps) const {
        m_window->findChild<QComboBox*>(entry::lineNames(1, line).mark)->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(m_window->windowHandle(), Qt::Key_Down);
    }
    void click(const QString& name) const {
        QTest::mouseClick(m_window->findChild<QWidget*>(name), Qt::LeftButton);
    }
    QuestionRecord stored(int id) const { return m_bank.stored(u"fenxi"_s, id); }

    TestBank m_bank;
    // A round's summary comes up when its window closes after answers.
    ui::ScopedMessageAnswers m_summaries{ui::Answer::No};
    std::unique_ptr<PracticeWindow> m_window;
};

TEST_F(PracticeLeaveTest, AmountsTypedAreRecordedByTheArrowsAndShownByTheScoreWindow) {
    const QStringList right = {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s};
    typeAmounts(right);
    click(names::kNext);
    const QuestionRecord left = stored(1);
    EXPECT_EQ(QStringList(left.answers.begin(), left.answers.end()), right);
    EXPECT_EQ(left.fen, u"10"_s);
    click(names::kPrevious);
    EXPECT_EQ(m_window->findChild<QLineEdit*>(entry::amountEditName(5))->text(), u"500"_s);

    typeAmounts({{}, {}, u"1"_s});
    click(names::kAnswerButton);
    auto* answer = m_window->findChild<question::CalcAnswerWindow*>();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->controls().get<QLabel>(question::names::kCalcScore)->text(), u"8"_s);
    EXPECT_EQ(stored(1).answers[2], u"3001"_s);
    answer->close();
}

TEST_F(PracticeLeaveTest, JournalLinesAndAChangedMarkAreRecordedOnLeaving) {
    click(names::kNext);
    m_window->calcPages()->journalGrid()->setAccountSource(
        [](QWidget*) { return std::optional(u"银行存款"_s); });
    chooseMark(1, 1);
    click(entry::lineNames(1, 1).chooser);
    type(entry::lineNames(1, 1).amount, u"540000"_s);
    chooseMark(2, 2);
    type(entry::lineNames(1, 2).account, u"实收资本"_s); // as the textbook names it
    type(entry::lineNames(1, 2).amount, u"540000元"_s);
    click(names::kNext);
    EXPECT_EQ(stored(2).answers[0], u"借 银行存款 540000\n贷 实收资本 540000元"_s);
    EXPECT_EQ(stored(2).fen, u"10"_s);

    click(names::kPrevious);
    m_window->findChild<QComboBox*>(entry::lineNames(1, 2).mark)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_window->windowHandle(), Qt::Key_Up); // 贷 back to 借, nothing else
    click(names::kPrevious);
    EXPECT_EQ(stored(2).answers[0], u"借 银行存款 540000\n借 实收资本 540000元"_s);
    EXPECT_EQ(stored(2).fen, u"8"_s);
}

TEST_F(PracticeLeaveTest, SubmittingSaysTheAnswerWasTakenAndLeavingDoesNot) {
    typeAmounts({u"100"_s, u"200"_s, u"300"_s});
    click(entry::kAmountsSubmitName);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), PracticeWindow::submittedNote(6));
    EXPECT_EQ(PracticeWindow::submittedNote(6), u"答案已提交，得 6 分"_s);
    type(entry::amountEditName(4), u"400"_s);
    click(names::kNext);
    EXPECT_EQ(stored(1).fen, u"8"_s);
    EXPECT_NE(QToolTip::text(), PracticeWindow::submittedNote(8));
}

TEST_F(PracticeLeaveTest, LeavingSendsTheStatementsOfSubmitting) {
    const QStringList typed = {u"100"_s, u"2'00"_s, u"300"_s, {}, u"5"_s};
    typeAmounts(typed);
    const QStringList leaving = statementsDuring([this] { click(names::kNext); });
    click(names::kPrevious);
    const QStringList submitting = statementsDuring([this] { click(entry::kAmountsSubmitName); });
    EXPECT_EQ(leaving.join(u'\n').toStdString(), submitting.join(u'\n').toStdString());
    const QString where = u"where TM='计算下列金额'"_s;
    EXPECT_EQ(
        submitting.filter(u"update"_s),
        (QStringList{u"update fenxi set fenxi1='100'"_s + where, u"update fenxi set fenxi2='2''00'"_s + where,
                     u"update fenxi set fenxi3='300'"_s + where, u"update fenxi set fenxi4=''"_s + where,
                     u"update fenxi set fenxi5='5'"_s + where, u"update fenxi set fen='4'"_s + where}));
}

TEST_F(PracticeLeaveTest, OnlyChangedAnswersAreWrittenAndNothingJustBeforeTheTableIsCleared) {
    const QStringList statements = statementsDuring([this] {
        click(names::kNext); // nothing typed
        click(names::kPrevious);
        typeAmounts({u"1"_s});
        click(entry::kAmountsSubmitName);
        type(entry::amountEditName(1), u"7"_s);
        QTest::keyClick(m_window->windowHandle(), Qt::Key_Backspace); // typed and taken back
        click(names::kNext);
        click(names::kPrevious);
        type(entry::amountEditName(2), u"7"_s);
        click(names::kNext);
        click(names::kNext);
        typeAmounts({u"1"_s});
        m_window->close(); // clears the table
    });
    // 提交答案 once and one changed answer left: five fields and the score each.
    EXPECT_EQ(statements.filter(u"update"_s).filter(u"where"_s).size(), 12);
}

} // namespace

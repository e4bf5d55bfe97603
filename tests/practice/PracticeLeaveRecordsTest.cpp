// A calculation answer typed and never submitted counts when the candidate leaves the question,
// with the very statements of 提交答案.

#include "AnswerNames.h"
#include "CalcPages.h"
#include "GridNames.h"
#include "JournalGrid.h"
#include "PracticeCalcAnswerWindow.h"
#include "PracticeNames.h"
#include "PracticeWindow.h"
#include "TestBank.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace practice;

namespace {

const QString kAmounts = u"计算分析题-计算"_s;
const QString kJournal = u"计算分析题-分录"_s;
const QStringList kRightAmounts = {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s};

QStringList* capturedStatements = nullptr;

void captureStatement(QtMsgType, const QMessageLogContext& context, const QString& message) {
    // The category also tells of failed reads (columns a practice table lacks): statements only.
    if (capturedStatements && QByteArrayView(context.category) == "qvtb.sql" &&
        !message.startsWith(u"failed:"))
        capturedStatements->append(message);
}

// Every statement sent to the bank while alive.
class StatementLog {
public:
    StatementLog() {
        capturedStatements = &m_statements;
        QLoggingCategory::setFilterRules(u"qvtb.sql.debug=true"_s);
        m_previous = qInstallMessageHandler(captureStatement);
    }
    ~StatementLog() {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
        capturedStatements = nullptr;
    }
    const QStringList& statements() const { return m_statements; }
    QStringList updates() const { return m_statements.filter(QRegularExpression(u"^update "_s)); }

private:
    QStringList m_statements;
    QtMessageHandler m_previous = nullptr;
};

QStringList answersOf(const QuestionRecord& q) {
    return QStringList(q.answers.begin(), q.answers.end());
}

class PracticeLeaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QList<BankTable> tables = {
            {u"fenxi"_s,
             {calcQuestion(1, kAmounts, u"计算下列金额"_s,
                           {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s}),
              calcQuestion(2, kJournal, u"编制会计分录"_s,
                           {u"借 银行存款 540000\n贷 实收资本（或股本） 540000"_s,
                            u"借 原材料 50\n贷 银行存款 50"_s, u"借 库存现金 10\n贷 银行存款 10"_s,
                            u"借 管理费用 5\n贷 库存现金 5"_s, u"借 应付账款 20\n贷 银行存款 20"_s}),
              calcQuestion(3, kAmounts, u"再算一题"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s})}},
            {u"danxuan"_s,
             {choiceQuestion(1, u"第一题"_s, {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s}, u"A"_s),
              choiceQuestion(2, u"第二题"_s, {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s}, u"B"_s)}},
        };
        ASSERT_EQ(m_bank.write(tables), QString());
    }

    // The window as the candidate sees it: shown and active, so keys reach it.
    std::unique_ptr<PracticeWindow> open(QuestionType type) {
        auto w = std::make_unique<PracticeWindow>(type, m_bank.path());
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    // A click puts the caret at the end of the box; the keys go through the platform window.
    static void type(PracticeWindow& w, QWidget* box, const QString& text) {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(w.windowHandle(), Qt::Key_End);
        for (const QChar c : text) {
            const char ascii = c.toLatin1();
            QTest::sendKeyEvent(QTest::Click, w.windowHandle(),
                                ascii ? QTest::asciiToKey(ascii) : Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
    }
    static void typeAmounts(PracticeWindow& w, const QStringList& amounts) {
        for (int n = 1; n <= 5; ++n)
            type(w, w.findChild<QLineEdit*>(entry::amountEditName(n)), amounts[n - 1]);
    }
    static void click(PracticeWindow& w, const QString& name) {
        QTest::mouseClick(w.findChild<QWidget*>(name), Qt::LeftButton);
    }
    static QStringList shownAmounts(const PracticeWindow& w) {
        QStringList shown;
        for (int n = 1; n <= 5; ++n)
            shown.append(w.findChild<QLineEdit*>(entry::amountEditName(n))->text());
        return shown;
    }
    // Marks 借 (one step down the list) or 贷 (two) on a line, by keys after tabbing to it.
    static void chooseMark(PracticeWindow& w, int entry, int line, int steps) {
        auto* mark = w.findChild<QComboBox*>(entry::lineNames(entry, line).mark);
        mark->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(w.windowHandle(), Qt::Key_Down);
    }

    TestBank m_bank;
};

TEST_F(PracticeLeaveTest, AmountsTypedAndLeftAreRecordedAsIfSubmitted) {
    auto w = open(QuestionType::Calculation);
    typeAmounts(*w, kRightAmounts);
    click(*w, names::kNext);
    EXPECT_EQ(w->question().id, 2);
    EXPECT_EQ(answersOf(m_bank.stored(u"fenxi"_s, 1)), kRightAmounts);
    EXPECT_EQ(m_bank.stored(u"fenxi"_s, 1).fen, u"10"_s);
    click(*w, names::kPrevious);
    EXPECT_EQ(shownAmounts(*w), kRightAmounts);

    // Changed again and left backwards: the new texts replace the old ones with their score.
    click(*w, names::kNext);
    click(*w, names::kNext);
    typeAmounts(*w, {u"1"_s, u"2"_s, u"9"_s, {}, {}});
    click(*w, names::kPrevious);
    EXPECT_EQ(answersOf(m_bank.stored(u"fenxi"_s, 3)), (QStringList{u"1"_s, u"2"_s, u"9"_s, {}, {}}));
    EXPECT_EQ(m_bank.stored(u"fenxi"_s, 3).fen, u"4"_s);
}

TEST_F(PracticeLeaveTest, TheScoreWindowShowsAmountsTypedWithoutSubmitting) {
    auto w = open(QuestionType::Calculation);
    typeAmounts(*w, {u"100"_s, u"200"_s, u"301"_s, u"400"_s, {}});
    click(*w, names::kAnswerButton);
    auto* answer = w->findChild<PracticeCalcAnswerWindow*>();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->controls().get<QLabel>(names::kCalcScore)->text(), u"6"_s);
    EXPECT_EQ(answer->controls().get<QPlainTextEdit>(names::calcRecorded(3))->toPlainText(), u"301"_s);
    EXPECT_EQ(m_bank.stored(u"fenxi"_s, 1).fen, u"6"_s);
    answer->close();
}

TEST_F(PracticeLeaveTest, JournalLinesChosenAndTypedAreRecordedOnLeavingAndSoIsAChangedMark) {
    auto w = open(QuestionType::Calculation);
    click(*w, names::kNext);
    ASSERT_EQ(w->question().id, 2);
    w->calcPages()->journalGrid()->setAccountSource([](QWidget*) { return std::optional(u"银行存款"_s); });
    chooseMark(*w, 1, 1, 1);
    click(*w, entry::lineNames(1, 1).chooser);
    type(*w, w->findChild<QLineEdit*>(entry::lineNames(1, 1).amount), u"540000"_s);
    chooseMark(*w, 1, 2, 2);
    // Accounts and amounts as a teacher accepts them: the textbook's name and the unit.
    type(*w, w->findChild<QLineEdit*>(entry::lineNames(1, 2).account), u"实收资本"_s);
    type(*w, w->findChild<QLineEdit*>(entry::lineNames(1, 2).amount), u"540000元"_s);
    click(*w, names::kNext);
    QuestionRecord stored = m_bank.stored(u"fenxi"_s, 2);
    EXPECT_EQ(stored.answers[0], u"借 银行存款 540000\n贷 实收资本 540000元"_s);
    EXPECT_EQ(stored.fen, u"2"_s);

    // Only 贷 turned into 借: leaving records the changed entry, which no longer scores.
    click(*w, names::kPrevious);
    auto* mark = w->findChild<QComboBox*>(entry::lineNames(1, 2).mark);
    ASSERT_EQ(mark->currentText(), u"贷"_s);
    mark->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->windowHandle(), Qt::Key_Up);
    ASSERT_EQ(mark->currentText(), u"借"_s);
    click(*w, names::kPrevious);
    stored = m_bank.stored(u"fenxi"_s, 2);
    EXPECT_EQ(stored.answers[0], u"借 银行存款 540000\n借 实收资本 540000元"_s);
    EXPECT_EQ(stored.fen, u"0"_s);
}

TEST_F(PracticeLeaveTest, LeavingRecordsWithTheStatementsOfSubmitting) {
    QStringList leaving;
    {
        auto w = open(QuestionType::Calculation);
        typeAmounts(*w, {u"100"_s, u"2'00"_s, u"300"_s, {}, u"5"_s});
        StatementLog log;
        click(*w, names::kNext);
        leaving = log.statements();
    } // closing clears the table for the second opening
    auto w = open(QuestionType::Calculation);
    typeAmounts(*w, {u"100"_s, u"2'00"_s, u"300"_s, {}, u"5"_s});
    StatementLog log;
    click(*w, entry::kAmountsSubmitName);
    EXPECT_EQ(leaving.join(u'\n').toStdString(), log.statements().join(u'\n').toStdString());
    EXPECT_EQ(log.updates(), (QStringList{u"update fenxi set fenxi1='100'where TM='计算下列金额'"_s,
                                          u"update fenxi set fenxi2='2''00'where TM='计算下列金额'"_s,
                                          u"update fenxi set fenxi3='300'where TM='计算下列金额'"_s,
                                          u"update fenxi set fenxi4=''where TM='计算下列金额'"_s,
                                          u"update fenxi set fenxi5='5'where TM='计算下列金额'"_s,
                                          u"update fenxi set fen='4'where TM='计算下列金额'"_s}));
}

TEST_F(PracticeLeaveTest, OnlyChangedAnswersAreWrittenAndNothingJustBeforeTheTableIsCleared) {
    auto w = open(QuestionType::Calculation);
    StatementLog log;
    click(*w, names::kNext); // nothing typed
    EXPECT_TRUE(log.updates().isEmpty());
    click(*w, names::kPrevious);
    typeAmounts(*w, {u"1"_s, {}, {}, {}, {}});
    click(*w, names::kNext);
    EXPECT_EQ(log.updates().size(), 6); // five fields and the score
    click(*w, names::kPrevious);
    type(*w, w->findChild<QLineEdit*>(entry::amountEditName(1)), u"7"_s);
    QTest::keyClick(w->windowHandle(), Qt::Key_Backspace); // typed and taken back
    click(*w, names::kNext);
    EXPECT_EQ(log.updates().size(), 6);
    // Closing clears the table: typed texts are not written first.
    click(*w, names::kNext);
    typeAmounts(*w, {u"1"_s, u"2"_s, {}, {}, {}});
    w->close();
    EXPECT_EQ(log.updates().filter(u"where TM="_s).size(), 6);
}

} // namespace

// Amounts and journal lines typed in the exam count when the candidate leaves the question, hands
// the paper in or runs out of time, exactly as if 提交答案 had been pressed.

#include "ExamWindowFixture.h"

#include "BankCompiler.h"
#include "BankPaperStore.h"
#include "CalcPages.h"
#include "ExamNames.h"
#include "GridNames.h"
#include "JournalGrid.h"
#include "MessageBox.h"
#include "PlatformKeys.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;
namespace n = exam::names;

namespace {

const QColor kAnsweredColour(0, 136, 255);

QStringList answersOf(const QuestionRecord& q) {
    return QStringList(q.answers.begin(), q.answers.end());
}

void typeAmounts(ExamWindowFixture& f, const QStringList& amounts) {
    for (int row = 1; row <= 5; ++row)
        typeThroughWindow(f.window->findChild<QLineEdit*>(entry::amountEditName(row)), amounts[row - 1]);
}

QStringList shownAmounts(const ExamWindowFixture& f) {
    QStringList shown;
    for (int row = 1; row <= 5; ++row)
        shown.append(f.window->findChild<QLineEdit*>(entry::amountEditName(row))->text());
    return shown;
}

// Entry 1 of question 62 as its standard answer has it: 借 银行存款 200000 / 贷 实收资本 200000.
void typeFirstEntry(ExamWindowFixture& f) {
    f.window->calcPages()->journalGrid()->setAccountSource(
        [](QWidget*) { return std::optional(u"实收资本（或股本）"_s); });
    for (int line = 1; line <= 2; ++line) {
        const entry::LineNames names = entry::lineNames(1, line);
        f.window->findChild<QComboBox*>(names.mark)->setFocus(Qt::TabFocusReason);
        for (int step = 0; step < line; ++step)
            QTest::keyClick(f.window->windowHandle(), Qt::Key_Down);
        typeThroughWindow(f.window->findChild<QLineEdit*>(names.amount), u"200000"_s);
    }
    typeThroughWindow(f.window->findChild<QLineEdit*>(entry::lineNames(1, 1).account), u"银行存款"_s);
    QTest::mouseClick(f.window->findChild<QWidget*>(entry::lineNames(1, 2).chooser), Qt::LeftButton);
}

struct ExamLeaveTest : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(activate(f.window.get())); }
    ExamWindowFixture f;
};

TEST_F(ExamLeaveTest, AmountsTypedAndLeftByTheCardOrTheArrowsAreRecorded) {
    const QStringList right = {u"1000"_s, u"2500.5"_s, u"300"_s, u"0"_s, u"-120"_s};
    f.click(u"计算分析题1"_s);
    typeAmounts(f, right);
    f.click(u"判断题1"_s);
    EXPECT_EQ(answersOf(f.store->rows()[60]), right);
    EXPECT_EQ(f.store->rows()[60].fen, u"10"_s);
    EXPECT_EQ(f.cardColour(61), kAnsweredColour);
    f.click(u"计算分析题1"_s);
    EXPECT_EQ(shownAmounts(f), right);

    // Its own card button shows the question again: what was typed stays.
    typeAmounts(f, {{}, {}, u"1"_s, {}, {}});
    f.click(u"计算分析题1"_s);
    EXPECT_EQ(shownAmounts(f)[2], u"3001"_s);
    EXPECT_EQ(f.store->rows()[60].answers[2], u"3001"_s);
    EXPECT_EQ(f.store->rows()[60].fen, u"8"_s);

    typeAmounts(f, {{}, {}, {}, {}, u"0"_s});
    f.click(n::kNext);
    EXPECT_EQ(f.window->currentQuestion(), 62);
    EXPECT_EQ(f.store->rows()[60].answers[4], u"-1200"_s);
    EXPECT_EQ(f.store->rows()[60].fen, u"6"_s);
}

TEST_F(ExamLeaveTest, HandingInRecordsTypedAmountsBeforeTheTotal) {
    f.click(u"计算分析题1"_s);
    typeAmounts(f, {u"1000元"_s, u"2500.50"_s, u"300"_s, {}, {}});
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    EXPECT_EQ(boxes.texts().last(), ExamWindow::resultText(6));
    EXPECT_EQ(f.store->rows()[60].fen, u"6"_s);
}

TEST_F(ExamLeaveTest, TimeRunningOutRecordsATypedJournalEntryBeforeTheTotal) {
    f.click(u"计算分析题2"_s);
    typeFirstEntry(f);
    ui::ScopedMessageAnswers boxes;
    f.now += Countdown::kDuration;
    f.window->tick();
    EXPECT_EQ(boxes.texts(), (QStringList{ExamWindow::kTimeUp, ExamWindow::resultText(2)}));
    EXPECT_EQ(f.store->rows()[61].answers[0], u"借 银行存款 200000\n贷 实收资本（或股本） 200000"_s);
}

TEST_F(ExamLeaveTest, OnlyChangedAnswersAreWritten) {
    f.click(u"计算分析题1"_s);
    const int untouched = f.store->writes();
    f.click(n::kNext);
    EXPECT_EQ(f.store->writes(), untouched);
    f.click(n::kPrevious);
    typeAmounts(f, {u"1000"_s, {}, {}, {}, {}});
    f.click(u"单选1"_s);
    const int typed = f.store->writes();
    EXPECT_EQ(typed, untouched + 6); // five fields and the score
    EXPECT_EQ(f.store->rows()[60].fen, u"2"_s);
    f.click(u"计算分析题1"_s);
    f.click(u"计算分析题2"_s);
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    EXPECT_EQ(f.store->writes(), typed);
}

QStringList* capturedStatements = nullptr;

void captureStatement(QtMsgType, const QMessageLogContext& context, const QString& message) {
    // The category also tells of failed reads (columns a practice table lacks): statements only.
    if (capturedStatements && QByteArrayView(context.category) == "qvtb.sql" &&
        !message.startsWith(u"failed:"))
        capturedStatements->append(message);
}

// The statements a window sends while `act` runs: typed amounts on question 61 of paper 20 in a
// bank file of its own, then `act`.
QStringList statementsOf(const std::function<void(ExamWindowFixture&)>& act) {
    QTemporaryDir folder;
    const QString bank = folder.filePath(u"qvtb.mdb"_s);
    EXPECT_EQ(writeBank({{u"tm20"_s, samplePaper(20)}}, bank), QString());
    ExamWindowFixture f(std::make_unique<BankPaperStore>(bank, 20));
    EXPECT_TRUE(activate(f.window.get()));
    f.click(u"计算分析题1"_s);
    typeAmounts(f, {u"1000"_s, u"25'00"_s, {}, u"0"_s, u"-12"_s});
    QStringList statements;
    capturedStatements = &statements;
    QLoggingCategory::setFilterRules(u"qvtb.sql.debug=true"_s);
    const QtMessageHandler previous = qInstallMessageHandler(captureStatement);
    act(f);
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    capturedStatements = nullptr;
    return statements;
}

TEST(ExamLeaveStatements, LeavingSendsTheStatementsOfSubmittingThenReadsTheNextQuestion) {
    const QStringList submitting = statementsOf([](ExamWindowFixture& f) {
        QTest::mouseClick(f.window->findChild<QWidget*>(entry::kAmountsSubmitName), Qt::LeftButton);
    });
    const QStringList leaving = statementsOf([](ExamWindowFixture& f) { f.click(n::kNext); });
    ASSERT_GT(leaving.size(), submitting.size());
    EXPECT_EQ(leaving.first(submitting.size()), submitting);
    EXPECT_EQ(leaving.sliced(submitting.size()), QStringList{u"select * from tm20"_s});
    const QString where = u"where TM='第20套第61题：它''s 题干'"_s;
    EXPECT_EQ(
        submitting.filter(QRegularExpression(u"^update "_s)),
        (QStringList{u"update tm20 set fenxi1='1000'"_s + where, u"update tm20 set fenxi2='25''00'"_s + where,
                     u"update tm20 set fenxi3=''"_s + where, u"update tm20 set fenxi4='0'"_s + where,
                     u"update tm20 set fenxi5='-12'"_s + where, u"update tm20 set fen='4'"_s + where}));
}

} // namespace

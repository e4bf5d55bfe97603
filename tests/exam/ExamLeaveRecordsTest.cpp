// Amounts and journal lines typed in the exam count when the candidate leaves the question, hands
// the paper in or runs out of time, as if 提交答案 had been pressed.

#include "ExamWindowFixture.h"

#include "PlatformKeys.h"
#include "entry/CalcPages.h"
#include "entry/GridNames.h"
#include "entry/JournalGrid.h"
#include "exam/ExamNames.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;

using bank::QuestionRecord;
namespace n = exam::names;

namespace {

struct ExamLeaveTest : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(activate(f.window.get())); }

    QLineEdit* amountBox(int row) const {
        return f.window->findChild<QLineEdit*>(entry::amountEditName(row));
    }
    void typeAmounts(const QStringList& amounts) const {
        for (int row = 1; row <= 5; ++row)
            typeThroughWindow(amountBox(row), amounts[row - 1]);
    }
    const QuestionRecord& stored(int id) const { return f.store->rows()[id - 1]; }

    ExamWindowFixture f;
};

TEST_F(ExamLeaveTest, AmountsTypedAreRecordedByTheCardTheArrowsAndTheirOwnButton) {
    const QStringList right = {u"1000"_s, u"2500.5"_s, u"300"_s, u"0"_s, u"-120"_s};
    f.click(u"计算分析题1"_s);
    typeAmounts(right);
    f.click(u"判断题1"_s);
    EXPECT_EQ(QStringList(stored(61).answers.begin(), stored(61).answers.end()), right);
    EXPECT_EQ(stored(61).fen, u"10"_s);
    EXPECT_EQ(f.cardColour(61), QColor(0, 136, 255));

    // Its own card button shows the question again with what was typed.
    f.click(u"计算分析题1"_s);
    typeAmounts({{}, {}, u"1"_s, {}, {}});
    f.click(u"计算分析题1"_s);
    EXPECT_EQ(amountBox(3)->text(), u"3001"_s);
    EXPECT_EQ(stored(61).fen, u"8"_s);
    typeAmounts({{}, {}, {}, {}, u"0"_s});
    f.click(n::kNext);
    EXPECT_EQ(stored(61).answers[4], u"-1200"_s);
    EXPECT_EQ(stored(61).fen, u"6"_s);
}

TEST_F(ExamLeaveTest, HandingInRecordsTypedAmountsBeforeTheTotal) {
    f.click(u"计算分析题1"_s);
    typeAmounts({u"1000元"_s, u"2500.50"_s, u"300"_s, {}, {}});
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    EXPECT_EQ(boxes.texts().last(), ExamWindow::resultText(6));
}

TEST_F(ExamLeaveTest, TimeRunningOutRecordsATypedJournalEntryBeforeTheTotal) {
    f.click(u"计算分析题2"_s);
    f.window->calcPages()->journalGrid()->setAccountSource(
        [](QWidget*) { return std::optional(u"实收资本（或股本）"_s); });
    for (int line = 1; line <= 2; ++line) { // 借 on the first line, 贷 on the second, by keys
        f.window->findChild<QComboBox*>(entry::lineNames(1, line).mark)->setFocus(Qt::TabFocusReason);
        for (int step = 0; step < line; ++step)
            QTest::keyClick(f.window->windowHandle(), Qt::Key_Down);
        typeThroughWindow(f.window->findChild<QLineEdit*>(entry::lineNames(1, line).amount), u"200000"_s);
    }
    typeThroughWindow(f.window->findChild<QLineEdit*>(entry::lineNames(1, 1).account), u"银行存款"_s);
    QTest::mouseClick(f.window->findChild<QWidget*>(entry::lineNames(1, 2).chooser), Qt::LeftButton);
    ui::ScopedMessageAnswers boxes;
    f.now += Countdown::kDuration;
    f.window->tick();
    EXPECT_EQ(boxes.texts(), (QStringList{ExamWindow::kTimeUp, ExamWindow::resultText(2)}));
    EXPECT_EQ(stored(62).answers[0], u"借 银行存款 200000\n贷 实收资本（或股本） 200000"_s);
}

TEST_F(ExamLeaveTest, OnlyChangedAnswersAreWritten) {
    f.click(u"计算分析题1"_s);
    const int untouched = f.store->writes();
    f.click(n::kNext);
    EXPECT_EQ(f.store->writes(), untouched);
    f.click(n::kPrevious);
    typeAmounts({u"1000"_s, {}, {}, {}, {}});
    f.click(u"单选1"_s);
    EXPECT_EQ(f.store->writes(), untouched + 6); // five fields and the score
    f.click(u"计算分析题1"_s);
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    EXPECT_EQ(f.store->writes(), untouched + 6);
}

} // namespace

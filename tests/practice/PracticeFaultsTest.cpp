// The practice window when the run before it was killed, and when the bank refuses writes.

#include "practice/PracticeWindow.h"

#include "TestBank.h"
#include "WriteFault.h"
#include "practice/PracticeNames.h"
#include "ui/MessageBox.h"
#include "ui/UnsavedAnswersNotice.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::QuestionRecord;
using bank::QuestionType;

namespace {

QList<bank::BankTable> answeredTables() {
    QuestionRecord single =
        choiceQuestion(1, u"下列属于资产的是"_s, {u"应收账款"_s, u"短期借款"_s, u"实收资本"_s, u"预收账款"_s},
                       u"A"_s, u"A"_s);
    single.fen = u"1"_s;
    QuestionRecord multiple = choiceQuestion(
        1, u"下列属于负债的有"_s, {u"短期借款"_s, u"应付账款"_s, u"存货"_s, u"固定资产"_s}, u"AB"_s, u"AB"_s);
    multiple.fen = u"2"_s;
    QuestionRecord calc = calcQuestion(1, u"计算分析题-计算"_s, u"计算下列金额"_s,
                                       {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s});
    calc.answers = calc.standards;
    calc.fen = u"10"_s;
    return {{u"danxuan"_s, {single}}, {u"duoxuan"_s, {multiple}}, {u"fenxi"_s, {calc}}};
}

bool checked(const PracticeWindow& w, const QString& name) {
    return w.controls().get<QAbstractButton>(name)->isChecked();
}

void press(PracticeWindow& w, const QString& name) {
    QTest::mouseClick(w.controls().widget(name), Qt::LeftButton, {}, QPoint(8, 12));
}

} // namespace

// A run killed with answers in the table leaves them in the file; the next opening starts clean.
TEST(PracticeFaults, OpeningClearsAnswersLeftByARunThatNeverClosedItsWindow) {
    TestBank bank;
    ASSERT_EQ(bank.write(answeredTables()), QString());
    {
        PracticeWindow w(QuestionType::SingleChoice, bank.path());
        EXPECT_FALSE(checked(w, names::kSingleOptions[0])) << "the killed run's answer is not shown";
        EXPECT_EQ(bank.stored(u"danxuan"_s, 1).xxda, QString());
        EXPECT_EQ(bank.stored(u"danxuan"_s, 1).fen, u"0"_s);
        EXPECT_EQ(bank.stored(u"duoxuan"_s, 1).xxda, u"AB"_s) << "only the window's own table is cleared";
    }
    PracticeWindow calc(QuestionType::Calculation, bank.path());
    const QuestionRecord stored = bank.stored(u"fenxi"_s, 1);
    EXPECT_EQ(stored.fen, u"0"_s);
    for (const QString& answer : stored.answers)
        EXPECT_EQ(answer, QString());
    EXPECT_EQ(calc.findChild<QLineEdit*>(u"计算_编辑框1"_s)->text(), QString());
}

// A bank that takes no write: the candidate hears it once, and the options show what the file holds.
TEST(PracticeFaults, AFailedWriteIsToldOnceAndNeverShownAsGiven) {
    TestBank bank;
    ASSERT_EQ(bank.write(answeredTables()), QString());
    ui::ScopedMessageAnswers boxes;
    PracticeWindow w(QuestionType::MultipleChoice, bank.path());
    w.show();
    ASSERT_TRUE(boxes.texts().isEmpty());
    {
        NoFileWrites full;
        press(w, names::kMultipleOptions[1]);
        EXPECT_FALSE(checked(w, names::kMultipleOptions[1])) << "a tick the bank does not hold";
        ASSERT_EQ(boxes.texts().size(), 1);
        EXPECT_TRUE(boxes.texts().front().startsWith(ui::UnsavedAnswersNotice::kLead))
            << boxes.texts().front().toStdString();
        EXPECT_TRUE(boxes.texts().front().contains(bank.path())) << boxes.texts().front().toStdString();
        press(w, names::kMultipleOptions[2]);
        EXPECT_FALSE(checked(w, names::kMultipleOptions[2]));
        EXPECT_EQ(boxes.texts().size(), 1) << "told once per window";
    }
    EXPECT_EQ(bank.stored(u"duoxuan"_s, 1).xxda, QString());
    press(w, names::kMultipleOptions[1]);
    EXPECT_TRUE(checked(w, names::kMultipleOptions[1])) << "writes work again once the fault is gone";
    EXPECT_EQ(bank.stored(u"duoxuan"_s, 1).xxda, u"B"_s);
    EXPECT_EQ(boxes.texts().size(), 1);
}

// The calculation page is put back to what the file holds too, and a second window tells again.
TEST(PracticeFaults, AFailedCalculationAnswerLeavesTheFieldsAsStored) {
    TestBank bank;
    ASSERT_EQ(bank.write(answeredTables()), QString());
    ui::ScopedMessageAnswers boxes;
    for (int window = 1; window <= 2; ++window) {
        PracticeWindow w(QuestionType::Calculation, bank.path());
        NoFileWrites full;
        w.findChild<QLineEdit*>(u"计算_编辑框1"_s)->setText(u"100"_s);
        w.findChild<QPushButton*>(u"按钮3"_s)->click();
        EXPECT_EQ(w.findChild<QLineEdit*>(u"计算_编辑框1"_s)->text(), QString());
        EXPECT_EQ(boxes.texts().size(), window);
    }
}

// The answer window opened after hand-in for a journal-entry question: every field holds an entry of
// three lines in full, each line whole, the chart's longest account included; the tooltip too.

#include "ExamWindowFixture.h"

#include "exam/ExamNames.h"
#include "exam/QuestionNumbering.h"
#include "question/AnswerNames.h"
#include "ui/MessageBox.h"

#include <QPlainTextEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;

using bank::CalcFields;
using bank::QuestionRecord;
namespace n = exam::names;

namespace {

// Three-line entries as the bank holds them, one with the longest account of the chart.
const CalcFields kStandards = {
    u"借 待处理财产损溢 5650\n贷 原材料 5000\n贷 应交税费 650"_s,
    u"借 原材料 5000\n借 应交税费-应交增值税（进项税额） 650\n贷 银行存款 5650"_s,
    u"借 管理费用 800\n贷 库存现金 800"_s, u"借 库存现金 200\n贷 待处理财产损溢 200"_s,
    u"借 待处理财产损溢 5650\n贷 原材料 5000\n贷 应交税费-应交增值税（进项税额转出） 650"_s};

QWidget* reviewQuestion62(ExamWindowFixture& f) {
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    f.click(cardButtonName(62));
    f.click(n::kAnswerButton);
    return f.window->reviewWindow();
}

} // namespace

TEST(ThreeLineAnswer, EveryFieldOfTheAnswerWindowShowsAThreeLineEntryWhole) {
    ExamWindowFixture f;
    QList<QuestionRecord> rows = samplePaper(7);
    rows[61].standards = kStandards;
    f.open(7, rows);
    // Recorded after opening: the window clears what an earlier run left in the table.
    for (int field = 1; field <= 5; ++field)
        ASSERT_TRUE(f.store->recordCalcAnswer(rows[61].tm, field, kStandards[field - 1]));
    QWidget* review = reviewQuestion62(f);
    ASSERT_NE(review, nullptr);
    for (int field = 1; field <= 5; ++field) {
        for (const QString& name :
             {question::names::calcStandard(field), question::names::calcRecorded(field)}) {
            auto* box = review->findChild<QPlainTextEdit*>(name);
            ASSERT_NE(box, nullptr) << name.toStdString();
            ASSERT_EQ(box->toPlainText(), kStandards[field - 1]);
            EXPECT_EQ(box->verticalScrollBar()->maximum(), 0)
                << name.toStdString() << ": every line inside the box, none to scroll to";
            EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0)
                << name.toStdString() << ": every line whole, the longest account too";
            EXPECT_EQ(box->toolTip(), kStandards[field - 1]) << name.toStdString();
        }
    }
}

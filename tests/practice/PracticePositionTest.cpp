// The practice header tells where the current question stands: "第 2 / 3 题" after the type's name.

#include "PracticeNames.h"
#include "PracticeWindow.h"
#include "TestBank.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace practice;

namespace {

class PracticePositionTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Numbers out of order: the position is the place in the walk, not the question's number.
        const QStringList options{u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s};
        ASSERT_EQ(m_bank.write({{u"danxuan"_s,
                                 {choiceQuestion(5, u"第一问"_s, options, u"A"_s),
                                  choiceQuestion(2, u"第二问"_s, options, u"B"_s),
                                  choiceQuestion(9, u"第三问"_s, options, u"C"_s)}},
                                {u"panduan"_s, {}}}),
                  QString());
    }

    static void click(PracticeWindow& w, const QString& name) {
        QTest::mouseClick(w.controls().widget(name), Qt::LeftButton);
    }
    static QString position(const PracticeWindow& w) {
        return w.controls().get<QLabel>(names::kPositionLabel)->text();
    }

    TestBank m_bank;
};

TEST_F(PracticePositionTest, TheHeaderCountsTheQuestionsAsTheWindowWalksThem) {
    PracticeWindow w(QuestionType::SingleChoice, m_bank.path());
    w.show();
    EXPECT_EQ(position(w), u"第 1 / 3 题"_s);
    click(w, names::kNext);
    EXPECT_EQ(position(w), u"第 2 / 3 题"_s);
    click(w, names::kNext);
    click(w, names::kNext); // stays on the last question
    EXPECT_EQ(position(w), u"第 3 / 3 题"_s);
    click(w, names::kPrevious);
    EXPECT_EQ(position(w), u"第 2 / 3 题"_s);

    PracticeWindow empty(QuestionType::TrueFalse, m_bank.path());
    EXPECT_EQ(position(empty), QString());
}

TEST_F(PracticePositionTest, ThePositionFollowsTheTypeNameInItsLook) {
    for (QuestionType type : {QuestionType::SingleChoice, QuestionType::Calculation}) {
        PracticeWindow w(type, m_bank.path());
        w.show();
        const auto* name = w.controls().get<QLabel>(names::kTypeLabel);
        const auto* position = w.controls().get<QLabel>(names::kPositionLabel);
        SCOPED_TRACE(name->text().toStdString());
        EXPECT_TRUE(position->isVisible());
        EXPECT_EQ(position->font(), name->font());
        EXPECT_EQ(position->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        // On the name's line, a blank or two after its text.
        const int nameEnd = name->x() + name->fontMetrics().horizontalAdvance(name->text());
        EXPECT_EQ(position->y(), name->y());
        EXPECT_GT(position->x(), nameEnd);
        EXPECT_LT(position->x(), nameEnd + 20);
    }
}

} // namespace

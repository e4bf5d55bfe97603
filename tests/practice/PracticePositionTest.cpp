// The practice header tells where the current question stands: "第 2 / 3 题" after the type's name.

#include "TestBank.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::QuestionType;

TEST(PracticePosition, TheHeaderCountsTheQuestionsAsTheWindowWalksThemAfterTheTypeName) {
    // Numbers out of order: the position is the place in the walk, not the question's number.
    const QStringList options{u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s};
    TestBank bank;
    ASSERT_EQ(bank.write({{u"danxuan"_s,
                           {choiceQuestion(5, u"第一问"_s, options, u"A"_s),
                            choiceQuestion(2, u"第二问"_s, options, u"B"_s),
                            choiceQuestion(9, u"第三问"_s, options, u"C"_s)}}}),
              QString());
    PracticeWindow w(QuestionType::SingleChoice, bank.path());
    w.show();
    const auto* name = w.controls().get<QLabel>(names::kTypeLabel);
    const auto* position = w.controls().get<QLabel>(names::kPositionLabel);
    const auto click = [&w](const QString& button) {
        QTest::mouseClick(w.controls().widget(button), Qt::LeftButton);
    };
    EXPECT_EQ(position->text(), u"第 1 / 3 题"_s);
    click(names::kNext);
    EXPECT_EQ(position->text(), u"第 2 / 3 题"_s);
    click(names::kNext);
    click(names::kNext); // stays on the last question
    EXPECT_EQ(position->text(), u"第 3 / 3 题"_s);
    click(names::kPrevious);
    EXPECT_EQ(position->text(), u"第 2 / 3 题"_s);

    // In the name's look, on its line, a blank or two after its text.
    EXPECT_TRUE(position->isVisible());
    EXPECT_EQ(position->font(), name->font());
    EXPECT_EQ(position->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    const int nameEnd = name->x() + name->fontMetrics().horizontalAdvance(name->text());
    EXPECT_EQ(position->y(), name->y());
    EXPECT_GT(position->x(), nameEnd);
    EXPECT_LT(position->x(), nameEnd + 20);

    PracticeWindow empty(QuestionType::TrueFalse, bank.path()); // no such table: no position
    EXPECT_EQ(empty.controls().get<QLabel>(names::kPositionLabel)->text(), QString());
}

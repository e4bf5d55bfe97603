// The practice window on a small screen: the options stay above the bottom bar, and the window
// cannot be made smaller than its layout holds.

#include "TestBank.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::QuestionType;

TEST(PracticeSmallScreen, OptionsStayAboveTheBottomBarDownToTheSmallestSize) {
    TestBank bank;
    ASSERT_EQ(bank.write({{u"danxuan"_s,
                           {choiceQuestion(1, u"题干"_s, {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s}, u"A"_s)}}}),
              QString());
    PracticeWindow w(QuestionType::SingleChoice, bank.path());
    w.show();
    for (const QSize asked : {QSize(1024, 576), QSize(400, 400)}) {
        w.resize(asked);
        QCoreApplication::processEvents();
        EXPECT_GE(w.width(), 944) << asked.width();
        EXPECT_GE(w.height(), 576) << asked.width();
        const int barTop = w.controls().widget(names::kBar)->y();
        QWidget* lastOption = w.controls().widget(u"单选框4"_s);
        const QRect option(lastOption->mapTo(&w, QPoint()), lastOption->size());
        EXPECT_LE(option.bottom(), barTop) << asked.width();
        EXPECT_LE(w.controls().widget(names::kAnswerPages)->geometry().bottom(), barTop) << asked.width();
    }
}

// Where the exam window puts the question text, the separator, the answer pages and the navigation
// bar at the sizes it is shown at: the design size, a small laptop and a full-HD screen.

#include "ExamWindowFixture.h"

#include "exam/ExamNames.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace n = exam::names;

namespace {

struct Expected {
    QSize client;
    QRect question;
    QRect splitter;
    QRect pages;
    QRect navigation;
    int optionWidth;
};

// The pages take the growth until they hold the whole journal grid (428); the question keeps the rest.
TEST(ExamLayout, QuestionAndAnswerAreasSitWhereDesigned) {
    ExamWindowFixture f;
    for (const Expected& e :
         {Expected{
              {944, 627}, {16, 110, 717, 171}, {0, 282, 733, 2}, {8, 285, 725, 284}, {0, 571, 733, 56}, 665},
          Expected{
              {1024, 740}, {16, 110, 797, 194}, {0, 305, 813, 2}, {8, 308, 805, 374}, {0, 684, 813, 56}, 742},
          Expected{{1920, 1050},
                   {16, 110, 1693, 450},
                   {0, 561, 1709, 2},
                   {8, 564, 1701, 428},
                   {0, 994, 1709, 56},
                   1638}}) {
        f.window->resize(e.client);
        QCoreApplication::processEvents();
        ASSERT_EQ(f.window->size(), e.client);
        EXPECT_EQ(f.get(n::kQuestionText)->geometry(), e.question) << e.client.width();
        EXPECT_EQ(f.get(n::kSeparator)->geometry(), e.splitter) << e.client.width();
        EXPECT_EQ(f.get(n::kAnswerPages)->geometry(), e.pages) << e.client.width();
        EXPECT_EQ(f.get(n::kBar)->geometry(), e.navigation) << e.client.width();
        EXPECT_EQ(f.get(n::kHeader)->geometry(), QRect(0, 0, e.client.width(), 104)) << e.client.width();
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(f.get(n::singleOption(k))->width(), e.optionWidth) << e.client.width();
            EXPECT_EQ(f.get(n::multipleOption(k))->width(), e.optionWidth) << e.client.width();
        }
    }
}

} // namespace

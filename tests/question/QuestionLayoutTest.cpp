#include "question/QuestionLayout.h"

#include <QString>

#include <array>

#include <gtest/gtest.h>

using question::AreaRules;
using question::QuestionLayout;

namespace {

// A window whose answer area takes a third of the growth, and one beside a 211 wide block whose
// answer area takes all growth up to a cap.
constexpr AreaRules kShared{.barFootGap = 1,
                            .separatorGap = 2,
                            .questionBeforeAnswerGrows = 168,
                            .answerShareOfGrowth = 3,
                            .minQuestionHeight = 60,
                            .optionMargin = 51};
constexpr AreaRules kCapped{.reservedRight = 211,
                            .separatorGap = 1,
                            .questionBeforeAnswerGrows = 194,
                            .maxAnswerHeight = 428,
                            .minQuestionHeight = 80,
                            .optionMargin = 63,
                            .minOptionWidth = 665};

std::string sizeName(QSize client) {
    return QStringLiteral("%1x%2").arg(client.width()).arg(client.height()).toStdString();
}

// The question text, separator, answer area and bar at the design client, and the options' width.
void expectAtDesignSize(const AreaRules& rules, const std::array<QRect, 4>& blocks, int optionWidth) {
    const QuestionLayout l = QuestionLayout::forClient({944, 627}, rules);
    EXPECT_EQ((std::array<QRect, 4>{l.questionBox, l.separator, l.answerArea, l.bar}), blocks);
    EXPECT_EQ(l.optionWidth, optionWidth);
}

TEST(QuestionLayout, BlocksStackInsideTheWindowWithoutOverlap) {
    for (const AreaRules& rules : {kShared, kCapped})
        for (QSize client : {QSize(944, 576), QSize(944, 627), QSize(1024, 768), QSize(1920, 1080)}) {
            SCOPED_TRACE(sizeName(client) + " reserved " + std::to_string(rules.reservedRight));
            const QuestionLayout l = QuestionLayout::forClient(client, rules);
            const QRect area(0, 0, client.width() - rules.reservedRight, client.height());
            const QRect blocks[] = {l.header, l.questionBox, l.separator, l.answerArea, l.bar};
            for (int i = 0; i < 5; ++i) {
                EXPECT_FALSE(blocks[i].isEmpty()) << i;
                EXPECT_TRUE(i == 0 ? QRect(QPoint(), client).contains(blocks[i]) : area.contains(blocks[i]))
                    << i;
                for (int j = i + 1; j < 5; ++j) {
                    EXPECT_FALSE(blocks[i].intersects(blocks[j])) << i << " " << j;
                    EXPECT_LE(blocks[i].bottom(), blocks[j].top()) << i << " lies above " << j;
                }
            }
            EXPECT_EQ(l.header.width(), client.width()) << "the header spans the whole client";
            EXPECT_EQ(l.bar.bottom(), client.height() - 1 - rules.barFootGap);
            EXPECT_EQ(l.answerArea.bottom() + 1 + 2, l.bar.top());
            EXPECT_GE(l.answerArea.height(), 284);
        }
}

TEST(QuestionLayout, ASharedGrowthGivesTheQuestionTheLargerPart) {
    expectAtDesignSize(
        kShared, {QRect(16, 110, 928, 168), {0, 280, 944, 2}, {8, 284, 936, 284}, {0, 570, 944, 56}}, 885);
    const QuestionLayout big = QuestionLayout::forClient({944, 927}, kShared);
    EXPECT_EQ(big.answerArea.height(), 284 + 100);
    EXPECT_EQ(big.questionBox.height(), 168 + 200);
}

TEST(QuestionLayout, ACappedAnswerAreaTakesGrowthFirstThenLeavesItToTheQuestion) {
    // The options keep their declared width.
    expectAtDesignSize(
        kCapped, {QRect(16, 110, 717, 171), {0, 282, 733, 2}, {8, 285, 725, 284}, {0, 571, 733, 56}}, 665);
    const QuestionLayout taller = QuestionLayout::forClient({944, 727}, kCapped);
    EXPECT_EQ(taller.questionBox.height(), 194);
    EXPECT_EQ(taller.answerArea.height(), 284 + 77);
    const QuestionLayout tallest = QuestionLayout::forClient({1920, 1050}, kCapped);
    EXPECT_EQ(tallest.answerArea, QRect(8, 564, 1701, 428));
    EXPECT_EQ(tallest.questionBox.height(), 1050 - 56 - 2 - 428 - 4 - 110);
    EXPECT_EQ(tallest.optionWidth, 1701 - 63);
}

TEST(QuestionLayout, AShortWindowKeepsTheQuestionItsLeastHeight) {
    for (const AreaRules& rules : {kShared, kCapped}) {
        const QuestionLayout l = QuestionLayout::forClient({944, 480}, rules);
        EXPECT_EQ(l.questionBox.height(), rules.minQuestionHeight);
        EXPECT_LT(l.answerArea.height(), 284) << "the answer area gives way";
        EXPECT_FALSE(l.answerArea.intersects(l.separator));
        EXPECT_FALSE(l.answerArea.intersects(l.bar));
    }
}

} // namespace

#include "question/QuestionLayout.h"

#include <algorithm>

namespace question {
namespace {

constexpr int kHeaderHeight = 104;
constexpr int kQuestionTop = 110;
constexpr int kQuestionLeft = 16;
constexpr int kAnswerLeft = 8;
constexpr int kBarHeight = 56;
constexpr int kAnswerFootGap = 2; // between the answer area and the bar
constexpr int kSeparatorHeight = 2;
constexpr int kAnswerHeight = 284; // the design height of the answer area, which it never goes below

int answerHeight(int zoneHeight, const AreaRules& rules) {
    const int separatorSpace = kSeparatorHeight + 2 * rules.separatorGap;
    const int growth =
        std::max(zoneHeight - separatorSpace - kAnswerHeight - rules.questionBeforeAnswerGrows, 0);
    const int wanted = std::min(kAnswerHeight + growth / rules.answerShareOfGrowth, rules.maxAnswerHeight);
    return std::min(wanted, std::max(zoneHeight - separatorSpace - rules.minQuestionHeight, 0));
}

} // namespace

QuestionLayout QuestionLayout::forClient(QSize client, const AreaRules& rules) {
    const int width = std::max(client.width(), 1);
    const int height = std::max(client.height(), 1);
    const int areaWidth = std::max(width - rules.reservedRight, 0);
    QuestionLayout l;
    l.header = {0, 0, width, kHeaderHeight};
    l.bar = {0, height - rules.barFootGap - kBarHeight, areaWidth, kBarHeight};

    const int zoneBottom = l.bar.top() - kAnswerFootGap; // the answer area ends here
    const int zoneHeight = zoneBottom - kQuestionTop;
    const int answer = answerHeight(zoneHeight, rules);
    const int question = std::max(zoneHeight - kSeparatorHeight - 2 * rules.separatorGap - answer, 0);

    l.questionBox = {kQuestionLeft, kQuestionTop, std::max(areaWidth - kQuestionLeft, 0), question};
    l.separator = {0, kQuestionTop + question + rules.separatorGap, areaWidth, kSeparatorHeight};
    l.answerArea = {kAnswerLeft, zoneBottom - answer, std::max(areaWidth - kAnswerLeft, 0), answer};
    l.optionWidth = std::max(l.answerArea.width() - rules.optionMargin, rules.minOptionWidth);
    return l;
}

} // namespace question

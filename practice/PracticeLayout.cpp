#include "practice/PracticeLayout.h"

#include <algorithm>

namespace practice {
namespace {

constexpr QSize kDesignClient(944, 627);
constexpr int kHeaderHeight = 104;
constexpr int kQuestionTop = 110;
constexpr int kBarHeight = 56;
constexpr int kBarGap = 1;         // below the bar, as designed (570 + 56 = 626 of 627)
constexpr int kAnswerHeight = 284; // the design height of 高级选择夹1
constexpr int kSeparatorGap = 2;   // around the separator bar
constexpr int kSeparatorHeight = 2;
constexpr int kMinQuestionHeight = 60;
constexpr int kOptionMargin = 51; // 936 - 885: the options' right margin inside the tab control

} // namespace

PracticeLayout PracticeLayout::forClient(QSize client) {
    const int width = std::max(client.width(), 1);
    const int height = std::max(client.height(), 1);
    PracticeLayout l;
    l.header = {0, 0, width, kHeaderHeight};
    l.bottomBar = {0, height - kBarGap - kBarHeight, width, kBarHeight};

    const int extra = std::max(height - kDesignClient.height(), 0);
    const int zoneBottom = l.bottomBar.top() - kSeparatorGap; // the answer area ends here
    const int zoneHeight = zoneBottom - kQuestionTop;
    const int separatorSpace = kSeparatorHeight + 2 * kSeparatorGap;
    int answerHeight = kAnswerHeight + extra / 3;
    answerHeight = std::min(answerHeight, std::max(zoneHeight - separatorSpace - kMinQuestionHeight, 0));
    const int questionHeight = std::max(zoneHeight - separatorSpace - answerHeight, 0);

    l.questionBox = {16, kQuestionTop, std::max(width - 16, 0), questionHeight};
    l.separator = {0, kQuestionTop + questionHeight + kSeparatorGap, width, kSeparatorHeight};
    l.answerTabs = {8, zoneBottom - answerHeight, std::max(width - 8, 0), answerHeight};
    l.optionWidth = std::max(l.answerTabs.width() - kOptionMargin, 0);
    return l;
}

} // namespace practice

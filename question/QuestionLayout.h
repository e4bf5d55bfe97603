#pragma once

#include <QRect>
#include <QSize>

#include <climits>

namespace question {

// How a window shares its height between the question text and the answer area. Both start from
// the same design (header, question text at 110, a thin separator, the answer area 284 high, the
// bar at the foot); the windows differ in the gaps and in how the answer area grows.
struct AreaRules {
    int reservedRight = 0;             // width kept free at the right edge for the window's own blocks
    int barFootGap = 0;                // under the bar
    int separatorGap = 0;              // above and below the separator
    int questionBeforeAnswerGrows = 0; // the question's height from which the answer area grows too
    int answerShareOfGrowth = 1;       // the answer area takes 1/n of the growth; the question the rest
    int maxAnswerHeight = INT_MAX;
    int minQuestionHeight = 0; // the answer area gives way below this
    int optionMargin = 0;      // the options' right margin inside the answer area
    int minOptionWidth = 0;
};

// Where the question and answer blocks of a window go in a client area of a given size: the header
// across the top, the question text, the separator and the answer area stacked in the width left of
// `reservedRight`, the bar at the foot. The blocks never overlap; growth beyond the answer area's
// share goes to the question text.
struct QuestionLayout {
    QRect header;
    QRect questionBox;
    QRect separator;
    QRect answerArea;
    QRect bar;
    int optionWidth = 0; // the option rows widen with the answer area

    static QuestionLayout forClient(QSize client, const AreaRules& rules);
};

} // namespace question

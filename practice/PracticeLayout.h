#pragma once

#include <QRect>
#include <QSize>

namespace practice {

// Where the practice window's blocks go in a client area of a given size. At the design size
// (944 × 627) the declared rectangles of the question box and the answer area overlap; the layout
// keeps them apart at every size: the answer area keeps its design height and takes a third of
// any extra height, the question box takes the rest, and the bottom bar stays at the bottom.
struct PracticeLayout {
    QRect header;
    QRect questionBox;
    QRect separator;
    QRect answerTabs;
    QRect bottomBar;
    int optionWidth = 0; // the option rows widen with the answer area

    static PracticeLayout forClient(QSize client);
};

} // namespace practice

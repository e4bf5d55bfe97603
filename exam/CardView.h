#pragma once

#include "exam/AnswerCard.h"
#include "ui/WindowBuilder.h"

#include <QSize>

namespace exam {

// The answer card on screen: at the right edge of the window at full height, its 62 number buttons
// in the colours and marks of the card's state, and 待查标签 showing the current question's flag.
class CardView {
public:
    CardView(const ui::Built& controls, const AnswerCard& card) : m_controls(controls), m_card(card) {}

    // At its design height and above the card keeps its declared layout; a shorter card keeps the
    // legend at its foot and draws the rows between title and legend closer together.
    void layOut(QSize client) const;
    void paint(int id) const;
    void paintAll() const;
    // Reviewed numbers on green when right and on red when wrong, not on white.
    void colourRightAndWrong() { m_rightAndWrong = true; }

private:
    const ui::Built& m_controls;
    const AnswerCard& m_card;
    bool m_rightAndWrong = false;
};

} // namespace exam

#include "exam/CardView.h"

#include "exam/ExamNames.h"
#include "exam/ExamWindowDeclaration.h"
#include "ui/Palette.h"
#include "ui/PictureBox.h"
#include "ui/PictureButton.h"
#include "ui/Pictures.h"
#include "ui/TransparentLabel.h"

#include <algorithm>

namespace exam {
namespace {

constexpr int kCardTop = 68;
constexpr int kCardFootMargin = 2;   // under the legend at the design size
constexpr int kCardTitleBottom = 36; // 图片框1 and what lies above it never move

} // namespace

void CardView::layOut(QSize client) const {
    const int cardHeight = client.height() - kCardTop;
    m_controls.widget(names::kCard)
        ->setGeometry(client.width() - kCardWidth, kCardTop, kCardWidth, cardHeight);
    const QRect legend = ui::findDeclared(examWindowControls(), names::kLegend)->rect;
    const int legendTop = legend.top();
    const int shortBy = std::max(0, legend.bottom() + 1 + kCardFootMargin - cardHeight);
    const double scale = double(legendTop - shortBy - kCardTitleBottom) / (legendTop - kCardTitleBottom);
    for (const ui::Control& c : examWindowControls()) {
        if (c.parent != names::kCard) continue;
        int top = c.rect.top();
        if (c.name == names::kLegend)
            top -= shortBy;
        else if (top >= kCardTitleBottom)
            top = kCardTitleBottom + qRound((top - kCardTitleBottom) * scale);
        m_controls.widget(c.name)->move(c.rect.left(), top);
    }
}

void CardView::paint(int id) const {
    auto* button = m_controls.get<ui::PictureButton>(cardButtonName(id));
    if (!button) return;
    ui::ButtonLook look = button->look();
    const std::optional<bool> right = m_card.isRight(id);
    QColor colour = cardColour(m_card.state(id));
    if (m_rightAndWrong && right && m_card.state(id) == CardState::Reviewed)
        colour = *right ? ui::palette::kRightPale : ui::palette::kWrongPale;
    look.normal.background = colour;
    look.hot.background = colour;
    button->setLook(look);
    button->setOverlay(
        right ? ui::loadPicture(*right ? ui::MarkBox::kTickPicture : ui::MarkBox::kCrossPicture) : QImage());
    button->setAccessibleName(spokenCardButton(m_card, id));
    if (id == m_card.current())
        m_controls.get<ui::TransparentLabel>(names::kFlag)->setChecked(m_card.isFlagged(id));
}

void CardView::paintAll() const {
    for (int id = kFirstQuestion; id <= kLastQuestion; ++id)
        paint(id);
}

} // namespace exam

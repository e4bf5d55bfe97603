#include "TransparentLabel.h"

namespace ui {

TransparentLabel::TransparentLabel(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextFormat(Qt::PlainText);
}

void TransparentLabel::setHorizontalAlignment(Qt::Alignment horizontal) {
    const Qt::Alignment vertical = wordWrap() ? Qt::AlignTop : Qt::AlignVCenter;
    setAlignment((horizontal & Qt::AlignHorizontal_Mask) | vertical);
}

void TransparentLabel::setWrapping(bool wrap) {
    setWordWrap(wrap);
    setHorizontalAlignment(alignment());
}

} // namespace ui

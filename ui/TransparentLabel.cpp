#include "ui/TransparentLabel.h"

#include "ui/Accessibility.h"
#include "ui/FocusFrame.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ui {

TransparentLabel::TransparentLabel(QWidget* parent) : QLabel(parent) {
    installAccessibleInterfaces();
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

void TransparentLabel::setActsAsButton(bool acts) {
    m_actsAsButton = acts;
    setFocusPolicy(acts ? Qt::StrongFocus : Qt::NoFocus);
}

void TransparentLabel::setChecked(bool checked) {
    if (checked == m_checked) return;
    m_checked = checked;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void TransparentLabel::press() {
    if (m_actsAsButton && isEnabled()) Q_EMIT pressed();
}

void TransparentLabel::mousePressEvent(QMouseEvent* event) {
    if (!m_actsAsButton || event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
    press();
}

void TransparentLabel::keyPressEvent(QKeyEvent* event) {
    const bool activates =
        event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!m_actsAsButton || !activates) return QLabel::keyPressEvent(event);
    if (!event->isAutoRepeat()) press();
}

void TransparentLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!m_actsAsButton || !showsKeyboardFocus(this)) return;
    QPainter painter(this);
    drawFocusFrame(painter, rect());
}

} // namespace ui

#include "ui/PictureButton.h"

#include "ui/Borders.h"
#include "ui/FocusFrame.h"
#include "ui/Pictures.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace ui {
namespace {

constexpr int kGap = 2;              // between picture and caption
constexpr int kOverlayStrength = 60; // per cent of the overlay's own colour

QColor pick(const std::optional<QColor>& preferred, const std::optional<QColor>& fallback,
            const QColor& system) {
    if (preferred) return *preferred;
    if (fallback) return *fallback;
    return system;
}

// The disabled look of a picture without a disabled picture of its own: its grey values, with its
// transparency kept (a transparent pixel is black underneath and must stay see-through).
QImage greyed(const QImage& picture) {
    QImage grey = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int value = qGray(line[x]);
            line[x] = qRgba(value, value, value, qAlpha(line[x]));
        }
    }
    return grey;
}

} // namespace

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::setLook(const ButtonLook& look) {
    m_look = look;
    update();
}

void PictureButton::setPicture(const QImage& picture, bool transparentCorner) {
    m_picture = transparentCorner ? withTransparentCorner(picture) : picture;
    updateGeometry();
    update();
}

void PictureButton::setDisabledPicture(const QImage& picture, bool transparentCorner) {
    m_disabledPicture = transparentCorner ? withTransparentCorner(picture) : picture;
    update();
}

void PictureButton::setOverlay(const QImage& overlay) {
    m_overlay = overlay;
    scaleOverlay();
    update();
}

// Scaled once, smoothly (a large picture drawn straight into a small button would alias), and
// paled towards white so that a caption under its strokes stays legible.
void PictureButton::scaleOverlay() {
    if (m_overlay.isNull() || size().isEmpty()) {
        m_scaledOverlay = QImage();
        return;
    }
    m_scaledOverlay = m_overlay.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                          .convertToFormat(QImage::Format_RGB32);
    const auto pale = [](int channel) { return 255 - (255 - channel) * kOverlayStrength / 100; };
    for (int y = 0; y < m_scaledOverlay.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_scaledOverlay.scanLine(y));
        for (int x = 0; x < m_scaledOverlay.width(); ++x)
            line[x] = qRgb(pale(qRed(line[x])), pale(qGreen(line[x])), pale(qBlue(line[x])));
    }
}

void PictureButton::resizeEvent(QResizeEvent* event) {
    scaleOverlay();
    QAbstractButton::resizeEvent(event);
}

bool PictureButton::isHot() const {
    return isEnabled() && (m_mouseOver || isDown());
}

QColor PictureButton::currentBackground() const {
    const QColor system = palette().color(QPalette::Button);
    if (isHot()) return pick(m_look.hot.background, m_look.normal.background, system);
    if (hasFocus()) return pick(m_look.focused.background, m_look.normal.background, system);
    return pick(m_look.normal.background, std::nullopt, system);
}

QColor PictureButton::currentText() const {
    if (!isEnabled()) return palette().color(QPalette::Disabled, QPalette::ButtonText);
    const QColor system = palette().color(QPalette::ButtonText);
    if (isHot()) return pick(m_look.hot.text, m_look.normal.text, system);
    if (hasFocus()) return pick(m_look.focused.text, m_look.normal.text, system);
    return pick(m_look.normal.text, std::nullopt, system);
}

QSize PictureButton::sizeHint() const {
    const QSize textSize = fontMetrics().size(Qt::TextSingleLine, text());
    const QSize pictureSize = m_picture.size();
    if (m_look.place == PicturePlace::Above)
        return {qMax(textSize.width(), pictureSize.width()) + 8,
                textSize.height() + pictureSize.height() + kGap + 8};
    return {textSize.width() + pictureSize.width() + kGap + 8,
            qMax(textSize.height(), pictureSize.height()) + 8};
}

void PictureButton::enterEvent(QEnterEvent* event) {
    m_mouseOver = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    m_mouseOver = false;
    update();
    QAbstractButton::leaveEvent(event);
}

// Enter presses the button that has the focus, as Space does.
void PictureButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) return QAbstractButton::keyPressEvent(event);
    if (!event->isAutoRepeat()) click();
}

// A flat button of a picture alone, in system colours, lies on its container like the picture it
// shows: where the picture does not cover it, the container shows through.
bool PictureButton::showsContainer() const {
    const bool ownColours = m_look.normal.background || m_look.hot.background || m_look.focused.background;
    return m_look.style == ButtonStyle::Flat && text().isEmpty() && !ownColours;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!showsContainer()) painter.fillRect(rect(), currentBackground());
    drawContent(painter);
    if (!m_scaledOverlay.isNull()) {
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Multiply);
        painter.drawImage(0, 0, m_scaledOverlay);
        painter.restore();
    }
    drawEdges(painter);
    if (m_look.focusRect && showsKeyboardFocus(this)) drawFocusFrame(painter, rect().adjusted(2, 2, -2, -2));
}

void PictureButton::drawEdges(QPainter& painter) const {
    switch (m_look.style) {
    case ButtonStyle::Flat:
        return;
    case ButtonStyle::HotFrame:
        if (!isHot()) return;
        if (isDown())
            drawRing(painter, rect(), palette().color(QPalette::Dark), palette().color(QPalette::Light));
        else
            drawRing(painter, rect(), palette().color(QPalette::Light), palette().color(QPalette::Dark));
        return;
    case ButtonStyle::Raised: {
        const bool sunken = isDown() || isChecked();
        const QColor light = sunken ? palette().color(QPalette::Shadow) : palette().color(QPalette::Light);
        const QColor dark = sunken ? palette().color(QPalette::Light) : palette().color(QPalette::Shadow);
        drawRing(painter, rect(), light, dark);
        painter.setPen(palette().color(QPalette::Mid));
        const QRect inner = rect().adjusted(1, 1, -2, -2); // the last pixels inside the ring
        if (!sunken) {
            painter.drawLine(inner.bottomLeft(), inner.bottomRight());
            painter.drawLine(inner.topRight(), inner.bottomRight());
        }
        return;
    }
    }
}

void PictureButton::drawContent(QPainter& painter) const {
    QImage shown = m_picture;
    if (!isEnabled()) {
        if (!m_disabledPicture.isNull())
            shown = m_disabledPicture;
        else if (!shown.isNull())
            shown = greyed(shown);
    }
    const QString caption = text();
    const QSize textSize = caption.isEmpty() ? QSize() : fontMetrics().size(Qt::TextSingleLine, caption);
    const QSize pictureSize = shown.size();
    const int shift = (isDown() && m_look.style != ButtonStyle::Flat) ? 1 : 0;
    painter.setPen(currentText());
    painter.setFont(font());
    if (m_look.place == PicturePlace::Above) {
        const int gap = (pictureSize.isEmpty() || textSize.isEmpty()) ? 0 : kGap;
        const int total = pictureSize.height() + gap + textSize.height();
        const int top = (height() - total) / 2 + shift;
        if (!shown.isNull())
            painter.drawImage(QPoint((width() - pictureSize.width()) / 2 + shift, top), shown);
        const QRect textRect(0 + shift, top + pictureSize.height() + gap, width(), textSize.height());
        painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, caption);
        return;
    }
    const int gap = (pictureSize.isEmpty() || textSize.isEmpty()) ? 0 : kGap;
    const int total = pictureSize.width() + gap + textSize.width();
    // Wider than the button, it starts at the left edge and is cut at the right, as in a picture box.
    const int left = std::max(0, (width() - total) / 2) + shift;
    if (!shown.isNull())
        painter.drawImage(QPoint(left, (height() - pictureSize.height()) / 2 + shift), shown);
    const QRect textRect(left + pictureSize.width() + gap, shift, textSize.width() + 1, height());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, caption);
}

} // namespace ui

#include "ui/PictureBox.h"

#include "ui/Accessibility.h"
#include "ui/Borders.h"
#include "ui/Pictures.h"

#include <QAccessible>
#include <QPainter>

#include <utility>

namespace ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    installAccessibleInterfaces();
}

void PictureBox::setPicture(const QImage& picture) {
    m_picture = picture;
    m_pictureFile.clear();
    update();
}

void PictureBox::setPictureFile(const QString& path) {
    m_picture = QImage();
    m_pictureFile = path;
    update();
}

const QImage& PictureBox::picture() const {
    if (!m_pictureFile.isEmpty()) m_picture = loadPicture(std::exchange(m_pictureFile, {}));
    return m_picture;
}

void PictureBox::setStretched(bool stretched) {
    m_stretched = stretched;
    update();
}

void PictureBox::setBackground(const std::optional<QColor>& colour) {
    m_background = colour;
    update();
}

void PictureBox::setBorder(Border border) {
    m_border = border;
    update();
}

QRect PictureBox::contentRect() const {
    const int w = borderWidth(m_border);
    return rect().adjusted(w, w, -w, -w);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect content = contentRect();
    painter.fillRect(content, m_background.value_or(palette().color(QPalette::Button)));
    if (const QImage& shown = picture(); !shown.isNull()) {
        painter.setClipRect(content);
        if (m_stretched) {
            // Filtered while drawn, only where the box is repainted: a scaled copy of a large
            // picture would cost megabytes and, on first show, most of the start-up time.
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(content, shown);
        } else {
            painter.drawImage(content.topLeft(), shown);
        }
        painter.setClipping(false);
    }
    drawBorder(painter, rect(), m_border, palette());
}

ShapeBox::ShapeBox(QWidget* parent) : QWidget(parent) {}

void ShapeBox::setFill(const QColor& fill) {
    m_fill = fill;
    update();
}

void ShapeBox::setOutline(const QColor& outline) {
    m_outline = outline;
    update();
}

void ShapeBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_fill);
    painter.setPen(m_outline);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

MarkBox::MarkBox(QWidget* parent) : PictureBox(parent) {
    setBackground(QColor(Qt::white));
    setStretched(true);
}

void MarkBox::setMark(Mark mark) {
    m_mark = mark;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
    switch (mark) {
    case Mark::None:
        setPicture(QImage());
        return;
    case Mark::Tick:
        setPicture(loadPicture(kTickPicture));
        return;
    case Mark::Cross:
        setPicture(loadPicture(kCrossPicture));
        return;
    }
}

} // namespace ui

#include "ui/Borders.h"

#include <QPainter>

#include <array>

namespace ui {
namespace {

// Two rings, the second just inside the first.
void twoRings(QPainter& painter, const QRect& rect, const std::array<QColor, 4>& colours) {
    drawRing(painter, rect, colours[0], colours[1]);
    drawRing(painter, rect.adjusted(1, 1, -1, -1), colours[2], colours[3]);
}

} // namespace

void drawRing(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight) {
    const QRect e = rect.adjusted(0, 0, -1, -1);
    painter.setPen(topLeft);
    painter.drawLine(e.topLeft(), e.topRight());
    painter.drawLine(e.topLeft(), e.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(e.bottomLeft(), e.bottomRight());
    painter.drawLine(e.topRight(), e.bottomRight());
}

int borderWidth(Border border) {
    switch (border) {
    case Border::None:
        return 0;
    case Border::ShallowSunken:
    case Border::SingleLine:
        return 1;
    case Border::Sunken:
    case Border::Raised:
    case Border::Frame:
        return 2;
    }
    return 0;
}

void drawBorder(QPainter& painter, const QRect& rect, Border border, const QPalette& palette) {
    const QColor light = palette.color(QPalette::Light);
    const QColor midlight = palette.color(QPalette::Midlight);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor shadow = palette.color(QPalette::Shadow);
    switch (border) {
    case Border::None:
        return;
    case Border::Sunken:
        return twoRings(painter, rect, {dark, light, shadow, midlight});
    case Border::Raised:
        return twoRings(painter, rect, {midlight, shadow, light, dark});
    case Border::ShallowSunken:
        return drawRing(painter, rect, dark, light);
    case Border::Frame: // an etched line
        return twoRings(painter, rect, {dark, light, light, dark});
    case Border::SingleLine:
        return drawRing(painter, rect, dark, dark);
    }
}

} // namespace ui

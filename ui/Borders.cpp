#include "ui/Borders.h"

#include <QPainter>

namespace ui {
namespace {

// One ring of a 3-D edge: `topLeft` colour on the top and left, `bottomRight` on the others.
void ring(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    const QRect e = r.adjusted(0, 0, -1, -1);
    painter.setPen(topLeft);
    painter.drawLine(e.topLeft(), e.topRight());
    painter.drawLine(e.topLeft(), e.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(e.bottomLeft(), e.bottomRight());
    painter.drawLine(e.topRight(), e.bottomRight());
}

} // namespace

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
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    switch (border) {
    case Border::None:
        return;
    case Border::Sunken:
        ring(painter, rect, dark, light);
        ring(painter, inner, shadow, midlight);
        return;
    case Border::Raised:
        ring(painter, rect, midlight, shadow);
        ring(painter, inner, light, dark);
        return;
    case Border::ShallowSunken:
        ring(painter, rect, dark, light);
        return;
    case Border::Frame: // an etched line
        ring(painter, rect, dark, light);
        ring(painter, inner, light, dark);
        return;
    case Border::SingleLine:
        ring(painter, rect, dark, dark);
        return;
    }
}

} // namespace ui

#pragma once

#include "ui/Declaration.h"

#include <QPalette>
#include <QRect>

class QPainter;

namespace ui {

// Width in pixels of a border kind on each side.
int borderWidth(Border border);
// One ring of a 3-D edge just inside `rect`: `topLeft` colour on the top and left, `bottomRight`
// on the others.
void drawRing(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight);
// Draws the border just inside `rect`.
void drawBorder(QPainter& painter, const QRect& rect, Border border, const QPalette& palette);

} // namespace ui

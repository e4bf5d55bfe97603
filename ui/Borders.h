#pragma once

#include "ui/Declaration.h"

#include <QPalette>
#include <QRect>

class QPainter;

namespace ui {

// Width in pixels of a border kind on each side.
int borderWidth(Border border);
// Draws the border just inside `rect`.
void drawBorder(QPainter& painter, const QRect& rect, Border border, const QPalette& palette);

} // namespace ui

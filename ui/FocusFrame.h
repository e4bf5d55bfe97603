#pragma once

#include <QRect>

class QPainter;
class QWidget;

namespace ui {

// Whether a control drawn by the program shows that it has the focus: it has it, and its window has
// been walked by keys. As on the platform's own buttons, a click alone shows no frame.
bool showsKeyboardFocus(const QWidget* widget);

// A dotted frame along the inside of `rect`, black dots on a white line, so that it stands out on
// any picture or colour the control lies on.
void drawFocusFrame(QPainter& painter, const QRect& rect);

} // namespace ui

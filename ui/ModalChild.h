#pragma once

#include <Qt>

class QWidget;

namespace ui {

// Makes the window `child` a modal child of the window of `opener` (none: modal over the whole
// program):
// - a dialog of the opener, transient for it: on X11 only a dialog carries the transient hint that
//   keeps it above its opener, so a click on the opener cannot send it behind;
// - modal with `modality`;
// - when it closes, the opener becomes the active window again: without a window manager (and with
//   some) nobody else re-activates it, and its keys (Esc) would do nothing until a click.
void makeModalChild(QWidget* child, QWidget* opener, Qt::WindowModality modality);

} // namespace ui

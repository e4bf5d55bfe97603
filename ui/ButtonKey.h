#pragma once

#include <QKeySequence>
#include <QString>

class QAbstractButton;
class QWidget;

namespace ui {

// A window's key for one of its buttons: wherever the focus is in the window, the key clicks the
// button, as the mouse would (a disabled button ignores it). The button's tooltip names the key.
void bindButtonKey(QWidget* window, QAbstractButton* button, const QKeySequence& key);

// "快捷键：F", the tooltip that names a control's key.
QString keyTip(const QKeySequence& key);

} // namespace ui

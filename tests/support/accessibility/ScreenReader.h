#pragma once

// How the window tests reach a window as a screen reader and a keyboard do.
#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

// What a screen reader says a control is called.
inline QString accessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// Presses Tab on the platform window until `target` has the focus; false when `presses` of them
// never reach it.
inline bool tabTo(QWidget* target, int presses = 200) {
    for (int i = 0; i < presses && QApplication::focusWidget() != target; ++i)
        QTest::keyClick(target->window()->windowHandle(), Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

#pragma once

// Keys as a keyboard gives them: through the platform window, so that shortcuts and focus handling
// run as they do for a real key press.

#include <QTest>
#include <QWidget>
#include <QWindow>

// A click puts the caret in the box, then every character is a key of the platform window; a
// Chinese character is a key that carries its text, as an input method commits it.
inline void typeThroughWindow(QWidget* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    QWindow* window = box->window()->windowHandle();
    QTest::keyClick(window, Qt::Key_End);
    for (const QChar c : text) {
        const char ascii = c.toLatin1();
        QTest::sendKeyEvent(QTest::Click, window, ascii ? QTest::asciiToKey(ascii) : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
    }
}

// Shows the window active, as the window manager leaves it when it opens: its shortcuts then work.
inline bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

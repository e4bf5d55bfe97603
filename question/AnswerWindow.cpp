#include "question/AnswerWindow.h"

#include "question/AnswerWindowDeclarations.h"
#include "ui/KeysWindow.h"
#include "ui/ModalChild.h"
#include "ui/Pictures.h"

#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QShortcut>

namespace question {

AnswerWindow::AnswerWindow(const ui::WindowDeclaration& window, std::span<const ui::Control> controls,
                           QWidget* opener)
    : QWidget(opener), m_window(window) {
    m_controls = ui::buildWindow(this, window, controls);
    // The one-colour picture is repeated as tiles, not stretched, whatever the client size.
    QPalette palette = this->palette();
    palette.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(ui::loadPicture(kAnswerBackground))));
    setPalette(palette);
    setAutoFillBackground(true);
    ui::makeModalChild(this, opener, opener ? Qt::WindowModal : Qt::ApplicationModal);
    // The window has nothing to act on: Enter and Space close it as Esc does.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    ui::KeysWindow::installOn(this);
}

void AnswerWindow::showCentred() {
    ui::showDeclared(this, m_window);
    activateWindow(); // its keys work at once, also where no window manager activates it
}

void AnswerWindow::setText(const QString& name, const QString& text) {
    QWidget* control = m_controls.widget(name);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
        edit->setPlainText(text);
        edit->moveCursor(QTextCursor::Start);
    }
}

} // namespace question

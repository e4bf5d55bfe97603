#include "ui/EnterPresses.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>

namespace ui {
namespace {

class EnterPresses final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        auto* button = qobject_cast<QAbstractButton*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!button || !isPlainEnter(*key) || !button->hasFocus() || qobject_cast<QDialog*>(button->window()))
            return QObject::eventFilter(watched, event);
        // Held down, Enter presses once, as Space does.
        if (!key->isAutoRepeat()) button->click();
        return true;
    }

private:
    static bool isPlainEnter(const QKeyEvent& key) {
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        return enter && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    }
};

} // namespace

void pressFocusedButtonsOnEnter() {
    static QPointer<EnterPresses> filter;
    if (filter) return;
    filter = new EnterPresses(qApp);
    qApp->installEventFilter(filter);
}

} // namespace ui

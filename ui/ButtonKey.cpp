#include "ui/ButtonKey.h"

#include "ui/Keys.h"

#include <QAbstractButton>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace ui {

void bindButtonKey(QWidget* window, QAbstractButton* button, const QKeySequence& key) {
    auto* shortcut = new QShortcut(key, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    button->setToolTip(keyTip(key));
}

QString keyTip(const QKeySequence& key) {
    return u"快捷键："_s + keys::keyText(key);
}

} // namespace ui

#include "ui/AnswerKeys.h"

#include "ui/Keys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace ui {
namespace {

// Widgets that take letters, digits, arrows and page keys for themselves.
bool takesTyping(const QObject* object) {
    if (qobject_cast<const QLineEdit*>(object) || qobject_cast<const QAbstractSpinBox*>(object) ||
        qobject_cast<const QComboBox*>(object) || qobject_cast<const QAbstractItemView*>(object))
        return true;
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(object)) return !text->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(object)) return !text->isReadOnly();
    return false;
}

QList<QAbstractButton*> buttons(const Built& built, const QStringList& names) {
    QList<QAbstractButton*> found;
    for (const QString& name : names)
        found.append(built.get<QAbstractButton>(name));
    return found;
}

void nameKeys(QAbstractButton* button, const QString& keys) {
    if (button) button->setToolTip(u"快捷键："_s + keys);
}

} // namespace

void AnswerKeys::install(QWidget* window, const Built& built, const AnswerControls& controls) {
    qApp->installEventFilter(new AnswerKeys(window, built, controls));
}

AnswerKeys::AnswerKeys(QWidget* window, const Built& built, const AnswerControls& controls)
    : QObject(window), m_window(window), m_trueFalse(buttons(built, controls.trueFalse)),
      m_previous(built.get<QAbstractButton>(controls.previous)),
      m_next(built.get<QAbstractButton>(controls.next)) {
    for (const QStringList& names : controls.optionSets) {
        m_optionSets.append(buttons(built, names));
        for (int i = 0; i < m_optionSets.last().size(); ++i)
            nameKeys(m_optionSets.last()[i],
                     u"%1 或 %2"_s.arg(QChar(u'A' + i)).arg(i + 1)); // the key of the letter
    }
    if (m_trueFalse.size() == 2) {
        nameKeys(m_trueFalse[0], u"Y 或 ←"_s);
        nameKeys(m_trueFalse[1], u"N 或 →"_s);
    }
}

bool AnswerKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !event->spontaneous() || !mayAnswer(watched))
        return QObject::eventFilter(watched, event);
    QAbstractButton* button = target(*static_cast<QKeyEvent*>(event));
    if (!button) return QObject::eventFilter(watched, event);
    button->click();
    return true;
}

// A key for this window, its focus not in a field, and nothing open over the window. A key the
// focus leaves unused goes on to the focus's parents: the focus, not the receiver, decides.
bool AnswerKeys::mayAnswer(QObject* receiver) const {
    const auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != m_window) return false;
    if (QApplication::activePopupWidget()) return false;
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != m_window) return false;
    return !takesTyping(m_window->focusWidget());
}

QAbstractButton* AnswerKeys::target(const QKeyEvent& key) const {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier) return nullptr;
    const int code = key.key();
    if (code == keys::kPrevious[0].key()) return m_previous;
    if (code == keys::kNext[0].key()) return m_next;
    // Holding an option's key down must not toggle it on and off.
    if (key.isAutoRepeat()) return nullptr;
    if (code >= Qt::Key_A && code <= Qt::Key_D) return shownOption(code - Qt::Key_A);
    if (code >= Qt::Key_1 && code <= Qt::Key_4) return shownOption(code - Qt::Key_1);
    const bool shown = m_trueFalse.size() == 2 && m_trueFalse[0]->isVisible();
    if (shown && (code == keys::kTrueChoice[0].key() || code == Qt::Key_Left)) return m_trueFalse[0];
    if (shown && (code == keys::kFalseChoice[0].key() || code == Qt::Key_Right)) return m_trueFalse[1];
    return nullptr;
}

// The option of that place in the set on show; none while the question has no options.
QAbstractButton* AnswerKeys::shownOption(int index) const {
    for (const QList<QAbstractButton*>& set : m_optionSets)
        if (index < set.size() && set[index]->isVisible()) return set[index];
    return nullptr;
}

} // namespace ui

#include "AccessibilityWalk.h"

#include <QAccessible>
#include <QApplication>
#include <QMetaEnum>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

// What holds controls without being one, or only draws a line; a scroll area's viewport is read
// through its area.
bool isNoControl(QAccessibleInterface* node) {
    if (node->object() && node->object()->objectName() == u"qt_scrollarea_viewport"_s) return true;
    switch (node->role()) {
    case QAccessible::Pane:
    case QAccessible::Border:
    case QAccessible::Separator:
        return true;
    case QAccessible::Client:
    case QAccessible::Window:
    case QAccessible::Grouping:
    case QAccessible::LayeredPane:
        return node->childCount() > 0;
    default:
        return false;
    }
}

// A label with no text shows nothing, so there is nothing to say.
bool saysSomething(QAccessibleInterface* node) {
    if (node->role() == QAccessible::StaticText && node->text(QAccessible::Name).isEmpty()) return true;
    if (!node->text(QAccessible::Name).trimmed().isEmpty()) return true;
    if (!node->text(QAccessible::Value).trimmed().isEmpty()) return true;
    return node->valueInterface() && node->valueInterface()->currentValue().isValid();
}

QString described(QAccessibleInterface* node) {
    const QString role =
        u" ("_s + QLatin1StringView(QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role())) +
        u")"_s;
    if (QAccessibleTableCellInterface* cell = node->tableCellInterface()) {
        const QAccessibleInterface* table = cell->table();
        const QString tableName = table && table->object() ? table->object()->objectName() : QString();
        return u"%1[%2,%3]"_s.arg(tableName).arg(cell->rowIndex()).arg(cell->columnIndex()) + role;
    }
    QObject* object = node->object();
    if (!object) return u"(no object)"_s + role;
    QString name = object->objectName();
    if (name.isEmpty()) name = QString::fromLatin1(object->metaObject()->className());
    if (object->parent() && !object->parent()->objectName().isEmpty())
        name = object->parent()->objectName() + u'/' + name;
    return name + role;
}

void collectSilent(QAccessibleInterface* node, QStringList& silent) {
    if (!node || node->state().invisible) return;
    if (!isNoControl(node) && !saysSomething(node)) silent << described(node);
    for (int i = 0; i < node->childCount(); ++i)
        collectSilent(node->child(i), silent);
}

} // namespace

QStringList silentControls(QWidget* window) {
    QStringList silent;
    collectSilent(QAccessible::queryAccessibleInterface(window), silent);
    return silent;
}

QList<QWidget*> tabRound(QWidget* window, int presses, const std::function<void(QWidget*)>& atEachStop) {
    QList<QWidget*> walked;
    for (int i = 0; i < presses; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (focus && walked.contains(focus)) break;
        if (focus) walked << focus;
        if (focus && atEachStop) atEachStop(focus);
        QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
    }
    return walked;
}

QStringList unreachedByTab(QWidget* window, const QList<QWidget*>& round) {
    QStringList unreached;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool takesTab = (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy();
        if (takesTab && w->isVisibleTo(window) && w->isEnabled() && !round.contains(w))
            unreached << namesOf({w}).join(QString());
    }
    return unreached;
}

QStringList walkFaults(QWidget* window) {
    QStringList faults;
    for (const QString& silent : silentControls(window))
        faults << u"silent: "_s + silent;
    const QList<QWidget*> round = tabRound(window, 300, [&faults](QWidget* stop) {
        if (!stop->isVisible() || stop->visibleRegion().isEmpty())
            faults << u"Tab stop showing nothing: "_s + namesOf({stop}).join(QString());
    });
    for (const QString& unreached : unreachedByTab(window, round))
        faults << u"not reached by Tab: "_s + unreached;
    return faults;
}

QStringList namesOf(const QList<QWidget*>& widgets) {
    QStringList names;
    for (const QWidget* w : widgets)
        names << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                            : w->objectName());
    return names;
}

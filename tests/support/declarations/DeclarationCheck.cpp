#include "DeclarationCheck.h"

#include "ui/HtmlViewer.h"
#include "ui/PictureBox.h"
#include "ui/PictureButton.h"
#include "ui/StatusBar.h"
#include "ui/TabControl.h"
#include "ui/TransparentLabel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>

#include <array>

namespace ui {
namespace {

template <class T> bool is(const QWidget* w) {
    return qobject_cast<const T*>(w) != nullptr;
}

QString textOf(const QWidget* w) {
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(w)) return group->title();
    if (auto* line = qobject_cast<const QLineEdit*>(w)) return line->text();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(w)) return edit->toPlainText();
    return {};
}

// The widget a control's declared rectangle is relative to: its container, or for tab-page
// contents the tab control that holds the page; for a control a window has put into a scroll area
// (to scroll where the screen is short), what holds the area.
const QWidget* frameOf(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    if (parent && is<TabControl>(parent->parentWidget())) return parent->parentWidget();
    const auto* area = parent ? qobject_cast<const QScrollArea*>(parent->parentWidget()) : nullptr;
    if (area && area->viewport() == parent) return area->parentWidget();
    return parent;
}

// List views and trees are both tree widgets; only a tree expands its items.
bool isTree(const QWidget* w, bool expandable) {
    return is<QTreeWidget>(w) && static_cast<const QTreeWidget*>(w)->itemsExpandable() == expandable;
}

} // namespace

bool isOfKind(const QWidget* widget, Kind kind) {
    // The class the builder makes of each kind, in the order of Kind.
    using KindTest = bool (*)(const QWidget*);
    static const std::array<KindTest, 20> tests{
        is<QPushButton>,
        is<PictureButton>,
        is<TransparentLabel>,
        [](const QWidget* w) { return is<QLabel>(w) && !is<TransparentLabel>(w) && w->autoFillBackground(); },
        [](const QWidget* w) { return is<PictureBox>(w) && !is<MarkBox>(w); },
        is<ShapeBox>,
        is<MarkBox>,
        is<QGroupBox>,
        [](const QWidget* w) { return is<QLineEdit>(w) && !is<QComboBox>(w->parentWidget()); },
        is<QPlainTextEdit>,
        is<QRadioButton>,
        is<QCheckBox>,
        [](const QWidget* w) { return is<QComboBox>(w) && !static_cast<const QComboBox*>(w)->isEditable(); },
        [](const QWidget* w) {
            return is<QScrollBar>(w) && static_cast<const QScrollBar*>(w)->orientation() == Qt::Vertical;
        },
        [](const QWidget* w) { return w->metaObject() == &QFrame::staticMetaObject; },
        is<TabControl>,
        [](const QWidget* w) { return isTree(w, false); },
        [](const QWidget* w) { return isTree(w, true); },
        is<StatusBar>,
        is<HtmlViewer>,
    };
    static_assert(std::tuple_size_v<decltype(tests)> == static_cast<std::size_t>(Kind::HtmlViewer) + 1);
    return tests[static_cast<std::size_t>(kind)](widget);
}

QStringList compareWithDeclaration(const QWidget* root, std::span<const Control> controls) {
    QStringList faults;
    for (const Control& c : controls) {
        const auto found = root->findChildren<QWidget*>(c.name);
        if (found.size() != 1) {
            faults.append(QStringLiteral("%1: %2 widgets of that name").arg(c.name).arg(found.size()));
            continue;
        }
        const QWidget* w = found.front();
        if (!isOfKind(w, c.kind)) faults.append(QStringLiteral("%1: wrong kind").arg(c.name));
        const QWidget* frame = frameOf(w);
        const QString frameName = frame == root ? QString() : (frame ? frame->objectName() : QString());
        if (frameName != c.parent)
            faults.append(
                QStringLiteral("%1: inside '%2', declared inside '%3'").arg(c.name, frameName, c.parent));
        const QRect actual(w->mapTo(frame, QPoint(0, 0)), w->size());
        if (actual != c.rect) {
            faults.append(QStringLiteral("%1: at %2,%3 %4x%5, declared %6,%7 %8x%9")
                              .arg(c.name)
                              .arg(actual.x())
                              .arg(actual.y())
                              .arg(actual.width())
                              .arg(actual.height())
                              .arg(c.rect.x())
                              .arg(c.rect.y())
                              .arg(c.rect.width())
                              .arg(c.rect.height()));
        }
        if (textOf(w) != c.text) faults.append(QStringLiteral("%1: caption '%2'").arg(c.name, textOf(w)));
    }
    return faults;
}

} // namespace ui

#include "ui/DeclarationCheck.h"

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
#include <QScrollBar>
#include <QTreeWidget>

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
// contents the tab control that holds the page.
const QWidget* frameOf(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    if (parent && is<TabControl>(parent->parentWidget())) return parent->parentWidget();
    return parent;
}

} // namespace

bool isOfKind(const QWidget* w, Kind kind) {
    switch (kind) {
    case Kind::PushButton:
        return is<QPushButton>(w);
    case Kind::PictureButton:
        return is<PictureButton>(w);
    case Kind::TransparentLabel:
        return is<TransparentLabel>(w);
    case Kind::Label:
        return is<QLabel>(w) && !is<TransparentLabel>(w) && w->autoFillBackground();
    case Kind::PictureBox:
        return is<PictureBox>(w) && !is<MarkBox>(w);
    case Kind::ShapeBox:
        return is<ShapeBox>(w);
    case Kind::MarkBox:
        return is<MarkBox>(w);
    case Kind::GroupBox:
        return is<QGroupBox>(w);
    case Kind::LineEdit:
        return is<QLineEdit>(w) && !is<QComboBox>(w->parentWidget());
    case Kind::TextEdit:
        return is<QPlainTextEdit>(w);
    case Kind::RadioButton:
        return is<QRadioButton>(w);
    case Kind::CheckBox:
        return is<QCheckBox>(w);
    case Kind::ComboBox:
        return is<QComboBox>(w) && !static_cast<const QComboBox*>(w)->isEditable();
    case Kind::VScrollBar:
        return is<QScrollBar>(w) && static_cast<const QScrollBar*>(w)->orientation() == Qt::Vertical;
    case Kind::SplitterLine:
        return w->metaObject() == &QFrame::staticMetaObject;
    case Kind::TabControl:
        return is<TabControl>(w);
    case Kind::ListView:
        return is<QTreeWidget>(w) && !static_cast<const QTreeWidget*>(w)->itemsExpandable();
    case Kind::Tree:
        return is<QTreeWidget>(w) && static_cast<const QTreeWidget*>(w)->itemsExpandable();
    case Kind::StatusBar:
        return is<StatusBar>(w);
    case Kind::HtmlViewer:
        return is<HtmlViewer>(w);
    }
    return false;
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

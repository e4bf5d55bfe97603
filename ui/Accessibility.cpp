#include "ui/Accessibility.h"

#include "ui/PictureBox.h"
#include "ui/StatusBar.h"
#include "ui/TabControl.h"
#include "ui/TransparentLabel.h"

#include <QAccessibleWidget>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace ui {
namespace {

// The declared accessible name wins over what an interface derives from the control.
QString nameOr(const QWidget* widget, const QString& derived) {
    return widget->accessibleName().isEmpty() ? derived : widget->accessibleName();
}

class PictureBoxInterface final : public QAccessibleWidget {
public:
    explicit PictureBoxInterface(PictureBox* box) : QAccessibleWidget(box) {}

    QAccessible::Role role() const override {
        // A box that holds controls groups them; one that holds none is a picture.
        const bool holdsControls = !box()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
        return holdsControls ? QAccessible::Grouping : QAccessible::Graphic;
    }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        return nameOr(box(), markName());
    }

private:
    PictureBox* box() const { return static_cast<PictureBox*>(widget()); }
    QString markName() const {
        const auto* mark = qobject_cast<const MarkBox*>(box());
        if (!mark) return {};
        switch (mark->mark()) {
        case Mark::Tick:
            return u"答对"_s;
        case Mark::Cross:
            return u"答错"_s;
        case Mark::None:
            break;
        }
        return {};
    }
};

// A status bar reads as the texts of its panels that show one.
QString panelTexts(const StatusBar& bar) {
    QStringList shown;
    for (int i = 0; i < bar.panelCount(); ++i)
        if (!bar.panelText(i).isEmpty()) shown << bar.panelText(i);
    return shown.join(u"，"_s);
}

// A tab control reads as its current page.
QString currentPageName(const TabControl& tabs) {
    const QWidget* page = tabs.page(tabs.currentIndex());
    return page ? page->accessibleName() : QString();
}

// A control of a fixed role whose name, unless declared, is what `derivedName` reads off it.
template <class Control, QAccessible::Role kRole, QString (*derivedName)(const Control&)>
class DerivedNameInterface final : public QAccessibleWidget {
public:
    explicit DerivedNameInterface(Control* control) : QAccessibleWidget(control, kRole) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        return nameOr(widget(), derivedName(*static_cast<const Control*>(widget())));
    }
};

using StatusBarInterface = DerivedNameInterface<StatusBar, QAccessible::StatusBar, panelTexts>;
using TabControlInterface = DerivedNameInterface<TabControl, QAccessible::LayeredPane, currentPageName>;

class TransparentLabelInterface final : public QAccessibleWidget {
public:
    explicit TransparentLabelInterface(TransparentLabel* label) : QAccessibleWidget(label) {}

    QAccessible::Role role() const override {
        return label()->actsAsButton() ? QAccessible::Button : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        return nameOr(label(), label()->text());
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (label()->actsAsButton()) {
            state.checkable = true;
            state.checked = label()->isChecked();
        }
        return state;
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (label()->actsAsButton()) names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& action) override {
        if (action == pressAction()) return label()->press();
        QAccessibleWidget::doAction(action);
    }

private:
    TransparentLabel* label() const { return static_cast<TransparentLabel*>(widget()); }
};

QAccessibleInterface* paintedControlInterface(const QString& className, QObject* object) {
    if (className == u"ui::PictureBox"_s || className == u"ui::MarkBox"_s)
        return new PictureBoxInterface(static_cast<PictureBox*>(object));
    if (className == u"ui::StatusBar"_s) return new StatusBarInterface(static_cast<StatusBar*>(object));
    if (className == u"ui::TabControl"_s) return new TabControlInterface(static_cast<TabControl*>(object));
    if (className == u"ui::TransparentLabel"_s)
        return new TransparentLabelInterface(static_cast<TransparentLabel*>(object));
    return nullptr;
}

} // namespace

void installAccessibleInterfaces() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(paintedControlInterface);
}

} // namespace ui

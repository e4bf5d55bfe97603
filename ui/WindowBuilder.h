#pragma once

// Turns a declaration into widgets.
//
//   Built built = ui::buildWindow(this, kWindow, declaration());
//   connect(built.get<PictureButton>(u"进入答题"_s), &PictureButton::clicked, this, &X::enterPractice);
//
// What the builder does for every control: creates the widget of its kind with the declared
// objectName under its parent (a tab control's page for `page` >= 0), places it at the declared
// rectangle, applies font, colours, picture, border, alignment and Tab stop, stacks the controls
// so that the first declared is on top, and chains the Tab order in declaration order.
// For the window: title, frame buttons, client size (outer size minus the normal frame), fixed
// size for a fixed frame, background colour or stretched picture, and Esc closing the window.

#include "ui/Declaration.h"

#include <QHash>
#include <QStringList>
#include <QWidget>

#include <span>

namespace ui {

class Built {
public:
    // The control of that name, or nullptr.
    QWidget* widget(const QString& name) const { return m_byName.value(name); }
    template <class T> T* get(const QString& name) const { return qobject_cast<T*>(widget(name)); }
    // Every control, in declaration order.
    const QList<QWidget*>& controls() const { return m_inOrder; }
    // Faults of the declaration (unknown parent, page out of range, repeated name). Empty when sound.
    const QStringList& errors() const { return m_errors; }

    void add(const QString& name, QWidget* widget);
    void addError(const QString& error) { m_errors.append(error); }

private:
    QHash<QString, QWidget*> m_byName;
    QList<QWidget*> m_inOrder;
    QStringList m_errors;
};

// Applies the window's own declaration to `window` and builds `controls` into its client area. Esc
// closes the window, and Enter presses its focused button (pressFocusedButtonsOnEnter).
Built buildWindow(QWidget* window, const WindowDeclaration& declaration, std::span<const Control> controls);

// Builds `controls` into an existing container. Parent names that are not among `controls` are
// looked up under `container`, so a page can be built into a tab control page of another window.
Built buildControls(QWidget* container, std::span<const Control> controls);

// Chains the Tab order of the controls that take the keyboard focus by Tab, in declaration order.
// The builder does it; a window that makes a further control a Tab stop calls it again.
void chainTabOrder(const Built& built);

// Moves the Tab stops inside `container`, in their own order, to just after `previous`: controls
// built into a container apart from the window's declaration take their declared place. Returns
// the last stop moved, or `previous` when there is none.
QWidget* placeTabStopsAfter(QWidget* previous, QWidget* container);

// Every picture the window and `controls` show, for claimPictures.
QStringList declaredPictures(const WindowDeclaration& declaration, std::span<const Control> controls);

// Shows the window as declared, fitted to its screen (fitToScreen): maximized, or at its size
// centred on its screen.
void showDeclared(QWidget* window, const WindowDeclaration& declaration);

// The declared control of that name, or nullptr.
const Control* findDeclared(std::span<const Control> controls, const QString& name);

} // namespace ui

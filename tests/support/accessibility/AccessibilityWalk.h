#pragma once

// A whole window as a screen reader and the Tab key walk it.
#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>

// Every control of `window`'s accessibility tree that is on show and says nothing: neither a name
// nor a value. Each as "object name (role)", a cell as "table[row,column] (role)". Containers that
// only hold controls (a window's client area, a pane, a group of controls) are not controls.
QStringList silentControls(QWidget* window);

// The controls Tab reaches from the one with the focus, in order, once round `window` (at most
// `presses` of them); `atEachStop` sees each while it has the focus.
QList<QWidget*> tabRound(QWidget* window, int presses = 300,
                         const std::function<void(QWidget*)>& atEachStop = {});

// The controls of `window` on show that take the focus by Tab but that `round` never reaches.
QStringList unreachedByTab(QWidget* window, const QList<QWidget*>& round);

// What a screen reader or the Tab key would find wrong in `window` as it stands: each silent control,
// each control on show that Tab never reaches, each Tab stop that shows nothing (no area on show).
// Presses Tab round the window; empty when all is well.
QStringList walkFaults(QWidget* window);

// Object names, for messages and comparisons.
QStringList namesOf(const QList<QWidget*>& widgets);

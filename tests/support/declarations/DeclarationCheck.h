#pragma once

// For tests of every window: compares the built widgets with their declaration.

#include "ui/Declaration.h"

#include <QStringList>
#include <QWidget>

#include <span>

namespace ui {

// True when `widget` is of the class the builder makes for `kind`.
bool isOfKind(const QWidget* widget, Kind kind);

// Every difference between the widgets under `root` and the declaration: a missing control, a
// wrong kind, a rectangle other than declared (relative to the declared parent; for tab-page
// contents, relative to the tab control) or a caption other than declared. Empty when they agree.
QStringList compareWithDeclaration(const QWidget* root, std::span<const Control> controls);

} // namespace ui

#pragma once

// Windows on screens with less height than they were designed for: a 1024 × 600 netbook leaves
// about 540 pixels of client area under its panel and a title bar, less than the 627 of the design.

#include "ui/Declaration.h"

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

// The frame taken for a window before the platform tells its own: that is known only once the
// window is shown, too late for the size it opens at. A title bar of 32 covers the common themes.
inline constexpr QMargins kFrameEstimate{4, 32, 4, 4};

// `client` cut to the height `available` (a screen's available geometry) leaves inside `frame`;
// when cut, `scrollBarWidth` wider, as far as the screen is wide. Never narrower than `client`:
// screens are at least 1024 wide, and the designs 944.
QSize fittedClientSize(QSize client, const QRect& available, const QMargins& frame, int scrollBarWidth = 0);

// Fits a declared window to the screen it is about to be shown on: a sizable window's least height,
// and the height a window not opened maximized opens at, give way to what the screen holds.
void fitToScreen(QWidget* window, const WindowDeclaration& declaration);

} // namespace ui

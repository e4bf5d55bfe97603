#pragma once

#include <functional>

class QWidget;

namespace app {

// Runs `then` once, just after `window` is first painted, so that work the first picture does not
// need waits until that picture is on screen. A window that is shown but never painted (no screen
// to expose it on) runs it a moment after it is shown all the same.
void afterFirstPaint(QWidget* window, std::function<void()> then);

} // namespace app

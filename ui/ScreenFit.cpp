#include "ui/ScreenFit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace ui {
namespace {

// The larger of the platform's frame, where it is known, and the estimate, side by side.
QMargins frameOf(const QWidget* window) {
    const QMargins known = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    return {std::max(known.left(), kFrameEstimate.left()), std::max(known.top(), kFrameEstimate.top()),
            std::max(known.right(), kFrameEstimate.right()),
            std::max(known.bottom(), kFrameEstimate.bottom())};
}

} // namespace

QSize fittedClientSize(QSize client, const QRect& available, const QMargins& frame, int scrollBarWidth) {
    const int roomHeight = available.height() - frame.top() - frame.bottom();
    if (client.height() <= roomHeight) return client;
    const int roomWidth = available.width() - frame.left() - frame.right();
    const int width = std::max(client.width(), std::min(client.width() + scrollBarWidth, roomWidth));
    return {width, std::max(roomHeight, 1)};
}

void fitToScreen(QWidget* window, const WindowDeclaration& declaration) {
    const QScreen* screen = window->screen();
    if (!screen || declaration.frame != Frame::Sizable) return;
    const QRect available = screen->availableGeometry();
    const QMargins frame = frameOf(window);
    if (declaration.minimumSize.isValid())
        window->setMinimumHeight(fittedClientSize(declaration.minimumSize, available, frame).height());
    if (declaration.maximized) return;
    const int scrollBar =
        declaration.scrollsWhenCut ? window->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    window->resize(fittedClientSize(clientSize(declaration), available, frame, scrollBar));
}

} // namespace ui

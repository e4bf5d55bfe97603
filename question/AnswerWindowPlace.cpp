#include "question/AnswerWindowPlace.h"

#include <algorithm>

namespace question {
namespace {

// `place` moved as little as needs be for a window of `outer` to lie whole within `available`.
QPoint kept(QPoint place, QSize outer, const QRect& available) {
    const int x = std::clamp(place.x(), available.left(),
                             std::max(available.left(), available.right() + 1 - outer.width()));
    const int y = std::clamp(place.y(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - outer.height()));
    return {x, y};
}

} // namespace

std::optional<QPoint> answerWindowPlace(const QRect& opener, QSize outer, const QRect& available,
                                        std::optional<QPoint> moved) {
    if (moved) return kept(*moved, outer, available);
    if (available.right() - opener.right() >= outer.width())
        return kept({opener.right() + 1, opener.top()}, outer, available);
    if (opener.left() - available.left() >= outer.width())
        return kept({opener.left() - outer.width(), opener.top()}, outer, available);
    return std::nullopt;
}

} // namespace question

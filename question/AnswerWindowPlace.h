#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace question {

// Where the 答案解析 window, its frame `outer` large, opens on a screen's available area
// `available`: where the candidate last moved it (`moved`), kept whole on the screen; else beside
// the question window (its frame `opener`), right of it or else left, where the screen has room, so
// that the options stay in sight; else nowhere in particular (none), and it is centred as before.
std::optional<QPoint> answerWindowPlace(const QRect& opener, QSize outer, const QRect& available,
                                        std::optional<QPoint> moved);

} // namespace question

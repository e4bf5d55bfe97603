#pragma once

#include <QLabel>

namespace ui {

// Text drawn on the container's background: left, centred or right; a single line is centred
// vertically, word-wrapped text starts at the top.
class TransparentLabel final : public QLabel {
    Q_OBJECT
public:
    explicit TransparentLabel(QWidget* parent = nullptr);
    void setHorizontalAlignment(Qt::Alignment horizontal);
    void setWrapping(bool wrap);
};

} // namespace ui

#pragma once

#include <QLabel>

namespace ui {

// Text drawn on the container's background: left, centred or right; a single line is centred
// vertically, word-wrapped text starts at the top.
//
// A label may act like a button (setActsAsButton): it then takes the keyboard focus in its place in
// the Tab order, draws a focus frame while it has the focus from the keyboard, and emits pressed() when the
// left mouse button goes down on it, on Space or Enter, and when a screen reader presses it.
class TransparentLabel final : public QLabel {
    Q_OBJECT
public:
    explicit TransparentLabel(QWidget* parent = nullptr);
    void setHorizontalAlignment(Qt::Alignment horizontal);
    void setWrapping(bool wrap);

    void setActsAsButton(bool acts);
    bool actsAsButton() const { return m_actsAsButton; }
    // Whether what the label switches is on. It paints nothing; screen readers are told.
    void setChecked(bool checked);
    bool isChecked() const { return m_checked; }
    void press();

Q_SIGNALS:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_actsAsButton = false;
    bool m_checked = false;
};

} // namespace ui

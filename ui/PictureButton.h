#pragma once

#include "ui/Declaration.h"

#include <QAbstractButton>
#include <QImage>

namespace ui {

// An owner-drawn button with a caption and a picture beside or above it, flat, raised or
// framed under the mouse, with text and background colours per look (normal, hot, focused).
class PictureButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void setLook(const ButtonLook& look);
    const ButtonLook& look() const { return m_look; }
    // The picture; with `transparentCorner` its top-left pixel's colour becomes transparent.
    void setPicture(const QImage& picture, bool transparentCorner = false);
    void setDisabledPicture(const QImage& picture, bool transparentCorner = false);
    const QImage& picture() const { return m_picture; }
    // A picture laid over the whole button, caption included, paled and multiplied with it: its
    // white leaves the button as it is and a dark caption stays readable through its colours. A
    // null picture takes it away.
    void setOverlay(const QImage& overlay);
    bool hasOverlay() const { return !m_overlay.isNull(); }

    // The colours of the look currently shown (hot while the mouse is over it or it is pressed).
    QColor currentBackground() const;
    QColor currentText() const;
    bool isHot() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool showsContainer() const;
    void drawEdges(class QPainter& painter) const;
    void drawContent(class QPainter& painter) const;
    void scaleOverlay();

    ButtonLook m_look;
    QImage m_picture;
    QImage m_disabledPicture;
    QImage m_overlay;
    QImage m_scaledOverlay; // m_overlay at the button's size
    bool m_mouseOver = false;
};

} // namespace ui

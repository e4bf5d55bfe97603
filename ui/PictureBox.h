#pragma once

#include "ui/Declaration.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace ui {

// A picture at natural size from the top-left corner (clipped by the box) or stretched over the
// box, on a background colour, inside one of the border kinds. It may hold other controls. It
// always paints its background, so nothing under it shows through.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    // The picture at `path` (loadPicture), decoded when the box is first painted or asked for its
    // picture: the window is built and shown while a large picture still decodes on another thread.
    void setPictureFile(const QString& path);
    const QImage& picture() const;
    void setStretched(bool stretched);
    bool isStretched() const { return m_stretched; }
    void setBackground(const std::optional<QColor>& colour); // unset = the default colour (button face)
    void setBorder(Border border);
    Border border() const { return m_border; }
    // The area inside the border.
    QRect contentRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    mutable QImage m_picture;
    mutable QString m_pictureFile; // not yet loaded
    bool m_stretched = false;
    std::optional<QColor> m_background;
    Border m_border = Border::None;
};

// A rectangle filled with one colour and outlined in another.
class ShapeBox final : public QWidget {
    Q_OBJECT
public:
    explicit ShapeBox(QWidget* parent = nullptr);
    void setFill(const QColor& fill);
    void setOutline(const QColor& outline);
    QColor fill() const { return m_fill; }
    QColor outline() const { return m_outline; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill = Qt::white;
    QColor m_outline = Qt::black;
};

// A white box that shows a tick for a right answer, a cross for a wrong one, or nothing.
enum class Mark { None, Tick, Cross };
class MarkBox final : public PictureBox {
    Q_OBJECT
public:
    static inline const QString kTickPicture = QStringLiteral(":/pictures/tick.jpg");
    static inline const QString kCrossPicture = QStringLiteral(":/pictures/cross.jpg");

    explicit MarkBox(QWidget* parent = nullptr);
    void setMark(Mark mark);
    Mark mark() const { return m_mark; }

private:
    Mark m_mark = Mark::None;
};

} // namespace ui

#pragma once

#include "ui/Declaration.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

// Keeps anchored controls in step with their container: when the container is resized, each
// control's edges anchored right or bottom move by the container's growth beyond its design size.
class AnchorLayout final : public QObject {
    Q_OBJECT
public:
    AnchorLayout(QWidget* container, QSize designSize);
    void add(QWidget* control, const QRect& designRect, Anchors anchors);
    // The rectangle a control takes in a container of `size`.
    static QRect place(const QRect& designRect, Anchors anchors, QSize designSize, QSize size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> control;
        QRect designRect;
        Anchors anchors;
    };
    void relayout(QSize size);

    QSize m_designSize;
    QList<Entry> m_entries;
};

} // namespace ui

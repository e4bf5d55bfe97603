#include "ui/AnchorLayout.h"

#include <QEvent>
#include <QWidget>

namespace ui {
namespace {

// One axis: the near edge stays unless only the far edge is anchored; the far edge follows
// when anchored.
void follow(int& start, int& length, bool nearAnchored, bool farAnchored, int growth) {
    if (farAnchored && nearAnchored)
        length = qMax(0, length + growth);
    else if (farAnchored)
        start += growth;
}

} // namespace

AnchorLayout::AnchorLayout(QWidget* container, QSize designSize)
    : QObject(container), m_designSize(designSize) {
    container->installEventFilter(this);
}

void AnchorLayout::add(QWidget* control, const QRect& designRect, Anchors anchors) {
    m_entries.append({control, designRect, anchors});
}

QRect AnchorLayout::place(const QRect& designRect, Anchors anchors, QSize designSize, QSize size) {
    int x = designRect.x(), y = designRect.y(), w = designRect.width(), h = designRect.height();
    follow(x, w, anchors.testFlag(Anchor::Left), anchors.testFlag(Anchor::Right),
           size.width() - designSize.width());
    follow(y, h, anchors.testFlag(Anchor::Top), anchors.testFlag(Anchor::Bottom),
           size.height() - designSize.height());
    return {x, y, w, h};
}

bool AnchorLayout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) relayout(static_cast<QWidget*>(watched)->size());
    return QObject::eventFilter(watched, event);
}

void AnchorLayout::relayout(QSize size) {
    for (const Entry& entry : m_entries) {
        if (entry.control)
            entry.control->setGeometry(place(entry.designRect, entry.anchors, m_designSize, size));
    }
}

} // namespace ui

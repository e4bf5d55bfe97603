#pragma once

#include "ui/Declaration.h"

#include <QList>
#include <QWidget>

class QTabBar;

namespace ui {

// A tab control whose pages each cover the whole control, so that page contents are placed
// relative to the control's top-left corner, strip included. The strip lies on top of the pages
// along the top or bottom edge, or is hidden (pages then change only through setCurrentIndex).
class TabControl final : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    void setPages(const QStringList& captions, TabStrip strip, int stripHeight);
    int count() const { return static_cast<int>(m_pages.size()); }
    QWidget* page(int index) const;
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index); // out-of-range indexes are ignored
    QTabBar* tabBar() const { return m_bar; }
    TabStrip strip() const { return m_strip; }
    // The pages' body: the control minus its strip.
    QRect bodyRect() const;

Q_SIGNALS:
    void currentChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeStrip();

    QTabBar* m_bar = nullptr;
    QList<QWidget*> m_pages;
    TabStrip m_strip = TabStrip::Top;
    int m_stripHeight = 20;
    int m_current = -1;
};

} // namespace ui

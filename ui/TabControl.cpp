#include "ui/TabControl.h"

#include "ui/Accessibility.h"
#include "ui/Borders.h"

#include <QAccessible>
#include <QPainter>
#include <QTabBar>

namespace ui {
namespace {

// A page covers the whole tab control and paints only its body, so the strip shows through.
class Page final : public QWidget {
public:
    Page(TabControl* owner) : QWidget(owner), m_owner(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect body = m_owner->bodyRect();
        painter.fillRect(body, palette().color(QPalette::Window));
        drawBorder(painter, body, Border::Raised, palette());
    }

private:
    TabControl* m_owner;
};

// The style asks for tabs as tall as the face's line spacing plus padding, which for the CJK faces
// exceeds the declared strip and cuts the captions' lower part. Tabs here are as tall as the strip,
// so the caption is centred in what is actually shown.
class StripBar final : public QTabBar {
public:
    explicit StripBar(QWidget* parent) : QTabBar(parent) {}
    void setTabHeight(int height) { m_tabHeight = height; }
    // A hidden strip's captions are never seen; measuring them would load their font for nothing.
    void setMeasured(bool measured) { m_measured = measured; }

protected:
    QSize tabSizeHint(int index) const override {
        return {m_measured ? QTabBar::tabSizeHint(index).width() : 1, m_tabHeight};
    }
    QSize minimumTabSizeHint(int index) const override {
        return {m_measured ? QTabBar::minimumTabSizeHint(index).width() : 1, m_tabHeight};
    }

private:
    int m_tabHeight = 20;
    bool m_measured = true;
};

} // namespace

TabControl::TabControl(QWidget* parent) : QWidget(parent), m_bar(new StripBar(this)) {
    installAccessibleInterfaces();
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    connect(m_bar, &QTabBar::currentChanged, this, &TabControl::setCurrentIndex);
}

void TabControl::setPages(const QStringList& captions, TabStrip strip, int stripHeight) {
    m_strip = strip;
    m_stripHeight = stripHeight;
    static_cast<StripBar*>(m_bar)->setTabHeight(stripHeight);
    static_cast<StripBar*>(m_bar)->setMeasured(strip != TabStrip::Hidden);
    m_bar->setShape(strip == TabStrip::Bottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
    for (const QString& caption : captions) {
        auto* page = new Page(this);
        page->setAccessibleName(caption);
        page->setGeometry(rect());
        page->hide();
        m_pages.append(page);
        m_bar->addTab(caption);
    }
    m_bar->setVisible(strip != TabStrip::Hidden);
    placeStrip();
    setCurrentIndex(captions.isEmpty() ? -1 : 0);
}

QWidget* TabControl::page(int index) const {
    return (index >= 0 && index < count()) ? m_pages[index] : nullptr;
}

void TabControl::setCurrentIndex(int index) {
    if (index < 0 || index >= count() || index == m_current) return;
    if (m_current >= 0) m_pages[m_current]->hide();
    m_current = index;
    m_pages[m_current]->show();
    m_bar->raise();
    m_bar->setCurrentIndex(index);
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
    Q_EMIT currentChanged(index);
}

QRect TabControl::bodyRect() const {
    switch (m_strip) {
    case TabStrip::Top:
        return rect().adjusted(0, m_stripHeight, 0, 0);
    case TabStrip::Bottom:
        return rect().adjusted(0, 0, 0, -m_stripHeight);
    case TabStrip::Hidden:
        break;
    }
    return rect();
}

void TabControl::resizeEvent(QResizeEvent*) {
    for (QWidget* page : m_pages)
        page->setGeometry(rect());
    placeStrip();
}

void TabControl::placeStrip() {
    const int top = m_strip == TabStrip::Bottom ? height() - m_stripHeight : 0;
    m_bar->setGeometry(0, top, width(), m_stripHeight);
    m_bar->raise();
}

} // namespace ui

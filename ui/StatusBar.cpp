#include "ui/StatusBar.h"

#include "ui/Accessibility.h"
#include "ui/Borders.h"

#include <QAccessible>
#include <QPainter>

namespace ui {

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
    installAccessibleInterfaces();
    setAutoFillBackground(true);
}

void StatusBar::setPanels(const std::vector<int>& widths) {
    m_widths = widths;
    m_texts.resize(static_cast<qsizetype>(widths.size()));
    update();
}

void StatusBar::setPanelText(int panel, const QString& text) {
    if (panel < 0 || panel >= panelCount()) return;
    m_texts[panel] = text;
    update(panelRect(panel));
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

QString StatusBar::panelText(int panel) const {
    if (panel < 0 || panel >= panelCount()) return {};
    return m_texts[panel];
}

QRect StatusBar::panelRect(int panel) const {
    if (panel < 0 || panel >= panelCount()) return {};
    int left = 0;
    for (int i = 0; i < panel; ++i)
        left += m_widths[static_cast<size_t>(i)];
    // Panels are separated by two pixels and inset from the bar's top edge, as on the platform.
    return QRect(left, 2, m_widths[static_cast<size_t>(panel)] - 2, height() - 2);
}

void StatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < panelCount(); ++i) {
        const QRect panel = panelRect(i);
        drawBorder(painter, panel, Border::ShallowSunken, palette());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(panel.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, m_texts[i]);
    }
}

} // namespace ui

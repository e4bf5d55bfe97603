#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

namespace ui {

// A status bar of fixed-width panels from the left; panels may run beyond the bar's right edge.
class StatusBar final : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    void setPanels(const std::vector<int>& widths);
    int panelCount() const { return static_cast<int>(m_widths.size()); }
    // Out-of-range panels are ignored (reads give an empty text).
    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    QRect panelRect(int panel) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<int> m_widths;
    QStringList m_texts;
};

} // namespace ui

#pragma once

#include "study/StudyRecord.h"

#include <QPainter>
#include <QWidget>

#include <functional>

namespace app {

// Paints a chart's white ground and blue frame; with `emptyNote` given, the note in its middle too.
void paintChartFrame(QWidget* chart, QPainter& painter, const QString& emptyNote);

// A chart of `Item`s, painted; a note in its middle while it has none.
template <class Item> class Chart : public QWidget {
public:
    void setItems(QList<Item> items) {
        m_items = std::move(items);
        update();
    }

protected:
    Chart(QString emptyNote, QWidget* parent) : QWidget(parent), m_emptyNote(std::move(emptyNote)) {}
    void paintEvent(QPaintEvent*) final {
        QPainter painter(this);
        paintChartFrame(this, painter, m_items.isEmpty() ? m_emptyNote : QString());
        if (!m_items.isEmpty()) paintItems(painter, m_items);
    }
    virtual void paintItems(QPainter& painter, const QList<Item>& items) = 0;
    const QList<Item>& items() const { return m_items; }

private:
    QString m_emptyNote;
    QList<Item> m_items;
};

// Accuracy by chapter as horizontal bars, one row per chapter. A row clicked, or chosen with the
// arrow keys and Enter, asks for a drill of its chapter.
class ChapterBars final : public Chart<study::ChapterFigures> {
public:
    explicit ChapterBars(QWidget* parent = nullptr);
    void onChapterChosen(std::function<void(const QString&)> chosen) { m_chosen = std::move(chosen); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

private:
    void paintItems(QPainter& painter, const QList<study::ChapterFigures>& chapters) override;
    int rowHeight() const;
    int shownRows() const;
    void choose(int row);

    std::function<void(const QString&)> m_chosen;
    int m_current = 0; // the row the keys move, framed while the chart has the focus
};

// Mock-exam scores over time as a line, oldest left, on a 0–100 scale.
class ScoreLine final : public Chart<study::ExamHistoryEntry> {
public:
    explicit ScoreLine(QWidget* parent = nullptr);

private:
    void paintItems(QPainter& painter, const QList<study::ExamHistoryEntry>& history) override;
};

} // namespace app

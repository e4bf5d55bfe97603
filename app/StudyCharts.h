#pragma once

#include "study/StudyRecord.h"

#include <QPainter>
#include <QWidget>

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

private:
    QString m_emptyNote;
    QList<Item> m_items;
};

// Accuracy by chapter as horizontal bars, one row per chapter.
class ChapterBars final : public Chart<study::ChapterFigures> {
public:
    explicit ChapterBars(QWidget* parent = nullptr);

private:
    void paintItems(QPainter& painter, const QList<study::ChapterFigures>& chapters) override;
};

// Mock-exam scores over time as a line, oldest left, on a 0–100 scale.
class ScoreLine final : public Chart<study::ExamHistoryEntry> {
public:
    explicit ScoreLine(QWidget* parent = nullptr);

private:
    void paintItems(QPainter& painter, const QList<study::ExamHistoryEntry>& history) override;
};

} // namespace app

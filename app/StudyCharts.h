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
        itemsChanged();
    }
    const QList<Item>& items() const { return m_items; }
    const QString& emptyNote() const { return m_emptyNote; }

protected:
    Chart(QString emptyNote, QWidget* parent) : QWidget(parent), m_emptyNote(std::move(emptyNote)) {}
    void paintEvent(QPaintEvent*) final {
        QPainter painter(this);
        paintChartFrame(this, painter, m_items.isEmpty() ? m_emptyNote : QString());
        if (!m_items.isEmpty()) paintItems(painter, m_items);
    }
    virtual void paintItems(QPainter& painter, const QList<Item>& items) = 0;
    virtual void itemsChanged() {}

private:
    QString m_emptyNote;
    QList<Item> m_items;
};

// Accuracy by chapter as horizontal bars, one row per chapter. A row clicked, or chosen with the
// arrow keys and Enter, asks for a drill of its chapter.
class ChapterBars final : public Chart<study::ChapterFigures> {
    Q_OBJECT
public:
    explicit ChapterBars(QWidget* parent = nullptr);
    void onChapterChosen(std::function<void(const QString&)> chosen) { m_chosen = std::move(chosen); }
    // "会计凭证 正确率 50%，共 4 次": a row as a screen reader says it.
    static QString spokenRow(const study::ChapterFigures& chapter);
    static int percentRight(const study::ChapterFigures& chapter);
    int shownRows() const;
    int currentRow() const { return m_current; }
    QRect rowRect(int row) const;
    void choose(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

private:
    void paintItems(QPainter& painter, const QList<study::ChapterFigures>& chapters) override;
    void itemsChanged() override;
    void moveCurrent(int row);
    int rowHeight() const;

    std::function<void(const QString&)> m_chosen;
    int m_current = 0; // the row the keys move, framed while the chart has the focus
};

// Mock-exam scores over time as a line, oldest left, on a 0–100 scale.
class ScoreLine final : public Chart<study::ExamHistoryEntry> {
    Q_OBJECT
public:
    explicit ScoreLine(QWidget* parent = nullptr);
    // "2026-03-02 第3套 76 分": a point as a screen reader says it, the line's text alternative.
    static QString spokenPoint(const study::ExamHistoryEntry& entry);
    // Where the point of attempt `index` lies.
    QPointF pointAt(int index) const;

private:
    void paintItems(QPainter& painter, const QList<study::ExamHistoryEntry>& history) override;
    void itemsChanged() override;
    QRect plot() const;
};

} // namespace app

#pragma once

#include "study/StudyRecord.h"

#include <QWidget>

namespace app {

// Accuracy by chapter as horizontal bars, one row per chapter, painted.
class ChapterBars final : public QWidget {
public:
    using QWidget::QWidget;
    void setChapters(QList<study::ChapterFigures> chapters);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<study::ChapterFigures> m_chapters;
};

// Mock-exam scores over time as a line, oldest left, on a 0–100 scale, painted.
class ScoreLine final : public QWidget {
public:
    using QWidget::QWidget;
    void setHistory(QList<study::ExamHistoryEntry> history);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<study::ExamHistoryEntry> m_history;
};

} // namespace app

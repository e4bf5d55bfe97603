#include "app/StudyCharts.h"

#include "ui/Palette.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace app {
namespace {

using namespace ui::palette;

} // namespace

void paintChartFrame(QWidget* chart, QPainter& painter, const QString& emptyNote) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(chart->rect(), Qt::white);
    painter.setPen(kNavBlue);
    painter.drawRect(chart->rect().adjusted(0, 0, -1, -1));
    if (emptyNote.isEmpty()) return;
    painter.setPen(kChartEmptyText);
    painter.drawText(chart->rect(), Qt::AlignCenter, emptyNote);
}

ChapterBars::ChapterBars(QWidget* parent) : Chart(u"还没有练习记录"_s, parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(u"单击一章（或用方向键选中后按回车），练习这一章中正确率最低的题型"_s);
}

int ChapterBars::rowHeight() const {
    return std::clamp((height() - 12) / std::max(1, static_cast<int>(items().size())), 12, 26);
}

int ChapterBars::shownRows() const {
    return std::min(static_cast<int>(items().size()), (height() - 6) / rowHeight());
}

void ChapterBars::choose(int row) {
    if (row < 0 || row >= shownRows() || !m_chosen) return;
    m_current = row;
    update();
    m_chosen(items()[row].chapter);
}

void ChapterBars::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || event->position().y() < 6)
        return QWidget::mousePressEvent(event);
    choose((static_cast<int>(event->position().y()) - 6) / rowHeight());
}

void ChapterBars::keyPressEvent(QKeyEvent* event) {
    const int rows = shownRows();
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (rows == 0) break;
        m_current = std::clamp(m_current + (event->key() == Qt::Key_Down ? 1 : -1), 0, rows - 1);
        update();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return choose(m_current);
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void ChapterBars::paintItems(QPainter& painter, const QList<study::ChapterFigures>& chapters) {
    const int labelWidth = 190;
    const int percentWidth = 96;
    const int rowHeight = this->rowHeight();
    const int barSpace = width() - labelWidth - percentWidth - 16;
    if (hasFocus() && m_current < shownRows()) {
        painter.setPen(QPen(kNavBlue, 1, Qt::DotLine));
        painter.drawRect(QRect(3, 6 + m_current * rowHeight, width() - 7, rowHeight - 1));
    }
    int top = 6;
    for (const study::ChapterFigures& chapter : chapters) {
        if (top + rowHeight > height()) break;
        const double share = chapter.answers > 0 ? double(chapter.rightAnswers) / chapter.answers : 0.0;
        const QRect label(8, top, labelWidth - 8, rowHeight);
        painter.setPen(kBlack);
        const QString name = painter.fontMetrics().elidedText(chapter.chapter, Qt::ElideRight, label.width());
        painter.drawText(label, Qt::AlignVCenter | Qt::AlignLeft, name);
        const QRect track(labelWidth, top + rowHeight / 5, barSpace, rowHeight - 2 * (rowHeight / 5));
        painter.fillRect(track, kChartGrid);
        painter.fillRect(QRect(track.topLeft(), QSize(int(track.width() * share), track.height())),
                         kChartBar);
        painter.drawText(QRect(track.right() + 6, top, percentWidth, rowHeight),
                         Qt::AlignVCenter | Qt::AlignLeft,
                         u"%1% (%2 次)"_s.arg(qRound(share * 100)).arg(chapter.answers));
        top += rowHeight;
    }
}

ScoreLine::ScoreLine(QWidget* parent) : Chart(u"还没有考试记录"_s, parent) {}

void ScoreLine::paintItems(QPainter& painter, const QList<study::ExamHistoryEntry>& history) {
    const QRect plot = rect().adjusted(36, 10, -12, -24);
    painter.setPen(kBlack);
    for (int score = 0; score <= 100; score += 20) {
        const int y = plot.bottom() - plot.height() * score / 100;
        painter.setPen(kChartGrid);
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(kBlack);
        painter.drawText(QRect(0, y - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(score));
    }
    // The pass line, so the trend says at a glance how far a paper is from passing.
    const int passY = plot.bottom() - plot.height() * study::kPassScore / 100;
    painter.setPen(QPen(kChartBar, 1, Qt::DashLine));
    painter.drawLine(plot.left(), passY, plot.right(), passY);
    painter.drawText(QRect(plot.left() + 4, passY - 16, plot.width(), 15), Qt::AlignLeft | Qt::AlignBottom,
                     u"及格线 %1 分"_s.arg(study::kPassScore));
    const qint64 first = history.front().started.toMSecsSinceEpoch();
    const qint64 span = std::max<qint64>(history.back().started.toMSecsSinceEpoch() - first, 1);
    auto pointOf = [&](const study::ExamHistoryEntry& entry) {
        const double x =
            history.size() == 1
                ? plot.center().x()
                : plot.left() + plot.width() * double(entry.started.toMSecsSinceEpoch() - first) / span;
        return QPointF(x, plot.bottom() - plot.height() * std::clamp(entry.total, 0, 100) / 100.0);
    };
    QPainterPath path(pointOf(history.front()));
    for (const study::ExamHistoryEntry& entry : history)
        path.lineTo(pointOf(entry));
    painter.setPen(QPen(kChartLine, 2));
    painter.drawPath(path);
    painter.setBrush(kChartLine);
    if (history.size() <= 60)
        for (const study::ExamHistoryEntry& entry : history)
            painter.drawEllipse(pointOf(entry), 2.5, 2.5);
    painter.setPen(kBlack);
    painter.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width() / 2, 16), Qt::AlignLeft,
                     history.front().started.toString(u"yyyy-MM-dd"_s));
    painter.drawText(QRect(plot.center().x(), plot.bottom() + 4, plot.width() / 2, 16), Qt::AlignRight,
                     history.back().started.toString(u"yyyy-MM-dd"_s));
}

} // namespace app

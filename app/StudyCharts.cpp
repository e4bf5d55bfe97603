#include "app/StudyCharts.h"

#include "app/StudyChartsAccessibility.h"
#include "ui/Palette.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace app {
namespace {

using namespace ui::palette;

double shareRight(const study::ChapterFigures& chapter) {
    return chapter.answers > 0 ? double(chapter.rightAnswers) / chapter.answers : 0.0;
}

} // namespace

int ChapterBars::percentRight(const study::ChapterFigures& chapter) {
    return qRound(shareRight(chapter) * 100);
}

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
    installChartInterfaces();
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(u"单击一章（或用方向键选中后按回车），练习这一章中正确率最低的题型"_s);
}

QString ChapterBars::spokenRow(const study::ChapterFigures& chapter) {
    return u"%1 正确率 %2%，共 %3 次"_s.arg(chapter.chapter).arg(percentRight(chapter)).arg(chapter.answers);
}

QRect ChapterBars::rowRect(int row) const {
    return {3, 6 + row * rowHeight(), width() - 7, rowHeight() - 1};
}

void ChapterBars::itemsChanged() {
    m_current = std::clamp(m_current, 0, std::max(0, shownRows() - 1));
    tellRowsChanged(this);
}

void ChapterBars::moveCurrent(int row) {
    m_current = row;
    update();
    if (hasFocus()) tellCurrentRow(this, row);
}

int ChapterBars::rowHeight() const {
    return std::clamp((height() - 12) / std::max(1, static_cast<int>(items().size())), 12, 26);
}

int ChapterBars::shownRows() const {
    return std::min(static_cast<int>(items().size()), (height() - 6) / rowHeight());
}

void ChapterBars::choose(int row) {
    if (row < 0 || row >= shownRows() || !m_chosen) return;
    moveCurrent(row);
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
        moveCurrent(std::clamp(m_current + (event->key() == Qt::Key_Down ? 1 : -1), 0, rows - 1));
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
        painter.drawRect(rowRect(m_current));
    }
    int top = 6;
    for (const study::ChapterFigures& chapter : chapters) {
        if (top + rowHeight > height()) break;
        const double share = shareRight(chapter);
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
                         u"%1% (%2 次)"_s.arg(percentRight(chapter)).arg(chapter.answers));
        top += rowHeight;
    }
}

ScoreLine::ScoreLine(QWidget* parent) : Chart(u"还没有考试记录"_s, parent) {
    installChartInterfaces();
}

QString ScoreLine::spokenPoint(const study::ExamHistoryEntry& entry) {
    return u"%1 第%2套 %3 分"_s.arg(entry.started.toString(u"yyyy-MM-dd"_s))
        .arg(entry.paper)
        .arg(entry.total);
}

void ScoreLine::itemsChanged() {
    tellRowsChanged(this);
}

QRect ScoreLine::plot() const {
    return rect().adjusted(36, 10, -12, -24);
}

QPointF ScoreLine::pointAt(int index) const {
    const QList<study::ExamHistoryEntry>& history = items();
    const QRect plot = this->plot();
    const qint64 first = history.front().started.toMSecsSinceEpoch();
    const qint64 span = std::max<qint64>(history.back().started.toMSecsSinceEpoch() - first, 1);
    const study::ExamHistoryEntry& entry = history[index];
    const double x =
        history.size() == 1
            ? plot.center().x()
            : plot.left() + plot.width() * double(entry.started.toMSecsSinceEpoch() - first) / span;
    return QPointF(x, plot.bottom() - plot.height() * std::clamp(entry.total, 0, 100) / 100.0);
}

void ScoreLine::paintItems(QPainter& painter, const QList<study::ExamHistoryEntry>& history) {
    const QRect plot = this->plot();
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
    QPainterPath path(pointAt(0));
    for (int i = 0; i < history.size(); ++i)
        path.lineTo(pointAt(i));
    painter.setPen(QPen(kChartLine, 2));
    painter.drawPath(path);
    painter.setBrush(kChartLine);
    if (history.size() <= 60)
        for (int i = 0; i < history.size(); ++i)
            painter.drawEllipse(pointAt(i), 2.5, 2.5);
    painter.setPen(kBlack);
    painter.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width() / 2, 16), Qt::AlignLeft,
                     history.front().started.toString(u"yyyy-MM-dd"_s));
    painter.drawText(QRect(plot.center().x(), plot.bottom() + 4, plot.width() / 2, 16), Qt::AlignRight,
                     history.back().started.toString(u"yyyy-MM-dd"_s));
}

} // namespace app

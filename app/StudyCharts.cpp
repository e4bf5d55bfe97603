#include "app/StudyCharts.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace app {
namespace {

const QColor kFrame(159, 203, 240);
const QColor kBar(63, 134, 216);
const QColor kLine(216, 38, 28);
const QColor kText(0, 0, 0);
const QColor kGrid(222, 230, 240);

void paintEmpty(QPainter& painter, const QRect& area, const QString& text) {
    painter.setPen(QColor(128, 128, 128));
    painter.drawText(area, Qt::AlignCenter, text);
}

} // namespace

void ChapterBars::setChapters(QList<study::ChapterFigures> chapters) {
    m_chapters = std::move(chapters);
    update();
}

void ChapterBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(kFrame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_chapters.isEmpty()) return paintEmpty(painter, rect(), u"还没有练习记录"_s);
    const int labelWidth = 190;
    const int percentWidth = 96;
    const int rowHeight = std::clamp((height() - 12) / static_cast<int>(m_chapters.size()), 12, 26);
    const int barSpace = width() - labelWidth - percentWidth - 16;
    int top = 6;
    for (const study::ChapterFigures& chapter : std::as_const(m_chapters)) {
        if (top + rowHeight > height()) break;
        const double share = chapter.answers > 0 ? double(chapter.rightAnswers) / chapter.answers : 0.0;
        const QRect label(8, top, labelWidth - 8, rowHeight);
        painter.setPen(kText);
        const QString name = painter.fontMetrics().elidedText(chapter.chapter, Qt::ElideRight, label.width());
        painter.drawText(label, Qt::AlignVCenter | Qt::AlignLeft, name);
        const QRect track(labelWidth, top + rowHeight / 5, barSpace, rowHeight - 2 * (rowHeight / 5));
        painter.fillRect(track, kGrid);
        painter.fillRect(QRect(track.topLeft(), QSize(int(track.width() * share), track.height())), kBar);
        painter.drawText(QRect(track.right() + 6, top, percentWidth, rowHeight),
                         Qt::AlignVCenter | Qt::AlignLeft,
                         u"%1% (%2 次)"_s.arg(qRound(share * 100)).arg(chapter.answers));
        top += rowHeight;
    }
}

void ScoreLine::setHistory(QList<study::ExamHistoryEntry> history) {
    m_history = std::move(history);
    update();
}

void ScoreLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(kFrame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_history.isEmpty()) return paintEmpty(painter, rect(), u"还没有考试记录"_s);
    const QRect plot = rect().adjusted(36, 10, -12, -24);
    painter.setPen(kText);
    for (int score = 0; score <= 100; score += 20) {
        const int y = plot.bottom() - plot.height() * score / 100;
        painter.setPen(kGrid);
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(kText);
        painter.drawText(QRect(0, y - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(score));
    }
    const qint64 first = m_history.front().started.toMSecsSinceEpoch();
    const qint64 span = std::max<qint64>(m_history.back().started.toMSecsSinceEpoch() - first, 1);
    auto pointOf = [&](const study::ExamHistoryEntry& entry) {
        const double x =
            m_history.size() == 1
                ? plot.center().x()
                : plot.left() + plot.width() * double(entry.started.toMSecsSinceEpoch() - first) / span;
        return QPointF(x, plot.bottom() - plot.height() * std::clamp(entry.total, 0, 100) / 100.0);
    };
    QPainterPath path(pointOf(m_history.front()));
    for (const study::ExamHistoryEntry& entry : std::as_const(m_history))
        path.lineTo(pointOf(entry));
    painter.setPen(QPen(kLine, 2));
    painter.drawPath(path);
    painter.setBrush(kLine);
    if (m_history.size() <= 60)
        for (const study::ExamHistoryEntry& entry : std::as_const(m_history))
            painter.drawEllipse(pointOf(entry), 2.5, 2.5);
    painter.setPen(kText);
    painter.drawText(QRect(plot.left(), plot.bottom() + 4, plot.width() / 2, 16), Qt::AlignLeft,
                     m_history.front().started.toString(u"yyyy-MM-dd"_s));
    painter.drawText(QRect(plot.center().x(), plot.bottom() + 4, plot.width() / 2, 16), Qt::AlignRight,
                     m_history.back().started.toString(u"yyyy-MM-dd"_s));
}

} // namespace app

#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace practice {

// What a practice round came to, for its summary.
struct RoundFigures {
    int answered = 0;
    int right = 0;
    int wrong = 0;
    qint64 seconds = 0;
    QList<int> inBookPositions; // where the round's questions now in the wrong-answer book stood
};

inline const QString kRoundSummaryTitle = QStringLiteral("本轮小结");
inline const QString kRedoWrongButton = QStringLiteral("重做错题");
inline const QString kCloseSummaryButton = QStringLiteral("关闭");

QString roundSummaryText(const RoundFigures& figures);
// Shows the summary over `parent`; true when the candidate chose 重做错题, offered with wrong answers.
bool offerRoundSummary(QWidget* parent, const RoundFigures& figures);

} // namespace practice

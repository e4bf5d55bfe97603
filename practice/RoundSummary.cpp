#include "practice/RoundSummary.h"

#include "ui/MessageBox.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace practice {

QString roundSummaryText(const RoundFigures& figures) {
    const QString time = figures.seconds >= 60
                             ? u"%1 分 %2 秒"_s.arg(figures.seconds / 60).arg(figures.seconds % 60)
                             : u"%1 秒"_s.arg(figures.seconds);
    QString text = u"本轮答题 %1 题：答对 %2 题，答错 %3 题，用时 %4。"_s.arg(figures.answered)
                       .arg(figures.right)
                       .arg(figures.wrong)
                       .arg(time);
    if (figures.inBookPositions.isEmpty()) return text + u"\n本轮答过的题都不在错题本中。"_s;
    QStringList positions;
    for (int position : figures.inBookPositions)
        positions.append(QString::number(position));
    return text + u"\n现在在错题本中：第 %1 题。"_s.arg(positions.join(u'、'));
}

bool offerRoundSummary(QWidget* parent, const RoundFigures& figures) {
    const QString text = roundSummaryText(figures);
    if (figures.wrong == 0) {
        ui::showMessage(parent, text, kRoundSummaryTitle);
        return false;
    }
    return ui::askChoice(parent, text, kRoundSummaryTitle, kRedoWrongButton, kCloseSummaryButton);
}

} // namespace practice

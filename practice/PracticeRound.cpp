#include "practice/PracticeRound.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace practice {

QList<int> roundOrder(const QList<TableRow>& rows, const RoundChoice& choice, const QSet<QString>& answered,
                      quint32 seed) {
    QList<int> ids;
    for (const TableRow& row : rows) {
        if (!choice.chapter.isEmpty() && row.chapter != choice.chapter) continue;
        if (choice.onlyUnanswered && answered.contains(row.hash)) continue;
        ids.append(row.id);
    }
    if (choice.shuffled) {
        QRandomGenerator random(seed);
        std::shuffle(ids.begin(), ids.end(), random);
    }
    return ids;
}

QString resumeKey(const QString& table, const RoundChoice& choice) {
    return table + u'/' + (choice.chapter.isEmpty() ? u"全部章节"_s : choice.chapter);
}

QString ResumePoint::toText() const {
    return QString::number(id) + u' ' + hash;
}

std::optional<ResumePoint> ResumePoint::fromText(const QString& text) {
    const QStringList parts = text.split(u' ');
    bool isNumber = false;
    const int id = parts.value(0).toInt(&isNumber);
    if (parts.size() != 2 || !isNumber || id <= 0 || parts[1].isEmpty()) return std::nullopt;
    return ResumePoint{id, parts[1]};
}

} // namespace practice

#pragma once

#include <QString>

// Names of the answer windows' controls that their code and their tests address.
namespace question::names {

inline const QString kPanel = QStringLiteral("图片框1");
inline const QString kExplanation = QStringLiteral("编辑框1");

inline const QString kObjectiveLabel = QStringLiteral("透明标签_题号2");
inline const QString kObjectiveScore = QStringLiteral("透明标签7");
inline const QString kObjectiveStandard = QStringLiteral("透明标签1");
inline const QString kObjectiveRecorded = QStringLiteral("透明标签2");
inline const QString kObjectiveMark = QStringLiteral("图片框2");

inline const QString kCalcLabel = QStringLiteral("当前题号");
inline const QString kCalcScore = QStringLiteral("透明标签1");
inline QString calcRowLabel(int n) {
    return QStringLiteral("透明标签_题号%1").arg(n);
}
inline QString calcStandard(int n) {
    return QStringLiteral("标准答案编辑框%1").arg(n);
}
inline QString calcRecorded(int n) {
    return QStringLiteral("考生答案编辑框%1").arg(n);
}
inline QString calcMark(int n) {
    return QStringLiteral("图片框打分%1").arg(n);
}

} // namespace question::names

#pragma once

#include "question/OptionNames.h"

#include <QString>
#include <QStringList>

// Names of the practice window's controls that its code and its tests address.
namespace practice::names {

inline const QString kHeader = QStringLiteral("图片框2");
inline const QString kTypeLabel = QStringLiteral("透明标签6");
// "第 12 / 136 题": where the current question stands in its table, right after the type's name.
inline const QString kPositionLabel = QStringLiteral("位置标签");
inline const QString kQuestionBox = QStringLiteral("编辑框1");
inline const QString kSeparator = QStringLiteral("分隔条1");
inline const QString kAnswerTabs = QStringLiteral("高级选择夹1");
inline const QString kBottomBar = QStringLiteral("外形框1");
inline const QString kAnswerButton = QStringLiteral("答案解析");
inline const QString kPrevious = QStringLiteral("上一题");
inline const QString kNext = QStringLiteral("下一题");
inline const QString kZoomOut = QStringLiteral("缩小");
inline const QString kZoomReset = QStringLiteral("默认");
inline const QString kZoomIn = QStringLiteral("放大");

inline const QStringList& kSingleOptions = question::names::kSingleOptions;
inline const QStringList& kMultipleOptions = question::names::kMultipleOptions;
inline const QStringList& kTrueFalseOptions = question::names::kTrueFalseOptions;

// Pages of 高级选择夹1, in order.
enum AnswerPage { SinglePage = 0, MultiplePage = 1, TrueFalsePage = 2, AmountsPage = 3, JournalPage = 4 };

} // namespace practice::names

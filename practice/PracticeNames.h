#pragma once

#include "question/QuestionPageNames.h"

#include <QString>

// Names of the practice window's controls that its code and its tests address: the question
// page's, and the window's own.
namespace practice::names {

using namespace question::names;

inline const QString kTypeLabel = QStringLiteral("透明标签6");
// "第 12 / 136 题": where the current question stands in its table, right after the type's name.
inline const QString kPositionLabel = QStringLiteral("位置标签");

} // namespace practice::names

#pragma once

#include <QString>
#include <QStringList>

// The option controls of the answer pages, named alike in the practice and the exam window.
namespace question::names {

inline const QStringList kSingleOptions = {QStringLiteral("单选框1"), QStringLiteral("单选框2"),
                                           QStringLiteral("单选框3"), QStringLiteral("单选框4")};
inline const QStringList kMultipleOptions = {QStringLiteral("多选A"), QStringLiteral("多选B"),
                                             QStringLiteral("多选C"), QStringLiteral("多选D")};
inline const QStringList kTrueFalseOptions = {QStringLiteral("判断A"), QStringLiteral("判断B")};

} // namespace question::names

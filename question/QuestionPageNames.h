#pragma once

#include <QString>
#include <QStringList>

// The controls of the question page that the practice and the exam window share, named alike in
// both: what their code, the question page and their tests address.
namespace question::names {

// The header band and the bar at the foot; what lies on them is each window's own.
inline const QString kHeader = QStringLiteral("图片框2");
inline const QString kBar = QStringLiteral("外形框1");

inline const QString kQuestionText = QStringLiteral("编辑框1");
inline const QString kSeparator = QStringLiteral("分隔条1");
inline const QString kAnswerPages = QStringLiteral("高级选择夹1");

inline const QStringList kSingleOptions = {QStringLiteral("单选框1"), QStringLiteral("单选框2"),
                                           QStringLiteral("单选框3"), QStringLiteral("单选框4")};
inline const QStringList kMultipleOptions = {QStringLiteral("多选A"), QStringLiteral("多选B"),
                                             QStringLiteral("多选C"), QStringLiteral("多选D")};
inline const QString kTrue = QStringLiteral("判断A");
inline const QString kFalse = QStringLiteral("判断B");
inline const QStringList kTrueFalseOptions = {kTrue, kFalse};
// Option `n` (1–4) of a page, counted as the candidate reads them.
inline const QString& singleOption(int n) {
    return kSingleOptions[n - 1];
}
inline const QString& multipleOption(int n) {
    return kMultipleOptions[n - 1];
}

// On the bar.
inline const QString kAnswerButton = QStringLiteral("答案解析");
inline const QString kPrevious = QStringLiteral("上一题");
inline const QString kNext = QStringLiteral("下一题");
inline const QString kZoomOut = QStringLiteral("缩小");
inline const QString kZoomReset = QStringLiteral("默认");
inline const QString kZoomIn = QStringLiteral("放大");

// Pages of kAnswerPages, in order.
enum AnswerPage { SinglePage = 0, MultiplePage = 1, TrueFalsePage = 2, AmountsPage = 3, JournalPage = 4 };

} // namespace question::names

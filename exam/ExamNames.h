#pragma once

#include <QString>

// Names of the exam windows' controls that their code and their tests address.
namespace exam::names {

// ExamNoticeWindow
inline const QString kNoticeBand = QStringLiteral("图片框2");
inline const QString kNoticeLogo = QStringLiteral("图片框3");
inline const QString kNoticePicture = QStringLiteral("图片框1");
inline const QString kEnter = QStringLiteral("按钮1");

// ExamWindow: header
inline const QString kHeader = QStringLiteral("图片框2");
inline const QString kLogo = QStringLiteral("图片框3");
inline const QString kNumber = QStringLiteral("透明标签_题号1");
inline const QString kSection = QStringLiteral("透明标签_题号2");
inline const QString kCountCaption = QStringLiteral("透明标签6");
inline const QString kTimerPanel = QStringLiteral("图片框4");
inline const QString kCountdown = QStringLiteral("倒计时标签");
inline const QString kFlag = QStringLiteral("待查标签");
inline const QString kSubmitLabel = QStringLiteral("交卷标签");
inline const QString kSubmit = QStringLiteral("交卷");

// ExamWindow: question and answer pages
inline const QString kQuestionText = QStringLiteral("编辑框1");
inline const QString kSplitter = QStringLiteral("分隔条1");
inline const QString kPages = QStringLiteral("高级选择夹1");
inline QString singleOption(int n) {
    return QStringLiteral("单选框%1").arg(n);
}
inline QString multipleOption(int n) {
    return QString(QStringLiteral("多选") + QChar(u'A' + n - 1));
}
inline const QString kTrue = QStringLiteral("判断A");
inline const QString kFalse = QStringLiteral("判断B");

// ExamWindow: navigation bar
inline const QString kNavigation = QStringLiteral("外形框1");
inline const QString kFirst = QStringLiteral("第一题");
inline const QString kPrevious = QStringLiteral("上一题");
inline const QString kNext = QStringLiteral("下一题");
inline const QString kLast = QStringLiteral("最后一题");
inline const QString kReview = QStringLiteral("答案解析");
inline const QString kZoomOut = QStringLiteral("缩小");
inline const QString kZoomReset = QStringLiteral("默认");
inline const QString kZoomIn = QStringLiteral("放大");

// ExamWindow: answer card
inline const QString kCard = QStringLiteral("分组框1");
inline const QString kLegend = QStringLiteral("图片框11");

} // namespace exam::names

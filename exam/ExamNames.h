#pragma once

#include "question/QuestionPageNames.h"

#include <QString>

// Names of the exam windows' controls that their code and their tests address: the question
// page's, and the windows' own.
namespace exam::names {

using namespace question::names;

// ExamNoticeWindow
inline const QString kNoticeBand = QStringLiteral("图片框2");
inline const QString kNoticeLogo = QStringLiteral("图片框3");
inline const QString kNoticePicture = QStringLiteral("图片框1");
inline const QString kEnter = QStringLiteral("按钮1");

// ExamWindow: header
inline const QString kLogo = QStringLiteral("图片框3");
inline const QString kNumber = QStringLiteral("透明标签_题号1");
inline const QString kSection = QStringLiteral("透明标签_题号2");
inline const QString kCountCaption = QStringLiteral("透明标签6");
inline const QString kTimerPanel = QStringLiteral("图片框4");
inline const QString kCountdown = QStringLiteral("倒计时标签");
inline const QString kFlag = QStringLiteral("待查标签");
inline const QString kSubmitLabel = QStringLiteral("交卷标签");
inline const QString kSubmit = QStringLiteral("交卷");

// ExamWindow: navigation bar
inline const QString kFirst = QStringLiteral("第一题");
inline const QString kLast = QStringLiteral("最后一题");

// ExamWindow: answer card
inline const QString kCard = QStringLiteral("分组框1");
inline const QString kLegend = QStringLiteral("图片框11");

} // namespace exam::names

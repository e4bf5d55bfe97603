#pragma once

#include "ui/Declaration.h"

// The four answer windows as data. The objective pair and the calculation pair differ only in the
// question label and, for the objective pair, the top rows; one function per pair builds both.

namespace question {

enum class AnswerVariant { Practice, Exam };

// Every answer window: title 答案解析, fixed frame, close box only, centred, taskbar entry.
ui::WindowDeclaration objectiveAnswerWindowDeclaration();
ui::WindowDeclaration calcAnswerWindowDeclaration();

ui::Declaration objectiveAnswerDeclaration(AnswerVariant variant);
ui::Declaration calcAnswerDeclaration(AnswerVariant variant);

// The light-blue picture tiled over the client area, around the white panel.
inline const QString kAnswerBackground = QStringLiteral(":/pictures/background.jpg");

} // namespace question

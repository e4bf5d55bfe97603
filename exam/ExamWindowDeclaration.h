#pragma once

#include "ui/Declaration.h"

namespace exam {

// ExamWindow as declared at its 950 × 655 design size; the 62 number buttons come from their grid
// rule. Controls in z-order (first on top) and Tab order.
const ui::WindowDeclaration& examWindowDeclaration();
const ui::Declaration& examWindowControls();

// Captions of the answer tab control's five pages, in page order.
const QStringList& answerPageCaptions();

// Design rectangle of a number button inside the answer card (question 1–62); empty otherwise.
QRect cardButtonRect(int id);

} // namespace exam

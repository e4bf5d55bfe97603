#pragma once

#include "question/QuestionLayout.h"
#include "ui/Declaration.h"

namespace exam {

// ExamWindow as declared at its 950 × 655 design size; the 62 number buttons come from their grid
// rule. Controls in z-order (first on top) and Tab order.
const ui::WindowDeclaration& examWindowDeclaration();
const ui::Declaration& examWindowControls();

// Design rectangle of a number button inside the answer card (question 1–62); empty otherwise.
QRect cardButtonRect(int id);

// The answer card takes the right edge; left of it, the answer pages take all growth beyond a
// question text of 194 until they are tall enough for the whole journal-entry grid (428); the
// question text never goes below 80. The options keep at least their declared width of 665.
inline constexpr int kCardWidth = 203;
inline constexpr int kCardGap = 8;
inline constexpr question::AreaRules kExamArea{.reservedRight = kCardWidth + kCardGap,
                                               .separatorGap = 1,
                                               .questionBeforeAnswerGrows = 194,
                                               .maxAnswerHeight = 428,
                                               .minQuestionHeight = 80,
                                               .optionMargin = 63, // 728 - 665 in the declared pages
                                               .minOptionWidth = 665};

} // namespace exam

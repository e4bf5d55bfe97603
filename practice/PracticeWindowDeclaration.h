#pragma once

#include "question/QuestionLayout.h"
#include "ui/Declaration.h"

namespace practice {

// 专项练习: 950 × 655, sizable, opens maximized, white.
ui::WindowDeclaration practiceWindowDeclaration();
// The window's own controls. The two calculation pages are built into pages 4 and 5 of
// 高级选择夹1 by the entry component, from its own declarations.
ui::Declaration practiceDeclaration();
// Both, as one list: for walking the whole window against what was built.
ui::Declaration practiceDeclarationWithCalcPages();

// The answer area keeps its design height of 284 and takes a third of any height beyond the
// design client (944 × 627); the question text the rest, but never less than 60.
inline constexpr question::AreaRules kPracticeArea{.barFootGap = 1, // 570 + 56 = 626 of 627, as designed
                                                   .separatorGap = 2,
                                                   .questionBeforeAnswerGrows = 168,
                                                   .answerShareOfGrowth = 3,
                                                   .minQuestionHeight = 60,
                                                   .optionMargin = 51}; // 936 - 885

} // namespace practice

#pragma once

#include <QString>

// How a paper's 62 questions are named: sections by number, the answer card's buttons and the
// caption of the current question.
namespace exam {

inline constexpr int kFirstQuestion = 1;
inline constexpr int kLastQuestion = 62;

bool isPaperQuestion(int id);
// Number of the question within its section: id, id − 20, id − 40 or id − 60; 0 outside 1–62.
int numberInSection(int id);
// "(多选题第 5 题)" for question 25; empty outside 1–62.
QString sectionCaption(int id);
// The answer card's button of the question: 单选k, 多选k, 判断题k or 计算分析题k.
QString cardButtonName(int id);
// The same words for a listener, the number apart: "单选 5".
QString spokenCardButtonName(int id);

} // namespace exam

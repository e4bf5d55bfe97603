#pragma once

#include <QString>

#include <array>
#include <optional>

namespace bank {

// The four kinds of question. Each has its own practice table and its own points per question.
enum class QuestionType { SingleChoice, MultipleChoice, TrueFalse, Calculation };

inline constexpr std::array<QuestionType, 4> allQuestionTypes{
    QuestionType::SingleChoice, QuestionType::MultipleChoice, QuestionType::TrueFalse,
    QuestionType::Calculation};

// Practice table of the kind: danxuan, duoxuan, panduan, fenxi.
QString practiceTable(QuestionType type);
// Chinese caption of the kind: 单选题, 多选题, 判断题, 计算分析题.
QString typeCaption(QuestionType type);
// Points one right answer earns: 1, 2, 1, 10.
int typePoints(QuestionType type);
// The kind whose practice table has this name, if any.
std::optional<QuestionType> typeOfPracticeTable(const QString& table);

// Papers are tm1 … tm20; within a paper the kind follows from the question number.
inline constexpr int paperCount = 20;
inline constexpr int paperQuestionCount = 62;
QString paperTable(int paper);
// The paper number of a table named tm1 … tm20, if it is one.
std::optional<int> paperOfTable(const QString& table);
// Kind of question `id` (1–62) of a paper: 1–20 single, 21–40 multiple, 41–60 true/false, 61–62 calculation.
std::optional<QuestionType> paperQuestionType(int id);
// First question number of the kind within a paper (1, 21, 41, 61) and how many it has (20, 20, 20, 2).
int paperSectionStart(QuestionType type);
int paperSectionSize(QuestionType type);
// Whether `table` is one of the bank's 24 tables.
bool isBankTable(const QString& table);

} // namespace bank

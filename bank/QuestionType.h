#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <optional>

namespace bank {

// The four kinds of question. Each has its own practice table and its own points per question.
enum class QuestionType { SingleChoice, MultipleChoice, TrueFalse, Calculation };

inline constexpr std::array<QuestionType, 4> allQuestionTypes{
    QuestionType::SingleChoice, QuestionType::MultipleChoice, QuestionType::TrueFalse,
    QuestionType::Calculation};

// The place of the kind in allQuestionTypes, for tables kept in that order.
constexpr std::size_t typeIndex(QuestionType type) {
    return static_cast<std::size_t>(type);
}

// What the bank and the windows know of each kind, one row per kind in the order of QuestionType.
struct QuestionTypeFacts {
    QuestionType type;
    QStringView practiceTable; // the kind's practice table
    QStringView caption;       // the kind's Chinese name
    int points;                // what one right answer earns
    int paperSectionStart;     // the first question number of the kind within a paper
    int paperSectionSize;      // how many questions of the kind a paper has
};
inline constexpr std::array<QuestionTypeFacts, 4> questionTypeFacts{{
    {QuestionType::SingleChoice, u"danxuan", u"单选题", 1, 1, 20},
    {QuestionType::MultipleChoice, u"duoxuan", u"多选题", 2, 21, 20},
    {QuestionType::TrueFalse, u"panduan", u"判断题", 1, 41, 20},
    {QuestionType::Calculation, u"fenxi", u"计算分析题", 10, 61, 2},
}};

constexpr const QuestionTypeFacts& factsOf(QuestionType type) {
    return questionTypeFacts[typeIndex(type)];
}

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

#include "bank/Scoring.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace Qt::StringLiterals;

using bank::answerFromOptions;
using bank::answerValues;
using bank::CalcFields;
using bank::calcScore;
using bank::choiceScore;
using bank::isRecordableAnswer;
using bank::isRecordableScore;
using bank::optionsFromAnswer;
using bank::OptionStates;
using bank::QuestionType;
using bank::trueFalseAnswer;

TEST(Scoring, TickingBThenDThenARecordsBThenBdThenAbdScoring002) {
    OptionStates boxes{};
    const QString standard = u"ABD"_s;
    QStringList recorded;
    QList<int> scores;
    for (int box : {1, 3, 0}) {
        boxes[static_cast<std::size_t>(box)] = true;
        recorded.append(answerFromOptions(boxes));
        scores.append(choiceScore(QuestionType::MultipleChoice, recorded.last(), standard));
    }
    EXPECT_EQ(recorded, (QStringList{u"B"_s, u"BD"_s, u"ABD"_s}));
    EXPECT_EQ(scores, (QList<int>{0, 0, 2}));
}

TEST(Scoring, ChoiceScoresOnlyTheExactStandardAnswer) {
    EXPECT_EQ(choiceScore(QuestionType::MultipleChoice, u"ABC"_s, u"AB"_s), 0);
    EXPECT_EQ(choiceScore(QuestionType::MultipleChoice, u"A"_s, u"AB"_s), 0);
    EXPECT_EQ(choiceScore(QuestionType::SingleChoice, u"B"_s, u"B"_s), 1);
    EXPECT_EQ(choiceScore(QuestionType::SingleChoice, u"A"_s, u"B"_s), 0);
    EXPECT_EQ(choiceScore(QuestionType::TrueFalse, u"错误"_s, u"错误"_s), 1);
    EXPECT_EQ(choiceScore(QuestionType::TrueFalse, u"正确"_s, u"错误"_s), 0);
    // Unticking every box records the empty answer, which never scores, even against a broken empty DA.
    EXPECT_EQ(answerFromOptions({}), QString());
    EXPECT_EQ(choiceScore(QuestionType::MultipleChoice, QString(), QString()), 0);
}

TEST(Scoring, RecordedAnswerTurnsBackIntoTheSameControls) {
    for (const QString& value : answerValues()) {
        const QuestionType type = value.front().isLetter() && value.front() < u'E'
                                      ? QuestionType::MultipleChoice
                                      : QuestionType::TrueFalse;
        const std::optional<OptionStates> states = optionsFromAnswer(type, value);
        ASSERT_TRUE(states) << value.toStdString();
        if (type == QuestionType::MultipleChoice)
            EXPECT_EQ(answerFromOptions(*states), value);
        else
            EXPECT_EQ(trueFalseAnswer((*states)[0]), value);
    }
    EXPECT_EQ(optionsFromAnswer(QuestionType::SingleChoice, QString()), OptionStates{});
    EXPECT_EQ(optionsFromAnswer(QuestionType::SingleChoice, u"C"_s),
              (OptionStates{false, false, true, false}));
    EXPECT_FALSE(optionsFromAnswer(QuestionType::SingleChoice, u"AB"_s));
    EXPECT_FALSE(optionsFromAnswer(QuestionType::MultipleChoice, u"BA"_s));
    EXPECT_FALSE(optionsFromAnswer(QuestionType::MultipleChoice, u"AAB"_s));
    EXPECT_FALSE(optionsFromAnswer(QuestionType::MultipleChoice, u"E"_s));
    EXPECT_FALSE(optionsFromAnswer(QuestionType::TrueFalse, u"A"_s));
}

TEST(Scoring, TheClosedSetsHoldSeventeenAnswersAndSevenScores) {
    EXPECT_EQ(answerValues().size(), 17);
    EXPECT_EQ(QSet<QString>(answerValues().begin(), answerValues().end()).size(), 17);
    QList<int> scores;
    for (int score = -1; score <= 11; ++score)
        if (isRecordableScore(score)) scores.append(score);
    EXPECT_EQ(scores, (QList<int>{0, 1, 2, 4, 6, 8, 10}));
    EXPECT_FALSE(isRecordableAnswer(QuestionType::SingleChoice, u"AB"_s));
    EXPECT_TRUE(isRecordableAnswer(QuestionType::MultipleChoice, u"A"_s));
    EXPECT_TRUE(isRecordableAnswer(QuestionType::MultipleChoice, QString()));
}

TEST(Scoring, CalculationEarnsTwoPerMatchingField) {
    const CalcFields standards{u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s};
    EXPECT_EQ(calcScore({u"100"_s, u"２００"_s, u" 300 "_s, u"0"_s, QString()}, standards,
                        bank::SubAccounts::AsKeyed),
              6);
    EXPECT_EQ(calcScore(standards, standards, bank::SubAccounts::AsKeyed), 10);
    EXPECT_EQ(calcScore({}, standards, bank::SubAccounts::AsKeyed), 0);
    // Unused fields (empty standard) count only when left empty.
    const CalcFields twoUsed{u"1"_s, u"2"_s, QString(), QString(), QString()};
    EXPECT_EQ(
        calcScore({u"1"_s, u"2"_s, QString(), QString(), QString()}, twoUsed, bank::SubAccounts::AsKeyed),
        10);
    EXPECT_EQ(calcScore({u"1"_s, u"2"_s, u"x"_s, QString(), QString()}, twoUsed, bank::SubAccounts::AsKeyed),
              8);
}

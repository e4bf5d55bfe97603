// Cues in numbers and wording, measured on rows shaped like the bank's.
#include "authoring/AnswerPatterns.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace authoring;

using bank::QuestionRecord;
using bank::QuestionType;

namespace {

QuestionRecord choiceRow(const std::array<QString, 4>& options, const QString& key) {
    QuestionRecord row;
    row.tm = u"下列说法中正确的有（ ）。"_s;
    row.options = options;
    row.da = key;
    return row;
}

std::optional<PatternFigure> figureNamed(const QList<PatternFigure>& figures, const QString& start) {
    for (const PatternFigure& figure : figures)
        if (figure.name.startsWith(start)) return figure;
    return std::nullopt;
}

// The single-choice figure whose name starts with `start`; an empty figure, and a failure, when none.
PatternFigure numericFigure(const QList<QuestionRecord>& rows, const QString& start) {
    const std::optional<PatternFigure> figure =
        figureNamed(patternFigures(QuestionType::SingleChoice, rows), start);
    EXPECT_TRUE(figure) << start.toStdString();
    return figure.value_or(PatternFigure{});
}

} // namespace

TEST(AnswerCues, OwnersAverageAndNotOnlyAreNoAbsoluteWords) {
    EXPECT_FALSE(holdsWord(u"所有者权益是所有者对企业净资产的要求权。"_s, absoluteWords()));
    EXPECT_FALSE(holdsWord(u"企业对融资租入资产不拥有所有权。"_s, absoluteWords()));
    EXPECT_FALSE(holdsWord(u"月末一次加权平均法计算发出存货成本。"_s, absoluteWords()));
    EXPECT_FALSE(holdsWord(u"不仅反映金额，还反映数量"_s, restrictiveWords()));
    EXPECT_TRUE(holdsWord(u"所有的账户都有期末余额。"_s, absoluteWords()));
    EXPECT_TRUE(holdsWord(u"所有者权益均来自投资者投入。"_s, absoluteWords()));
    EXPECT_TRUE(holdsWord(u"仅适用于小规模企业"_s, restrictiveWords()));
}

TEST(AnswerCues, RestrictiveOptionsAreMeasuredAgainstTheOtherOptions) {
    // Keyed options speaking of owners and averages, unkeyed ones restricting: only the latter count.
    QList<QuestionRecord> rows;
    for (int i = 0; i < 12; ++i)
        rows.append(choiceRow(
            {u"所有者投入的资本"_s, u"平均年限法"_s, u"只能采用一种方法"_s, u"必须逐日登记"_s}, u"AB"_s));
    const std::optional<PatternFigure> figure =
        figureNamed(patternFigures(QuestionType::MultipleChoice, rows), u"options with a restrictive word"_s);
    ASSERT_TRUE(figure);
    EXPECT_EQ(figure->covered, 24);
    EXPECT_DOUBLE_EQ(figure->score, 0);
    EXPECT_DOUBLE_EQ(figure->chance, 1);
    EXPECT_TRUE(figure->fails());

    // The same words keyed as often as the rest: no cue.
    for (int i = 0; i < 12; ++i)
        rows[i].da = i % 2 == 0 ? u"AC"_s : u"BD"_s;
    EXPECT_FALSE(
        figureNamed(patternFigures(QuestionType::MultipleChoice, rows), u"options with a restrictive"_s)
            ->fails());
}

TEST(AnswerCues, TheKeysRankAmongNumericOptionsIsMeasured) {
    QList<QuestionRecord> rows;
    // Amounts with their unit count; options that differ in more than the number do not.
    for (int i = 0; i < 8; ++i)
        rows.append(choiceRow({u"450 万元"_s, u"500 万元"_s, u"530 万元"_s, u"630 万元"_s},
                              QString(QChar(u'A' + (i % 2 == 0 ? 0 : 3)))));
    rows.append(choiceRow({u"借方 500"_s, u"贷方 500"_s, u"借方 300"_s, u"贷方 300"_s}, u"B"_s));
    rows.append(choiceRow({u"20%"_s, u"25%"_s, u"30%"_s, u"35"_s}, u"B"_s));
    const PatternFigure extremes = numericFigure(rows, u"numeric options: the key is a middle"_s);
    EXPECT_EQ(extremes.covered, 8);
    EXPECT_DOUBLE_EQ(extremes.score, 0);
    EXPECT_FALSE(extremes.fails());

    for (int i = 0; i < 8; ++i)
        rows[i].da = u"C"_s; // 530: a middle value and the nearest the mean 527.5
    EXPECT_TRUE(numericFigure(rows, u"numeric options: the key is a middle"_s).fails());
    const PatternFigure nearest = numericFigure(rows, u"numeric options: the key is the value nearest"_s);
    EXPECT_DOUBLE_EQ(nearest.score, 1);
    EXPECT_DOUBLE_EQ(nearest.chance, 0.25);
    EXPECT_TRUE(nearest.fails());
}

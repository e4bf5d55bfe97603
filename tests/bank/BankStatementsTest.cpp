#include "bank/BankStatements.h"
#include "OutcomeValue.h"
#include "bank/Scoring.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using bank::answerStatement;
using bank::answerValues;
using bank::calcAnswerStatement;
using bank::clearStatements;
using bank::findCriterion;
using bank::scoreStatement;
using bank::selectStatement;
using bank::sumScoresStatement;

TEST(BankStatements, TextsAreExactToTheBlank) {
    EXPECT_EQ(valueOf(answerStatement(u"duoxuan"_s, u"题一"_s, u"AB"_s)),
              u"update duoxuan set XXDA='AB'where TM='题一'"_s);
    EXPECT_EQ(valueOf(scoreStatement(u"tm7"_s, u"题"_s, 10)), u"update tm7 set fen='10'where TM='题'"_s);
    EXPECT_EQ(valueOf(calcAnswerStatement(u"fenxi"_s, u"题"_s, 3, u"借 银行存款 5"_s)),
              u"update fenxi set fenxi3='借 银行存款 5'where TM='题'"_s);
    EXPECT_EQ(selectStatement(u"tm12"_s), u"select * from tm12"_s);
    EXPECT_EQ(findCriterion(62), u"ID=62"_s);
    EXPECT_EQ(sumScoresStatement(u"tm1"_s), u"select sum(fen) from tm1"_s);
    EXPECT_EQ(valueOf(answerStatement(u"panduan"_s, u"q"_s, QString())),
              u"update panduan set XXDA=''where TM='q'"_s);
}

TEST(BankStatements, ValuesOutsideTheClosedSetsHaveNoStatement) {
    int answers = 0;
    for (const QString& value : answerValues())
        answers += answerStatement(u"tm1"_s, u"q"_s, value).ok();
    EXPECT_EQ(answers, 17);
    for (const QString& value : {u"BA"_s, u"E"_s, u"a"_s, u"AB'--"_s, u"对"_s, u"AA"_s})
        EXPECT_FALSE(answerStatement(u"tm1"_s, u"q"_s, value)) << value.toStdString();
    for (int score : {-2, 3, 5, 7, 9, 11, 20})
        EXPECT_FALSE(scoreStatement(u"tm1"_s, u"q"_s, score)) << score;
    EXPECT_FALSE(calcAnswerStatement(u"fenxi"_s, u"q"_s, 0, u"1"_s));
    EXPECT_FALSE(calcAnswerStatement(u"fenxi"_s, u"q"_s, 6, u"1"_s));
}

TEST(BankStatements, QuotesInTextsAreDoubledInsideTheLiteral) {
    EXPECT_EQ(valueOf(answerStatement(u"danxuan"_s, u"it's'; update danxuan set fen='10'--"_s, u"A"_s)),
              u"update danxuan set XXDA='A'where TM='it''s''; update danxuan set fen=''10''--'"_s);
    EXPECT_EQ(valueOf(calcAnswerStatement(u"tm2"_s, u"q"_s, 1, u"'--"_s)),
              u"update tm2 set fenxi1='''--'where TM='q'"_s);
}

TEST(BankStatements, OnlyBankTablesAreNamedAndClearedByTheirColumns) {
    for (const QString& table : {u"users"_s, u"tm0"_s, u"tm21"_s, u"tm01"_s, u"tm 1"_s, u"danxuan;"_s})
        EXPECT_FALSE(answerStatement(table, u"q"_s, u"A"_s)) << table.toStdString();
    EXPECT_TRUE(clearStatements(u"tm0"_s).isEmpty());
    EXPECT_EQ(clearStatements(u"tm20"_s),
              (QStringList{u"update tm20 set fen='0'"_s, u"update tm20 set XXDA=''"_s,
                           u"update tm20 set fenxi1=''"_s, u"update tm20 set fenxi2=''"_s,
                           u"update tm20 set fenxi3=''"_s, u"update tm20 set fenxi4=''"_s,
                           u"update tm20 set fenxi5=''"_s}));
    EXPECT_EQ(clearStatements(u"panduan"_s),
              (QStringList{u"update panduan set fen='0'"_s, u"update panduan set XXDA=''"_s}));
    EXPECT_EQ(clearStatements(u"fenxi"_s).size(), 6);
    EXPECT_FALSE(clearStatements(u"fenxi"_s).join(u';').contains(u"XXDA"_s));
}

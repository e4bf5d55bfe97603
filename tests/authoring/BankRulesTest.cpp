#include "authoring/BankRules.h"
#include "PaperRecords.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace authoring;

using bank::amountsCalcType;
using bank::QuestionRecord;

namespace {

bool mentions(const QStringList& problems, const QString& part) {
    return std::any_of(problems.begin(), problems.end(), [&](const QString& p) { return p.contains(part); });
}

// The problems are as many as `parts`, and each part is mentioned by one of them.
void expectExactly(const QStringList& problems, const QStringList& parts) {
    for (const QString& part : parts)
        EXPECT_TRUE(mentions(problems, part)) << part.toStdString();
    EXPECT_EQ(problems.size(), parts.size()) << problems.join(u'\n').toStdString();
}

} // namespace

TEST(BankRules, AWholePaperPasses) {
    EXPECT_EQ(tableProblems(u"tm3"_s, paperRows()), QStringList());
}

TEST(BankRules, PaperNeedsExactlyTheIds1To62) {
    QList<QuestionRecord> missing = paperRows();
    missing.removeAt(30);
    EXPECT_TRUE(mentions(tableProblems(u"tm3"_s, missing), u"61 rows with 61 distinct IDs"_s));
    QList<QuestionRecord> twice = paperRows();
    twice[30].id = 30;
    const QStringList problems = tableProblems(u"tm3"_s, twice);
    EXPECT_TRUE(mentions(problems, u"tm3 ID 30: ID given to more than one row"_s));
    EXPECT_TRUE(mentions(problems, u"62 rows with 61 distinct IDs"_s));
    QList<QuestionRecord> beyond = paperRows();
    beyond.append(choiceRecord(63, u"多余"_s, u"A"_s));
    EXPECT_TRUE(
        mentions(tableProblems(u"tm3"_s, beyond), u"tm3 ID 63: a paper numbers its questions 1 to 62"_s));
}

TEST(BankRules, AnswersOutsideTheirClosedSets) {
    QList<QuestionRecord> rows = paperRows();
    rows[0].da = u"E"_s;
    rows[20].da = u"BA"_s;
    rows[21].da = u"B"_s;
    rows[40].da = u"对"_s;
    rows[1].xxda = u"AB"_s;
    rows[2].fen = u"2"_s;
    rows[22].fen = u"1"_s;
    expectExactly(tableProblems(u"tm1"_s, rows),
                  {u"ID 1: DA E is not one of A, B, C, D"_s, u"ID 21: DA BA is not in letter order"_s,
                   u"ID 22: DA B is not a multiple-choice answer"_s, u"ID 41: DA 对 is neither"_s,
                   u"ID 2: XXDA AB is not an answer of its kind"_s,
                   u"ID 3: fen 2 is not a score of its kind"_s,
                   u"ID 23: fen 1 is not a score of its kind"_s});
}

TEST(BankRules, RepeatedQuestionTextAndMissingParts) {
    QList<QuestionRecord> rows = paperRows();
    rows[5].tm = rows[2].tm;
    rows[7].options[3] = rows[7].options[0];
    rows[8].jx.clear();
    expectExactly(tableProblems(u"tm9"_s, rows),
                  {u"tm9 ID 6: question text repeats ID 3"_s, u"ID 8: XXD repeats another option"_s,
                   u"ID 9: JX is empty"_s});
}

TEST(BankRules, CalculationFieldsMustAgreeWithTx) {
    QList<QuestionRecord> rows = paperRows();
    rows[60].standards[2] = u"借 银行存款 1000\n贷 短期借款 1000"_s;
    rows[61].standards[4] = u"5000"_s;
    rows[61].standards[3].clear();
    const QStringList problems = tableProblems(u"tm2"_s, rows);
    EXPECT_TRUE(
        mentions(problems, u"ID 61: DAfenxi3 借 银行存款 1000\n贷 短期借款 1000 is not a plain amount"_s));
    EXPECT_TRUE(mentions(problems, u"ID 62: DAfenxi5: line \"5000\" is not"_s));
    EXPECT_TRUE(mentions(problems, u"ID 62: DAfenxi4 is empty"_s));
    rows = paperRows();
    rows[60].tx = u"计算分析题"_s;
    rows[61].tx = amountsCalcType();
    const QStringList wrongTx = tableProblems(u"tm2"_s, rows);
    EXPECT_TRUE(mentions(wrongTx, u"ID 61: TX 计算分析题 is neither"_s));
    EXPECT_TRUE(mentions(wrongTx, u"must hold one amounts and one journal-entry calculation question"_s));
}

TEST(BankRules, JournalStandardsUseChartAccountsAndBalance) {
    EXPECT_EQ(journalStandardProblems(
                  u"借 原材料-A 3000\n借 应交税费-应交增值税（进项税额） 390\n贷 银行存款 3390"_s),
              QStringList());
    EXPECT_EQ(journalStandardProblems(u"借 原材料 3000\n贷 银行存款 3000.01"_s),
              (QStringList{u"debits 3000.00 and credits 3000.01 do not balance"_s}));
    EXPECT_EQ(journalStandardProblems(u"借 存货 10\n贷 银行存款 10"_s),
              (QStringList{u"account 存货 is not in the chart of accounts"_s}));
    EXPECT_EQ(journalStandardProblems(u"贷 银行存款 10\n借 原材料 10"_s),
              (QStringList{u"debit line \"借 原材料 10\" after a credit line"_s}));
    EXPECT_EQ(journalStandardProblems(u"借 原材料 10\n借 库存商品 10"_s),
              (QStringList{u"an entry needs a debit and a credit"_s}));
    EXPECT_EQ(journalStandardProblems(u"借  原材料 10\n贷 银行存款 10"_s).size(), 1);
    EXPECT_EQ(journalStandardProblems(u"借 原材料 1,000\n贷 银行存款 1000"_s),
              (QStringList{u"amount 1,000 is not a plain positive amount"_s}));
    EXPECT_EQ(journalStandardProblems(u"借 原材料 1\n借 原材料 1\n借 原材料 1\n贷 银行存款 3"_s),
              (QStringList{u"4 lines, an entry has at most 3"_s}));
}

// Answers a teacher marks right although they are not written as the standard answer: accounts
// named as the textbook names them, amounts followed by their unit. Nothing else is forgiven.

#include "CalcAnswer.h"
#include "ChartOfAccounts.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kCapitalEntry = u"借 银行存款 540000\n贷 实收资本（或股本） 540000"_s;

} // namespace

TEST(LenientScoring, ATypedAccountNamesTheChartItemWithoutItsAlternative) {
    EXPECT_EQ(chartAccountNamed(u"实收资本"_s), u"实收资本（或股本）"_s);
    EXPECT_EQ(chartAccountNamed(u"应付股利"_s), u"应付股利（或应付利润）"_s);
    EXPECT_EQ(chartAccountNamed(u"实收资本(或股本)"_s), u"实收资本（或股本）"_s);
    EXPECT_EQ(chartAccountNamed(u"应交税费-应交增值税(销项税额)"_s), u"应交税费-应交增值税（销项税额）"_s);
    // Every account and sub-account of the chart names itself, so no short name hides another item.
    for (int i = 0; i < static_cast<int>(chartOfAccounts().size()); ++i) {
        if (const std::optional<QString> text = journalAccountText(i)) {
            EXPECT_EQ(chartAccountNamed(*text), *text) << text->toStdString();
        }
    }

    // A bracket that tells which tax it is, is part of the name; the alternative alone is no account.
    for (const QString& text :
         {u"应交税费-应交增值税"_s, u"股本"_s, u"或股本"_s, u"实收"_s, u"实收资本（）"_s, u"资产类"_s, u""_s})
        EXPECT_FALSE(chartAccountNamed(text)) << text.toStdString();
}

TEST(LenientScoring, JournalLinesWithTheTextbookNameOfAnAccountScore) {
    EXPECT_TRUE(calcFieldMatches(u"借 银行存款 540000\n贷 实收资本 540000"_s, kCapitalEntry));
    EXPECT_TRUE(calcFieldMatches(u"贷 实收资本(或股本) 540000\n借 银行存款 540000"_s, kCapitalEntry));
    EXPECT_TRUE(calcFieldMatches(u"借 利润分配 150000\n贷 应付股利 150000"_s,
                                 u"借 利润分配 150000\n贷 应付股利（或应付利润） 150000"_s));

    // A wrong account stays wrong, also when it is close to the right one.
    for (const QString& account : {u"股本"_s, u"资本公积"_s, u"实收"_s, u"实收资本金"_s})
        EXPECT_FALSE(calcFieldMatches(u"借 银行存款 540000\n贷 "_s + account + u" 540000"_s, kCapitalEntry))
            << account.toStdString();
    EXPECT_FALSE(
        calcFieldMatches(u"借 原材料 30000\n借 应交税费-应交增值税 3900\n贷 应付账款 33900"_s,
                         u"借 原材料 30000\n借 应交税费-应交增值税（进项税额） 3900\n贷 应付账款 33900"_s));
    EXPECT_FALSE(calcFieldMatches(u"借 银行存款 540000\n借 实收资本 540000"_s, kCapitalEntry));
}

TEST(LenientScoring, AnAmountMayBeFollowedByItsUnit) {
    for (const QString& answer : {u"540000元"_s, u"540000 元"_s, u"540,000.00元"_s, u"５４００００元"_s})
        EXPECT_TRUE(calcFieldMatches(answer, u"540000"_s)) << answer.toStdString();
    EXPECT_TRUE(calcFieldMatches(u"借 银行存款 540000元\n贷 实收资本 540000元"_s, kCapitalEntry));

    for (const QString& answer : {u"539999元"_s, u"540000元整"_s, u"54万元"_s, u"540000万元"_s, u"元540000"_s,
                                  u"540000元元"_s, u"元"_s, u"540000 元 元"_s, u"540000 RMB"_s})
        EXPECT_FALSE(calcFieldMatches(answer, u"540000"_s)) << answer.toStdString();
    EXPECT_FALSE(calcFieldMatches(u"借 银行存款 540000元整\n贷 实收资本 540000"_s, kCapitalEntry));
}

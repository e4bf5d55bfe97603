// Answers a teacher marks right although they are not written as the standard answer: accounts
// named as the textbook names them, amounts followed by their unit. Nothing else is forgiven.

#include "bank/CalcAnswer.h"
#include "bank/ChartOfAccounts.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using bank::calcFieldMatches;
using bank::chartAccountNamed;
using bank::chartOfAccounts;
using bank::journalAccountText;

TEST(LenientScoring, AnAccountIsNamedWithoutItsAlternativeOrWithEitherBrackets) {
    EXPECT_EQ(chartAccountNamed(u"实收资本"_s), u"实收资本（或股本）"_s);
    EXPECT_EQ(chartAccountNamed(u"应付股利"_s), u"应付股利（或应付利润）"_s);
    EXPECT_EQ(chartAccountNamed(u"应交税费-应交增值税(销项税额)"_s), u"应交税费-应交增值税（销项税额）"_s);
    // Every item names itself, so no short name hides another item.
    for (int i = 0; i < static_cast<int>(chartOfAccounts().size()); ++i) {
        if (const std::optional<QString> text = journalAccountText(i)) {
            EXPECT_EQ(chartAccountNamed(*text), *text);
        }
    }
    // A bracket that tells which tax it is belongs to the name; the alternative alone is no account.
    for (const QString& text : {u"应交税费-应交增值税"_s, u"股本"_s, u"实收"_s, u"实收资本（）"_s})
        EXPECT_FALSE(chartAccountNamed(text)) << text.toStdString();

    const QString standard = u"借 银行存款 540000\n贷 实收资本（或股本） 540000"_s;
    EXPECT_TRUE(
        calcFieldMatches(u"贷 实收资本 540000\n借 银行存款 540000"_s, standard, bank::SubAccounts::AsKeyed));
    EXPECT_FALSE(
        calcFieldMatches(u"借 银行存款 540000\n贷 股本 540000"_s, standard, bank::SubAccounts::AsKeyed));
    EXPECT_FALSE(
        calcFieldMatches(u"借 银行存款 540000\n借 实收资本 540000"_s, standard, bank::SubAccounts::AsKeyed));
}

TEST(LenientScoring, AnAmountMayBeFollowedByItsUnit) {
    for (const QString& answer : {u"540000元"_s, u"540000 元"_s, u"540,000.00元"_s, u"５４００００元"_s})
        EXPECT_TRUE(calcFieldMatches(answer, u"540000"_s, bank::SubAccounts::AsKeyed))
            << answer.toStdString();
    EXPECT_TRUE(calcFieldMatches(u"借 银行存款 540000元\n贷 实收资本 540000元"_s,
                                 u"借 银行存款 540000\n贷 实收资本（或股本） 540000"_s,
                                 bank::SubAccounts::AsKeyed));
    for (const QString& answer :
         {u"539999元"_s, u"540000元整"_s, u"54万元"_s, u"元540000"_s, u"540000元元"_s})
        EXPECT_FALSE(calcFieldMatches(answer, u"540000"_s, bank::SubAccounts::AsKeyed))
            << answer.toStdString();
}

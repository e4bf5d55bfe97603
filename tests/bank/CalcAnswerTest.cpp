#include "bank/CalcAnswer.h"
#include "bank/Amount.h"
#include "bank/JournalEntry.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using bank::Amount;
using bank::amountInCents;
using bank::calcFieldMatches;
using bank::formatJournalEntry;
using bank::isPlainAmount;
using bank::JournalLine;
using bank::parseAmount;
using bank::parseJournalEntry;

TEST(Amount, SameValueWhateverTheSpelling) {
    EXPECT_EQ(parseAmount(u"1,000.00"_s), parseAmount(u"1000"_s));
    EXPECT_EQ(parseAmount(u"0053.570"_s), parseAmount(u"53.57"_s));
    EXPECT_EQ(parseAmount(u"-0"_s), parseAmount(u"0.00"_s));
    EXPECT_EQ(parseAmount(u"+12"_s), parseAmount(u"12"_s));
    EXPECT_NE(parseAmount(u"53.57"_s), parseAmount(u"53.570001"_s));
    EXPECT_NE(parseAmount(u"-5"_s), parseAmount(u"5"_s));
    EXPECT_EQ(amountInCents(*parseAmount(u"1,250.5"_s)), 125050);
    EXPECT_FALSE(amountInCents(*parseAmount(u"0.125"_s)));
}

TEST(Amount, RefusesWhatIsNotOneNumber) {
    for (const QString& text : {u""_s, u"1,00"_s, u"10,000,00"_s, u",100"_s, u"1.2.3"_s, u"1e5"_s, u"12元"_s,
                                u"1 000"_s, u"."_s, u"5."_s, u"12345678901234567"_s, u"--1"_s})
        EXPECT_FALSE(parseAmount(text)) << text.toStdString();
    EXPECT_TRUE(isPlainAmount(u"1250.50"_s));
    EXPECT_FALSE(isPlainAmount(u"1,250.50"_s));
    EXPECT_FALSE(isPlainAmount(u"1.255"_s));
    EXPECT_FALSE(isPlainAmount(u"-3"_s));
}

TEST(CalcAnswer, AmountsFoldWidthsAndBlanksAndCompareByValue) {
    EXPECT_TRUE(calcFieldMatches(u"  ５６０００ "_s, u"56000"_s, bank::SubAccounts::AsKeyed));
    EXPECT_TRUE(calcFieldMatches(u"56,000.00"_s, u"56000"_s, bank::SubAccounts::AsKeyed));
    EXPECT_TRUE(calcFieldMatches(u"５６，０００．００"_s, u"56000"_s, bank::SubAccounts::AsKeyed));
    EXPECT_TRUE(calcFieldMatches(u"\u3000５３.５７"_s, u"53.57"_s, bank::SubAccounts::AsKeyed));
    EXPECT_FALSE(calcFieldMatches(u"53.58"_s, u"53.57"_s, bank::SubAccounts::AsKeyed));
    EXPECT_FALSE(calcFieldMatches(QString(), u"56000"_s, bank::SubAccounts::AsKeyed));
}

TEST(CalcAnswer, EmptyStandardIsMatchedOnlyByEmptyAnswer) {
    EXPECT_TRUE(calcFieldMatches(QString(), QString(), bank::SubAccounts::AsKeyed));
    EXPECT_TRUE(calcFieldMatches(u" \n "_s, QString(), bank::SubAccounts::AsKeyed));
    EXPECT_FALSE(calcFieldMatches(u"0"_s, QString(), bank::SubAccounts::AsKeyed));
}

TEST(CalcAnswer, JournalLinesMatchInAnyOrderWithAmountsByValue) {
    const QString standard = u"借 原材料 30000\n借 应交税费-应交增值税（进项税额） 3900\n贷 应付账款 33900"_s;
    EXPECT_TRUE(calcFieldMatches(standard, standard, bank::SubAccounts::AsKeyed));
    EXPECT_TRUE(calcFieldMatches(
        u"贷 应付账款 33,900.00\n借 应交税费-应交增值税（进项税额） 3900\n借  原材料  30000"_s, standard,
        bank::SubAccounts::AsKeyed));
    // Full-width brackets fold the same way on both sides, so ASCII brackets typed by hand also match.
    EXPECT_TRUE(
        calcFieldMatches(u"借 原材料 30000\n借 应交税费-应交增值税(进项税额) 3900\n贷 应付账款 33900"_s,
                         standard, bank::SubAccounts::AsKeyed));
    EXPECT_FALSE(
        calcFieldMatches(u"借 原材料 30000\n贷 应付账款 33900"_s, standard, bank::SubAccounts::AsKeyed));
    EXPECT_FALSE(
        calcFieldMatches(u"借 原材料 30000\n贷 应交税费-应交增值税（进项税额） 3900\n贷 应付账款 33900"_s,
                         standard, bank::SubAccounts::AsKeyed));
    EXPECT_FALSE(calcFieldMatches(standard + u"\n借 原材料 30000"_s, standard, bank::SubAccounts::AsKeyed));
    // A repeated line is not the same entry as the line once.
    EXPECT_FALSE(calcFieldMatches(u"借 银行存款 5\n借 银行存款 5\n贷 实收资本（或股本） 10"_s,
                                  u"借 银行存款 5\n贷 实收资本（或股本） 10"_s, bank::SubAccounts::AsKeyed));
}

TEST(CalcAnswer, OtherTextsCompareAfterNormalising) {
    EXPECT_TRUE(calcFieldMatches(u"  甲  产品 "_s, u"甲 产品"_s, bank::SubAccounts::AsKeyed));
    EXPECT_TRUE(calcFieldMatches(u"ＡＢ"_s, u"AB"_s, bank::SubAccounts::AsKeyed));
    EXPECT_FALSE(calcFieldMatches(u"ab"_s, u"AB"_s, bank::SubAccounts::AsKeyed));
}

TEST(JournalEntry, FormatAndParseAreEachOthersWayBack) {
    const QList<JournalLine> lines{{u"借"_s, u"银行存款"_s, u"200000"_s},
                                   {QString(), QString(), QString()},
                                   {u"贷"_s, u"实收资本（或股本）"_s, u"200000"_s}};
    const QString text = formatJournalEntry(lines);
    EXPECT_EQ(text, u"借 银行存款 200000\n贷 实收资本（或股本） 200000"_s);
    EXPECT_EQ(parseJournalEntry(text), (QList<JournalLine>{lines[0], lines[2]}));
}

TEST(JournalEntry, PartlyFilledLinesKeepTheirPlaces) {
    const QList<JournalLine> lines{{QString(), u"银行 存款"_s, u"1 000"_s},
                                   {u"借"_s, QString(), u"5"_s},
                                   {u"贷"_s, u" 应付账款 "_s, QString()}};
    const QString text = formatJournalEntry(lines);
    EXPECT_EQ(parseJournalEntry(text), (QList<JournalLine>{{QString(), u"银行 存款"_s, u"1000"_s},
                                                           {u"借"_s, QString(), u"5"_s},
                                                           {u"贷"_s, u"应付账款"_s, QString()}}));
    EXPECT_TRUE(formatJournalEntry({{QString(), u"  "_s, QString()}}).isEmpty());
    EXPECT_TRUE(parseJournalEntry(QString()).isEmpty());
    EXPECT_EQ(parseJournalEntry(u"随便写的"_s), (QList<JournalLine>{{u"随便写的"_s, QString(), QString()}}));
}

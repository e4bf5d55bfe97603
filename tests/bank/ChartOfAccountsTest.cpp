#include "bank/ChartOfAccounts.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace Qt::StringLiterals;

using bank::AccountItem;
using bank::chartOfAccounts;
using bank::isJournalAccount;
using bank::journalAccountText;

TEST(ChartOfAccounts, NinetyOneItemsInFourLevels) {
    const std::vector<AccountItem>& chart = chartOfAccounts();
    ASSERT_EQ(chart.size(), 91u);
    std::array<int, 5> perLevel{};
    for (std::size_t i = 0; i < chart.size(); ++i) {
        const AccountItem& item = chart[i];
        ++perLevel[static_cast<std::size_t>(item.level)];
        if (item.level > 1) {
            ASSERT_GE(item.parent, 0);
            ASSERT_LT(static_cast<std::size_t>(item.parent), i); // parents come first in tree order
            EXPECT_EQ(chart[static_cast<std::size_t>(item.parent)].level, item.level - 1);
        }
    }
    EXPECT_EQ(perLevel, (std::array<int, 5>{0, 1, 5, 66, 19}));
    EXPECT_EQ(chart[0].text, u"会计科目"_s);
    QStringList categories;
    for (const AccountItem& item : chart)
        if (item.level == 2) categories.append(item.text);
    EXPECT_EQ(categories,
              (QStringList{u"资产类"_s, u"负债类"_s, u"所有者权益类"_s, u"成本类"_s, u"损益类"_s}));
}

TEST(ChartOfAccounts, SubAccountsOfTaxesFollowTheirAccountInOrder) {
    const std::vector<AccountItem>& chart = chartOfAccounts();
    const auto taxes = std::find_if(chart.begin(), chart.end(),
                                    [](const AccountItem& item) { return item.text == u"应交税费"_s; });
    ASSERT_NE(taxes, chart.end());
    const int taxesIndex = static_cast<int>(taxes - chart.begin());
    QStringList subs;
    for (const AccountItem& item : chart)
        if (item.parent == taxesIndex) subs.append(item.text);
    EXPECT_EQ(subs, (QStringList{u"应交增值税（进项税额）"_s, u"应交增值税（进项税额转出）"_s,
                                 u"应交增值税（销项税额）"_s, u"应交增值税（转出未交增值税）"_s,
                                 u"未交增值税"_s, u"应交消费税"_s, u"应交城市维护建设税"_s,
                                 u"应交教育费附加"_s, u"应交所得税"_s, u"应交个人所得税"_s}));
    EXPECT_EQ(journalAccountText(taxesIndex + 3), u"应交税费-应交增值税（销项税额）"_s);
}

TEST(ChartOfAccounts, JournalAccountsAreAccountsAndSubAccountsOnly) {
    EXPECT_TRUE(isJournalAccount(u"银行存款"_s));
    EXPECT_TRUE(isJournalAccount(u"原材料-A"_s));
    EXPECT_TRUE(isJournalAccount(u"应交税费-应交增值税（销项税额）"_s));
    EXPECT_TRUE(isJournalAccount(u"实收资本（或股本）"_s));
    EXPECT_TRUE(isJournalAccount(u"利润分配-提取法定盈余公积"_s));
    EXPECT_TRUE(isJournalAccount(u"盈余公积-法定盈余公积"_s));
    EXPECT_TRUE(isJournalAccount(u"税金及附加"_s));
    EXPECT_FALSE(isJournalAccount(u"营业税金及附加"_s));
    EXPECT_FALSE(isJournalAccount(u"应交税费-应交营业税"_s));
    EXPECT_FALSE(isJournalAccount(u"原材料-原材料-A"_s));
    EXPECT_FALSE(isJournalAccount(u"应交增值税（销项税额）"_s));
    EXPECT_FALSE(isJournalAccount(u"实收资本(或股本)"_s));
    EXPECT_FALSE(isJournalAccount(u"资产类"_s));
    EXPECT_FALSE(isJournalAccount(u"会计科目"_s));
    EXPECT_FALSE(journalAccountText(-1));
    EXPECT_FALSE(journalAccountText(91));
    int accounts = 0;
    for (int i = 0; i < 91; ++i)
        accounts += journalAccountText(i).has_value();
    EXPECT_EQ(accounts, 85);
}

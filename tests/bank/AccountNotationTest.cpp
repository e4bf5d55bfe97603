// Accounts as the program's own documents and the textbooks write them are the chart's accounts,
// and a journal answer written that way scores.

#include "bank/CalcAnswer.h"
#include "bank/ChartOfAccounts.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using bank::calcFieldMatches;
using bank::chartAccountNamed;
using bank::SubAccounts;
using bank::subAccountsAskedBy;

namespace {

struct Notation {
    QString written;
    std::optional<QString> account; // nullopt: names no account of the chart
};

// The accounts the two documents' worked entries name: the journal tables' account cells and the
// accounts quoted after 借记/贷记 or listed after 借：/贷：.
QSet<QString> documentAccounts(const QString& fileName) {
    QFile file(QStringLiteral(VELMORA_DOCS_DIR "/") + fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString html = QString::fromUtf8(file.readAll());
    QSet<QString> accounts;
    static const QRegularExpression tableCell(u"<td class=\"dir\">[借贷]</td><td>([^<]+)</td>"_s);
    static const QRegularExpression quoted(u"[借贷]记“([^”]+)”"_s);
    static const QRegularExpression listed(u"[借贷]：([^；。<]+)"_s);
    for (const QRegularExpression* pattern : {&tableCell, &quoted})
        for (const QRegularExpressionMatch& m : pattern->globalMatch(html))
            accounts.insert(m.captured(1).trimmed());
    // "借：银行存款 113000；贷：主营业务收入 100000，应交税费——应交增值税（销项税额）13000"
    static const QRegularExpression accountAndAmount(u"([^\\d，、\\s]+)\\s*\\d"_s);
    for (const QRegularExpressionMatch& m : listed.globalMatch(html))
        for (const QRegularExpressionMatch& part : accountAndAmount.globalMatch(m.captured(1)))
            accounts.insert(part.captured(1).trimmed());
    return accounts;
}

} // namespace

TEST(AccountNotation, EveryWayTheDocumentsAndTextbooksWriteAnAccountNamesIt) {
    const QString materialA = u"原材料-A"_s;
    const QString inputVat = u"应交税费-应交增值税（进项税额）"_s;
    const std::vector<Notation> cases{
        {u"原材料-A"_s, materialA},
        {u"原材料——A 材料"_s, materialA},
        {u"原材料——A材料"_s, materialA},
        {u"原材料 —— A 材料"_s, materialA},
        {u"原材料—A"_s, materialA},
        {u"原材料－A"_s, materialA},
        {u"原材料 - A"_s, materialA},
        {u"原材料-a材料"_s, materialA},
        {u"应交税费——应交增值税（进项税额）"_s, inputVat},
        {u"应交税费——应交增值税(进项税额)"_s, inputVat},
        {u"应交税费 - 应交增值税（进项税额）"_s, inputVat},
        {u"应交税费-应交增值税（进项税额）"_s, inputVat},
        {u"实收资本"_s, u"实收资本（或股本）"_s},
        {u"实收资本(或股本)"_s, u"实收资本（或股本）"_s},
        {u" 银行存款 "_s, u"银行存款"_s},
        // Letters stay letters: a material the chart does not keep, or a word that is not one.
        {u"原材料——C 材料"_s, std::nullopt},
        {u"原材料——A 产品"_s, std::nullopt},
        {u"原材料A"_s, std::nullopt},
        {u"应交增值税（进项税额）"_s, std::nullopt},
        {u"银行 存款 利息"_s, std::nullopt},
    };
    for (const Notation& c : cases)
        EXPECT_EQ(chartAccountNamed(c.written), c.account) << c.written.toStdString();
}

TEST(AccountNotation, EveryAccountOfTheDocumentsWorkedEntriesIsInTheChart) {
    for (const QString& document : {u"beikao.html"_s, u"dagang.html"_s}) {
        const QSet<QString> accounts = documentAccounts(document);
        EXPECT_GE(accounts.size(), 5) << document.toStdString();
        for (const QString& account : accounts)
            EXPECT_TRUE(chartAccountNamed(account))
                << document.toStdString() << ": " << account.toStdString();
    }
}

TEST(AccountNotation, AnAnswerInTheHandbooksNotationScoresAndTheAccountAboveOnlyWhereNoSubAccountIsAsked) {
    const QString standard =
        u"借 原材料-A 50000\n借 应交税费-应交增值税（进项税额） 6500\n贷 应付账款 56500"_s;
    const QString handbook =
        u"借 原材料——A 材料 50000\n借 应交税费——应交增值税（进项税额） 6500\n贷 应付账款 56500"_s;
    const QString accountsAbove = u"借 原材料 50000\n借 应交税费 6500\n贷 应付账款 56500"_s;
    const QString otherMaterial = u"借 原材料——B 材料 50000\n借 应交税费 6500\n贷 应付账款 56500"_s;

    const SubAccounts plain = subAccountsAskedBy(u"购入材料一批，要求：编制会计分录。"_s);
    const SubAccounts detailed = subAccountsAskedBy(u"购入材料一批，要求：编制会计分录（写出明细科目）。"_s);
    EXPECT_EQ(plain, SubAccounts::AccountSuffices);
    EXPECT_EQ(detailed, SubAccounts::AsKeyed);

    EXPECT_TRUE(calcFieldMatches(handbook, standard, plain));
    EXPECT_TRUE(calcFieldMatches(handbook, standard, detailed));
    EXPECT_TRUE(calcFieldMatches(accountsAbove, standard, plain));
    EXPECT_FALSE(calcFieldMatches(accountsAbove, standard, detailed));
    // The account above is forgiven; a wrong sub-account is not.
    EXPECT_FALSE(calcFieldMatches(otherMaterial, standard, plain));
    // Direction and amount still count line by line.
    EXPECT_FALSE(
        calcFieldMatches(u"贷 原材料 50000\n借 应交税费 6500\n借 应付账款 56500"_s, standard, plain));
}

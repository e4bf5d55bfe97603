#include "bank/ChartOfAccounts.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <utility>

using namespace Qt::StringLiterals;

namespace bank {

namespace {

struct AccountSource {
    QString text;
    std::vector<QString> subAccounts;
};

struct CategorySource {
    QString text;
    std::vector<AccountSource> accounts;
};

// The chart as data; everything else derives from it. The accounts are those of the enterprise chart
// (企业会计准则—应用指南 附录, 财政部 2006) a candidate at this level meets, as amended since: 税金及附加
// for 营业税金及附加 (财会〔2016〕22号), no 营业税 after 营改增, 信用减值损失, 其他收益 and 资产处置损益 as
// the statement formats of 财会〔2018〕15号 and 财会〔2019〕6号 report them. Within a category the accounts
// keep the order of their codes.
const std::vector<CategorySource>& chartSource() {
    static const std::vector<CategorySource> source{
        {u"资产类"_s, {{u"库存现金"_s, {}},      {u"银行存款"_s, {}},
                       {u"其他货币资金"_s, {}},  {u"交易性金融资产"_s, {}},
                       {u"应收票据"_s, {}},      {u"应收账款"_s, {}},
                       {u"预付账款"_s, {}},      {u"应收股利"_s, {}},
                       {u"应收利息"_s, {}},      {u"其他应收款"_s, {}},
                       {u"坏账准备"_s, {}},      {u"材料采购"_s, {}},
                       {u"在途物资"_s, {}},      {u"原材料"_s, {u"原材料-A"_s, u"原材料-B"_s}},
                       {u"材料成本差异"_s, {}},  {u"库存商品"_s, {}},
                       {u"周转材料"_s, {}},      {u"存货跌价准备"_s, {}},
                       {u"长期股权投资"_s, {}},  {u"固定资产"_s, {}},
                       {u"累计折旧"_s, {}},      {u"固定资产减值准备"_s, {}},
                       {u"在建工程"_s, {}},      {u"工程物资"_s, {}},
                       {u"固定资产清理"_s, {}},  {u"无形资产"_s, {}},
                       {u"累计摊销"_s, {}},      {u"长期待摊费用"_s, {}},
                       {u"待处理财产损溢"_s, {}}}},
        {u"负债类"_s,
         {{u"短期借款"_s, {}},
          {u"交易性金融负债"_s, {}},
          {u"应付票据"_s, {}},
          {u"应付账款"_s, {}},
          {u"预收账款"_s, {}},
          {u"应付职工薪酬"_s, {}},
          {u"应交税费"_s,
           {u"应交增值税（进项税额）"_s, u"应交增值税（进项税额转出）"_s, u"应交增值税（销项税额）"_s,
            u"应交增值税（转出未交增值税）"_s, u"未交增值税"_s, u"应交消费税"_s, u"应交城市维护建设税"_s,
            u"应交教育费附加"_s, u"应交所得税"_s, u"应交个人所得税"_s}},
          {u"应付利息"_s, {}},
          {u"应付股利（或应付利润）"_s, {}},
          {u"其他应付款"_s, {}},
          {u"长期借款"_s, {}},
          {u"预计负债"_s, {}}}},
        {u"所有者权益类"_s,
         {{u"实收资本（或股本）"_s, {}},
          {u"资本公积"_s, {}},
          {u"盈余公积"_s, {u"法定盈余公积"_s, u"任意盈余公积"_s}},
          {u"本年利润"_s, {}},
          {u"利润分配"_s,
           {u"提取法定盈余公积"_s, u"提取任意盈余公积"_s, u"应付现金股利或利润"_s, u"盈余公积补亏"_s,
            u"未分配利润"_s}}}},
        {u"成本类"_s, {{u"生产成本"_s, {}}, {u"制造费用"_s, {}}, {u"劳务成本"_s, {}}}},
        {u"损益类"_s,
         {{u"主营业务收入"_s, {}},
          {u"其他业务收入"_s, {}},
          {u"投资收益"_s, {}},
          {u"资产处置损益"_s, {}},
          {u"其他收益"_s, {}},
          {u"营业外收入"_s, {}},
          {u"主营业务成本"_s, {}},
          {u"其他业务成本"_s, {}},
          {u"税金及附加"_s, {}},
          {u"销售费用"_s, {}},
          {u"管理费用"_s, {}},
          {u"财务费用"_s, {}},
          {u"资产减值损失"_s, {}},
          {u"信用减值损失"_s, {}},
          {u"营业外支出"_s, {}},
          {u"所得税费用"_s, {}},
          {u"以前年度损益调整"_s, {}}}},
    };
    return source;
}

std::vector<AccountItem> buildChart() {
    std::vector<AccountItem> items{{u"会计科目"_s, 1, -1}};
    for (const CategorySource& category : chartSource()) {
        const int categoryIndex = static_cast<int>(items.size());
        items.push_back({category.text, 2, 0});
        for (const AccountSource& account : category.accounts) {
            const int accountIndex = static_cast<int>(items.size());
            items.push_back({account.text, 3, categoryIndex});
            for (const QString& sub : account.subAccounts)
                items.push_back({sub, 4, accountIndex});
        }
    }
    return items;
}

// Sub-accounts whose own text already names their account (原材料-A).
bool namesItsAccount(const AccountItem& sub, const AccountItem& account) {
    return sub.text.startsWith(account.text + u'-');
}

// One spelling for the ways textbooks and candidates write an account: ASCII brackets, no blanks,
// one ASCII hyphen between an account and its sub-account (they write -, －, —, —— or ─, with or
// without blanks), and a material sub-account named by its letter alone (原材料——A 材料 is 原材料-A).
QString foldedNotation(const QString& text) {
    static const QRegularExpression separator(u"\\s*[-－—–─]+\\s*"_s);
    static const QRegularExpression blanks(u"\\s+"_s);
    static const QRegularExpression materialLetter(u"-([A-Za-z])材料$"_s);
    QString folded = text.trimmed();
    folded.replace(u'（', u'(').replace(u'）', u')');
    folded.replace(separator, u"-"_s).remove(blanks);
    const QRegularExpressionMatch letter = materialLetter.match(folded);
    if (letter.hasMatch())
        folded.replace(letter.capturedStart(), letter.capturedLength(), u'-' + letter.captured(1).toUpper());
    return folded;
}

// The text before a closing alternative such as "（或股本）"; empty when the text ends in none.
// Brackets that specify the account (应交增值税（销项税额）) are not alternatives and stay.
QString withoutAlternative(const QString& text) {
    static const QString opening = u"（或"_s;
    const qsizetype start = text.lastIndexOf(opening);
    if (start <= 0 || !text.endsWith(u'）')) return {};
    return text.left(start);
}

} // namespace

const std::vector<AccountItem>& chartOfAccounts() {
    static const std::vector<AccountItem> chart = buildChart();
    return chart;
}

std::optional<QString> journalAccountText(int index) {
    const std::vector<AccountItem>& chart = chartOfAccounts();
    if (index < 0 || index >= static_cast<int>(chart.size())) return std::nullopt;
    const AccountItem& item = chart[static_cast<std::size_t>(index)];
    if (item.level < 3) return std::nullopt;
    if (item.level == 3) return item.text;
    const AccountItem& account = chart[static_cast<std::size_t>(item.parent)];
    return namesItsAccount(item, account) ? item.text : account.text + u'-' + item.text;
}

bool isJournalAccount(const QString& account) {
    static const QSet<QString> accounts = [] {
        QSet<QString> texts;
        for (int i = 0; i < static_cast<int>(chartOfAccounts().size()); ++i)
            if (const std::optional<QString> text = journalAccountText(i)) texts.insert(*text);
        return texts;
    }();
    return accounts.contains(account);
}

std::optional<QString> chartAccountNamed(const QString& typed) {
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> byName;
        for (int i = 0; i < static_cast<int>(chartOfAccounts().size()); ++i) {
            const std::optional<QString> text = journalAccountText(i);
            if (!text) continue;
            byName.insert(foldedNotation(*text), *text);
            const QString shortName = withoutAlternative(*text);
            if (!shortName.isEmpty() && !isJournalAccount(shortName)) byName.insert(shortName, *text);
        }
        return byName;
    }();
    const auto found = names.constFind(foldedNotation(typed));
    if (found == names.constEnd()) return std::nullopt;
    return *found;
}

std::optional<QString> parentAccountText(const QString& journalText) {
    const std::vector<AccountItem>& chart = chartOfAccounts();
    for (int i = 0; i < static_cast<int>(chart.size()); ++i) {
        const AccountItem& item = chart[static_cast<std::size_t>(i)];
        if (item.level == 4 && journalAccountText(i) == journalText)
            return chart[static_cast<std::size_t>(item.parent)].text;
    }
    return std::nullopt;
}

} // namespace bank

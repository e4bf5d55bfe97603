#include "SampleBank.h"

#include "authoring/BankSource.h"

#include <QDir>
#include <QFile>

#include <random>

using namespace Qt::StringLiterals;
using namespace authoring;

namespace {

const QStringList accounts{
    u"银行存款"_s, u"应收账款"_s, u"库存商品"_s, u"固定资产"_s, u"累计折旧"_s, u"短期借款"_s, u"应付账款"_s,
    u"实收资本"_s, u"资本公积"_s, u"盈余公积"_s, u"本年利润"_s, u"利润分配"_s, u"管理费用"_s, u"销售费用"_s,
    u"财务费用"_s, u"制造费用"_s, u"生产成本"_s, u"预收账款"_s, u"预付账款"_s, u"应交税费"_s, u"长期借款"_s,
    u"无形资产"_s, u"在途物资"_s, u"库存现金"_s, u"应收票据"_s, u"应付票据"_s, u"周转材料"_s, u"坏账准备"_s};

QString chapter(int i) {
    return chapterTags()[i % chapterTags().size()];
}

// The four accounts of combination `rank` in lexicographic order.
QStringList combination(int rank) {
    const auto n = static_cast<int>(accounts.size());
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            for (int c = b + 1; c < n; ++c)
                for (int d = c + 1; d < n; ++d)
                    if (rank-- == 0) return {accounts[a], accounts[b], accounts[c], accounts[d]};
    return {};
}

// Four different accounts for option set `set`: no two sets alike (a shared set of options gives a
// question away), spread over the combinations so that every account is in use.
QStringList fourAccounts(int set) {
    constexpr int combinations = 28 * 27 * 26 * 25 / 24; // coprime to the stride
    constexpr int stride = 97;
    return combination(set * stride % combinations);
}

QString choiceBlock(int i, int optionSet, const QString& text, const QString& key,
                    const QString& explanation) {
    const QStringList options = fourAccounts(optionSet);
    return u"CH: %1\nTM: %2\nA: %3\nB: %4\nC: %5\nD: %6\nDA: %7\nJX: %8\n\n"_s.arg(
        chapter(i), text, options[0], options[1], options[2], options[3], key, explanation);
}

// Calculation questions: short texts, so that the stock wording does not outweigh the names.
QString calculationBlock(int i, Names& names) {
    const QString company = u"%1公司（客户%2、%3）"_s.arg(names.next(), names.next(), names.next());
    const int amount = 1000 * (i + 3);
    if (i % 2 == 0)
        return u"CH: %1\nTX: 计算分析题-计算\nTM: %2 %3 月初资产 %4 元，负债 %5 元。求 (1)–(5)。\n"
               u"DA1: %6\nDA2: %7\nDA3: %8\nDA4: %9\nDA5: %4\nJX: 所有者权益＝资产－负债。\n\n"_s
                   .arg(chapter(i), company)
                   .arg(i % 12 + 1)
                   .arg(3 * amount)
                   .arg(amount)
                   .arg(2 * amount)
                   .arg(6 * amount)
                   .arg(2 * amount)
                   .arg(4 * amount);
    QString block = u"CH: %1\nTX: 计算分析题-分录\nTM: %2 %3 月借款五笔，编制 (1)–(5) 的分录。\n"_s
                        .arg(chapter(i), company)
                        .arg(i % 12 + 1);
    for (int k = 1; k <= 5; ++k)
        block += u"DA%1: 借 银行存款 %2\nDA%1: 贷 短期借款 %2\n"_s.arg(k).arg(amount + k);
    return block + u"JX: 借入款项使银行存款与短期借款同时增加。\n\n"_s;
}

} // namespace

Names::Names(std::uint32_t seed) : m_rng(seed) {}

QString Names::next() {
    static const QString pool =
        u"华东明光远达新和丰泰安信恒瑞祥宏兴隆盛昌永嘉福康宁海山川云峰林松竹梅兰青红白金玉"
        u"星辰晨星鹏程万里长城江河湖泊田园春夏秋冬晴雨雪霜风雷电锦绣辉煌"_s;
    QString name;
    for (int i = 0; i < 4; ++i)
        name.append(pool[static_cast<qsizetype>(m_rng() % static_cast<std::uint32_t>(pool.size()))]);
    return name;
}

SampleSources sampleSources(int perKind, int calculations) {
    static const QStringList keys{u"AB"_s,  u"AC"_s,  u"AD"_s,  u"BC"_s,  u"BD"_s,  u"CD"_s,
                                  u"ABC"_s, u"ABD"_s, u"ACD"_s, u"BCD"_s, u"ABCD"_s};
    Names names;
    SampleSources sources;
    for (int i = 0; i < perKind; ++i) {
        const QString letter(QChar(u'A' + i % 4));
        sources.danxuan += choiceBlock(
            i, 2 * i, u"甲公司购入“%1”一批，货款尚未支付，应贷记的会计科目是（ ）。"_s.arg(names.next()),
            letter, u"赊购使负债增加，记入所选科目的贷方；其余科目与此业务无关。"_s);
        sources.duoxuan += choiceBlock(
            i + 1, 2 * i + 1, u"乙公司“%1”项目完工结算时，可能涉及的会计科目有（ ）。"_s.arg(names.next()),
            keys[i % keys.size()], u"结算涉及所选科目；其余科目与此项目无关。"_s);
        sources.panduan +=
            u"CH: %1\nTM: 丙公司将“%2”的购入成本记入“%3”科目。\nDA: %4\nJX: 购入成本应按其用途记入相应科目。\n\n"_s
                .arg(chapter(i), names.next(), accounts[i % accounts.size()],
                     i % 2 == 0 ? u"正确"_s : u"错误"_s);
    }
    for (int i = 0; i < calculations; ++i)
        sources.fenxi += calculationBlock(i, names);
    return sources;
}

bool writeSources(const SampleSources& sources, const QString& directory) {
    const std::array<std::pair<QString, QString>, 4> files{{{u"danxuan.txt"_s, sources.danxuan},
                                                            {u"duoxuan.txt"_s, sources.duoxuan},
                                                            {u"panduan.txt"_s, sources.panduan},
                                                            {u"fenxi.txt"_s, sources.fenxi}}};
    for (const auto& [name, text] : files) {
        QFile file(QDir(directory).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) != text.toUtf8().size())
            return false;
    }
    return true;
}

ComposedSources composeSources(const QString& directory) {
    const LoadedPools loaded = loadPools(directory);
    if (!loaded.problems.isEmpty()) return {loaded.pools, {}, loaded.problems};
    const common::Outcome<QList<bank::BankTable>> tables = composeBank(loaded.pools);
    if (!tables) return {loaded.pools, {}, {tables.reason()}};
    return {loaded.pools, *tables, {}};
}

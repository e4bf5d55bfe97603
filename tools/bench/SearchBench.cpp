// Search as the candidate types: the index built over the whole bank (its sources), then every
// phrase typed a character at a time, each keystroke one search. Prints the build time and the
// keystroke-to-results figures (min, median, 95th percentile, max).

#include "authoring/BankCompiler.h"
#include "study/BankSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QStringList kTyped = {u"外来原始凭证 金额有错误"_s,
                            u"记账凭证账务处理程序 主要特点"_s,
                            u"累计折旧 贷方余额"_s,
                            u"制造费用 工时比例"_s,
                            u"出具单位的印章"_s,
                            u"丙公司 甲材料 2000 千克"_s,
                            u"预付材料款"_s,
                            u"霉烂变质 进项税额"_s,
                            u"过失人赔偿"_s,
                            u"总分类科目"_s,
                            u"永续盘存制"_s,
                            u"自行建造厂房"_s,
                            u"试算平衡"_s,
                            u"按季付息"_s,
                            u"盘盈 设备"_s,
                            u"押金 租金"_s,
                            u"存货"_s,
                            u"待处理财产损溢"_s,
                            u"余额三小栏"_s,
                            u"实物已经验收入库"_s};

double ms(qint64 ns) {
    return static_cast<double>(ns) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString sources = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(BANK_SOURCES);
    const authoring::LoadedPools pools = authoring::loadPools(sources);
    QList<study::SearchDocument> documents;
    for (const bank::QuestionType type : bank::allQuestionTypes)
        for (const auto& question : pools.pools[bank::typeIndex(type)])
            documents.append(study::searchDocumentOf(bank::practiceTable(type), question.record));

    QTemporaryDir dir;
    auto search = study::BankSearch::open(dir.filePath(u"search.sqlite"_s));
    if (!search) {
        std::fprintf(stderr, "cannot open the index: %s\n", qPrintable(search.reason()));
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    if (auto built = search->rebuild(u"bench"_s, documents); !built) {
        std::fprintf(stderr, "cannot build the index: %s\n", qPrintable(built.reason()));
        return 1;
    }
    std::printf("index of %lld questions built in %.1f ms\n", static_cast<long long>(documents.size()),
                ms(clock.nsecsElapsed()));

    std::vector<qint64> keystrokes;
    for (int round = 0; round < 5; ++round)
        for (const QString& phrase : kTyped)
            for (qsizetype typed = 1; typed <= phrase.size(); ++typed) {
                clock.restart();
                if (!search->find(phrase.left(typed))) return 1;
                keystrokes.push_back(clock.nsecsElapsed());
            }
    std::sort(keystrokes.begin(), keystrokes.end());
    const auto at = [&](double share) {
        return ms(keystrokes[static_cast<size_t>(share * (keystrokes.size() - 1))]);
    };
    std::printf("%zu keystrokes: min %.2f ms, median %.2f ms, p95 %.2f ms, max %.2f ms\n", keystrokes.size(),
                at(0), at(0.5), at(0.95), at(1));
    return 0;
}

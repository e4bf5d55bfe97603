#include "study/BankSearch.h"

#include "authoring/BankCompiler.h"
#include "bank/QuestionType.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using study::BankSearch;
using study::SearchDocument;

namespace {

// Every question of the shipped bank's sources, as the index holds them.
QList<SearchDocument> shippedQuestions() {
    const authoring::LoadedPools sources = authoring::loadPools(QStringLiteral(BANK_SOURCES));
    EXPECT_TRUE(sources.problems.isEmpty()) << sources.problems.join(u'\n').toStdString();
    QList<SearchDocument> documents;
    for (const bank::QuestionType type : bank::allQuestionTypes)
        for (const auto& question : sources.pools[bank::typeIndex(type)])
            documents.append(study::searchDocumentOf(bank::practiceTable(type), question.record));
    return documents;
}

class BankSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_questions = new QList<SearchDocument>(shippedQuestions()); }
    static void TearDownTestSuite() { delete s_questions; }
    QString path() const { return m_dir.filePath(u"search.sqlite"_s); }
    BankSearch built() {
        auto search = BankSearch::open(path());
        EXPECT_TRUE(search.ok()) << search.reason().toStdString();
        EXPECT_TRUE(search->rebuild(u"v1"_s, *s_questions).ok());
        return std::move(search).value();
    }
    static QList<SearchDocument>* s_questions;
    QTemporaryDir m_dir;
};
QList<SearchDocument>* BankSearchTest::s_questions = nullptr;

struct Remembered {
    QString typed;  // what a candidate types
    QString table;  // the question they mean: its table
    QString marker; // and a piece of its text found in no other question of that table
};

} // namespace

TEST_F(BankSearchTest, FindsTheQuestionACandidateRemembersFirst) {
    ASSERT_EQ(s_questions->size(), 1572);
    const BankSearch search = built();
    const QList<Remembered> cases = {
        // words of the question's text
        {u"外来原始凭证 金额有错误"_s, u"danxuan"_s, u"外来原始凭证金额有错误"_s},
        {u"记账凭证账务处理程序 主要特点"_s, u"danxuan"_s, u"记账凭证账务处理程序的主要特点"_s},
        {u"累计折旧 贷方余额表示"_s, u"danxuan"_s, u"“累计折旧”账户期末的贷方余额表示"_s},
        {u"36000 工时比例"_s, u"danxuan"_s, u"甲产品耗用 6000 工时"_s},
        {u"出具单位的印章"_s, u"panduan"_s, u"应当由出具单位更正"_s},
        {u"丙公司 甲材料 2000 千克"_s, u"fenxi"_s, u"购入甲材料 2000 千克"_s},
        {u"预付材料款"_s, u"danxuan"_s, u"向供应单位预付材料款"_s},
        {u"霉烂变质 实际成本 10000"_s, u"danxuan"_s, u"仓库管理不善导致一批原材料霉烂变质"_s},
        {u"过失人赔偿 原材料盘亏"_s, u"danxuan"_s, u"应由过失人赔偿的部分"_s},
        {u"总分类科目 总括核算资料"_s, u"danxuan"_s, u"根据总分类科目开设"_s},
        {u"永续盘存制 主要优点"_s, u"danxuan"_s, u"永续盘存制的主要优点"_s},
        {u"自行建造厂房 专用材料"_s, u"danxuan"_s, u"为自行建造厂房购入专用材料"_s},
        {u"不能通过试算平衡发现的有"_s, u"duoxuan"_s, u"不能通过试算平衡发现的有"_s},
        {u"按季付息"_s, u"danxuan"_s, u"借款合同约定按季付息"_s},
        {u"收入－费用＝利润"_s, u"danxuan"_s, u"这一会计等式是编制"_s},
        // two-character words, which the index cannot hold, alone and beside a long one
        {u"盘盈 设备 贷记"_s, u"danxuan"_s, u"盘盈一台设备，按照现行企业会计准则"_s},
        {u"押金 租金"_s, u"panduan"_s, u"包装物押金和应付未付的租入包装物租金"_s},
        {u"残料 保险 自然灾害"_s, u"danxuan"_s, u"原材料因自然灾害发生毁损"_s},
        // words of an option and of an explanation
        {u"借方 贷方 余额三小栏"_s, u"danxuan"_s, u"数量金额式账页"_s},
        {u"实物已经验收入库"_s, u"danxuan"_s, u"购买实物的原始凭证"_s},
    };
    for (const Remembered& c : cases) {
        const auto hits = search.find(c.typed);
        ASSERT_TRUE(hits.ok()) << hits.reason().toStdString();
        ASSERT_FALSE(hits->isEmpty()) << c.typed.toStdString();
        EXPECT_EQ(hits->first().table, c.table) << c.typed.toStdString();
        EXPECT_TRUE(hits->first().text.contains(c.marker))
            << c.typed.toStdString() << " found first: " << hits->first().text.toStdString();
    }
}

TEST_F(BankSearchTest, QuerySyntaxIsTakenAsPlainWordsAndNothingMatchesNothing) {
    const BankSearch search = built();
    for (const QString& typed :
         {u"\"盘亏"_s, u"盘亏 OR 盘盈"_s, u"NEAR(存货"_s, u"100%"_s, u"a_b"_s, u"*"_s}) {
        const auto hits = search.find(typed);
        EXPECT_TRUE(hits.ok()) << typed.toStdString() << ": " << hits.reason().toStdString();
    }
    EXPECT_TRUE(search.find(u"_%"_s)->isEmpty()) << "LIKE's wildcards are characters a candidate typed";
    EXPECT_EQ(search.find(u"100%"_s)->size(), 2);
    EXPECT_TRUE(search.find(u"不存在的词语组合"_s)->isEmpty());
    EXPECT_TRUE(search.find(u"  "_s)->isEmpty());
}

TEST_F(BankSearchTest, TheIndexKeepsItsVersionAndADamagedCacheIsStartedAfresh) {
    {
        const BankSearch search = built();
        EXPECT_EQ(search.indexedVersion(), u"v1"_s);
    }
    EXPECT_EQ(BankSearch::open(path())->indexedVersion(), u"v1"_s);
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(8192, 'x'));
    file.close();
    auto reopened = BankSearch::open(path());
    ASSERT_TRUE(reopened.ok()) << reopened.reason().toStdString();
    EXPECT_TRUE(reopened->indexedVersion().isEmpty());
    EXPECT_TRUE(reopened->find(u"盘亏"_s)->isEmpty());
}

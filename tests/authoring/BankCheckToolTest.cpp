// `qvtb build` and `qvtb check` run as the writers run them, on sources shaped like the shipped ones.
#include "OutcomeValue.h"
#include "SampleBank.h"
#include "authoring/BankCompiler.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;
using namespace authoring;

using bank::BankTable;
using bank::paperSectionStart;
using bank::QuestionRecord;
using bank::QuestionType;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

ToolRun qvtb(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VELMORA_QVTB), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class BankCheckTool : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"src"_s));
        m_sources = sampleSources(120, 10);
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    ToolRun buildAndCheck() {
        EXPECT_TRUE(writeSources(m_sources, path(u"src"_s)));
        const ToolRun build = qvtb({u"build"_s, path(u"src"_s), path(u"qvtb.mdb"_s)});
        EXPECT_EQ(build.exitCode, 0) << build.err.toStdString();
        return qvtb({u"check"_s, path(u"qvtb.mdb"_s), path(u"src"_s)});
    }

    QTemporaryDir m_dir;
    SampleSources m_sources;
};

// A pair the audit of the shipped bank found: a statement that is a single-choice question's key.
const QString plantedChoice =
    u"CH: 会计要素与等式\nTM: 下列各项中，属于企业负债要素的是（ ）。\nA: 预收账款\nB: 预付账款\n"
    u"C: 应收票据\nD: 实收资本（或股本）\nDA: A\n%1JX: 预收账款是企业的现时义务。\n\n"_s;
const QString plantedStatement =
    u"CH: 会计要素与等式\nTM: 预收账款属于企业的负债要素。\nDA: 正确\n%1JX: 预收账款须以交付商品偿付。\n\n"_s;

} // namespace

TEST_F(BankCheckTool, BuiltPracticeTablesHideTheSourcesPatterns) {
    const ToolRun check = buildAndCheck();
    EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
    for (const QString& figure :
         {u"danxuan: the letter missing from the last three: "_s,
          u"panduan: the opposite of the previous answer: "_s, u"duoxuan: always the commonest key, "_s,
          u"panduan: holds an absolute word: 错误"_s})
        EXPECT_TRUE(check.out.contains(figure)) << figure.toStdString() << "\n" << check.out.toStdString();
}

TEST_F(BankCheckTool, APlantedAlternationFailsTheCheck) {
    ASSERT_TRUE(writeSources(m_sources, path(u"src"_s)));
    ComposedSources bank = composeSources(path(u"src"_s));
    ASSERT_EQ(bank.problems, QStringList());
    // The practice order a writer falls into: true and false alternating, single choice cycling A B C D.
    for (BankTable* table : {&bank.tables[0], &bank.tables[2]}) {
        QList<QuestionRecord>& rows = table->rows;
        std::stable_sort(rows.begin(), rows.end(),
                         [](const QuestionRecord& a, const QuestionRecord& b) { return a.da < b.da; });
        const qsizetype kinds = table->name == u"panduan"_s ? 2 : 4;
        QList<QuestionRecord> dealt;
        for (qsizetype i = 0; i < rows.size(); ++i)
            dealt.append(rows[(i % kinds) * (rows.size() / kinds) + i / kinds]);
        for (qsizetype i = 0; i < dealt.size(); ++i)
            dealt[i].id = static_cast<int>(i + 1);
        rows = dealt;
    }
    ASSERT_EQ(reasonOf(writeBank(bank.tables, path(u"planted.mdb"_s))), QString());
    const ToolRun check = qvtb({u"check"_s, path(u"planted.mdb"_s), path(u"src"_s)});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(
        check.err.contains(u"panduan: figure \"the opposite of the previous answer\" scores 100.0 %"_s))
        << check.err.toStdString();
    EXPECT_TRUE(
        check.err.contains(u"danxuan: figure \"the letter missing from the last three\" scores 100.0 %"_s))
        << check.err.toStdString();
}

TEST_F(BankCheckTool, APlantedGiveAwayFailsUntilTagged) {
    m_sources.danxuan += plantedChoice.arg(QString());
    m_sources.panduan += plantedStatement.arg(QString());
    const ToolRun untagged = buildAndCheck();
    EXPECT_EQ(untagged.exitCode, 1);
    EXPECT_TRUE(untagged.err.contains(u"give-away not declared by a shared RE tag: danxuan.txt:"_s))
        << untagged.err.toStdString();
    EXPECT_TRUE(untagged.err.contains(u"panduan.txt:"_s + QString::number(5 * 120 + 1) +
                                      u" 「预收账款属于企业的负债要素。」"_s))
        << untagged.err.toStdString();
    const ToolRun warned = qvtb({u"check"_s, u"--content-warnings"_s, path(u"qvtb.mdb"_s), path(u"src"_s)});
    EXPECT_NE(warned.exitCode, 0) << "no switch lets an undeclared give-away pass";

    m_sources = sampleSources(120, 10);
    m_sources.danxuan += plantedChoice.arg(u"RE: 预收账款归类 负债要素\n"_s);
    m_sources.panduan += plantedStatement.arg(u"RE: 预收账款归类\n"_s);
    const ToolRun tagged = buildAndCheck();
    EXPECT_EQ(tagged.exitCode, 0) << tagged.err.toStdString();
    EXPECT_TRUE(tagged.out.contains(u"give-aways across the pools: 1 declared by RE tags"_s))
        << tagged.out.toStdString();
}

namespace {

// Applies `change` to every question block of a source text.
QString eachBlock(const QString& text, const std::function<QString(QString)>& change) {
    QStringList blocks = text.split(u"\n\n"_s, Qt::SkipEmptyParts);
    for (QString& block : blocks)
        block = change(block);
    return blocks.join(u"\n\n"_s) + u"\n\n"_s;
}

} // namespace

TEST_F(BankCheckTool, WordingCuesAndConstantAnswersFailTheCheck) {
    // True statements longer than false ones, the keyed option the longest, every multiple-choice key ABCD.
    m_sources.panduan = eachBlock(m_sources.panduan, [](QString block) {
        if (block.contains(u"DA: 正确"_s)) block.replace(u"科目。\n"_s, u"科目，并按规定登记入账。\n"_s);
        return block;
    });
    m_sources.danxuan = eachBlock(m_sources.danxuan, [](QString block) {
        const QString key = block.section(u"DA: "_s, 1).left(1);
        return block.replace(u"\n"_s + key + u": "_s, u"\n"_s + key + u": 按规定计入"_s);
    });
    m_sources.duoxuan.replace(QRegularExpression(u"DA: [A-D]+"_s), u"DA: ABCD"_s);
    const ToolRun check = buildAndCheck();
    EXPECT_EQ(check.exitCode, 1);
    for (const QString& failure :
         {u"panduan: figure \"longer than the median statement: 正确\" scores 100.0 %"_s,
          u"danxuan: figure \"the longest option\" scores 100.0 %"_s,
          u"duoxuan: figure \"always ABCD\" scores 100.0 %"_s})
        EXPECT_TRUE(check.err.contains(failure)) << failure.toStdString() << "\n" << check.err.toStdString();
    EXPECT_FALSE(check.err.contains(u"figure \"the opposite of the previous answer\""_s))
        << check.err.toStdString();
}

TEST_F(BankCheckTool, KeysInTheMiddleOfNumericOptionsFailTheCheck) {
    // The habit the audit found: the key one of the two middle values and nearest the mean, the
    // other values spread around it.
    Names names(7);
    for (int i = 0; i < 40; ++i) {
        const int key = i % 4;
        QStringList values{u"100"_s, u"240"_s, u"500"_s};
        values.insert(key, u"260"_s);
        m_sources.danxuan +=
            u"CH: 会计要素与等式\nTM: “%1”项目本月应确认的金额为（ ）元。\nA: %2\nB: %3\nC: %4\nD: %5\n"
            u"DA: %6\nJX: 按规定计算。\n\n"_s.arg(names.next(), values[0], values[1], values[2], values[3],
                                                  QString(QChar(u'A' + key)));
    }
    const ToolRun check = buildAndCheck();
    EXPECT_EQ(check.exitCode, 1);
    for (const QString& failure :
         {u"danxuan: figure \"numeric options: the key is a middle value\" scores 100.0 %"_s,
          u"danxuan: figure \"numeric options: the key is the value nearest the mean\" "
          u"scores 100.0 %"_s})
        EXPECT_TRUE(check.err.contains(failure)) << failure.toStdString() << "\n" << check.err.toStdString();
}

TEST_F(BankCheckTool, RestrictiveWordsOutOfTheKeyFailTheCheck) {
    // Every unkeyed option says 只能: a candidate drops those and scores.
    m_sources.duoxuan = eachBlock(m_sources.duoxuan, [](QString block) {
        const QString key = block.section(u"DA: "_s, 1).section(u'\n', 0, 0);
        for (QChar letter : u"ABCD"_s)
            if (!key.contains(letter))
                block.replace(u"\n"_s + letter + u": "_s, u"\n"_s + letter + u": 只能用"_s);
        return block;
    });
    const ToolRun check = buildAndCheck();
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(
        check.err.contains(u"duoxuan: figure \"options with a restrictive word are keyed\" scores 0.0 %"_s))
        << check.err.toStdString();
}

TEST_F(BankCheckTool, APaperHoldingRelatedQuestionsFailsTheCheck) {
    m_sources.danxuan += plantedChoice.arg(u"RE: 预收账款归类\n"_s);
    m_sources.panduan += plantedStatement.arg(u"RE: 预收账款归类\n"_s);
    ASSERT_TRUE(writeSources(m_sources, path(u"src"_s)));
    ComposedSources bank = composeSources(path(u"src"_s));
    ASSERT_EQ(bank.problems, QStringList());
    BankTable& tm1 = bank.tables[4];
    ASSERT_EQ(tm1.name, u"tm1"_s);
    const auto planted = [&](QuestionType type) {
        const QuestionRecord& record = bank.pools[static_cast<std::size_t>(type)].last().record;
        return std::find_if(tm1.rows.begin(), tm1.rows.end(),
                            [&](const QuestionRecord& row) { return row.tm == record.tm; }) != tm1.rows.end();
    };
    EXPECT_FALSE(planted(QuestionType::SingleChoice) && planted(QuestionType::TrueFalse));
    for (QuestionType type : {QuestionType::SingleChoice, QuestionType::TrueFalse}) {
        QuestionRecord& row = tm1.rows[paperSectionStart(type) - 1];
        const int id = row.id;
        row = bank.pools[static_cast<std::size_t>(type)].last().record;
        row.id = id;
        row.fen = u"0"_s;
    }
    ASSERT_EQ(reasonOf(writeBank(bank.tables, path(u"tampered.mdb"_s))), QString());
    const ToolRun withSources = qvtb({u"check"_s, path(u"tampered.mdb"_s), path(u"src"_s)});
    EXPECT_EQ(withSources.exitCode, 1);
    EXPECT_TRUE(withSources.err.contains(u"tm1 holds danxuan.txt:"_s) &&
                withSources.err.contains(u"related by RE tag 预收账款归类"_s))
        << withSources.err.toStdString();
    const ToolRun alone = qvtb({u"check"_s, path(u"tampered.mdb"_s)});
    EXPECT_EQ(alone.exitCode, 1);
    EXPECT_TRUE(alone.err.contains(u"tm1 holds ID 1 and ID 41, which give each other away"_s))
        << alone.err.toStdString();
}

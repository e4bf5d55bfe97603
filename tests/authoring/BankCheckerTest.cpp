#include "authoring/BankChecker.h"
#include "SampleBank.h"
#include "authoring/BankCompiler.h"

#include "OutcomeValue.h"
#include "jet/DatabaseCreator.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace authoring;

using bank::allQuestionTypes;
using bank::BankTable;
using bank::QuestionType;

namespace {

bool mentions(const QStringList& problems, const QString& part) {
    return std::any_of(problems.begin(), problems.end(), [&](const QString& p) { return p.contains(part); });
}

// A bank compiled from the shipped sources, into a temporary directory.
class BankFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void copySources(const QString& to) {
    for (QuestionType type : allQuestionTypes) {
        const QString name = sourceFileName(type);
        ASSERT_TRUE(QFile::copy(QDir(QStringLiteral(BANK_SOURCES)).filePath(name), QDir(to).filePath(name)));
    }
}

} // namespace

TEST_F(BankFiles, CompiledSourcesPassTheCheck) {
    ASSERT_EQ(compileBank(QStringLiteral(BANK_SOURCES), path(u"qvtb.mdb"_s)), QStringList());
    EXPECT_EQ(checkBankFile(path(u"qvtb.mdb"_s)), QStringList());
}

TEST_F(BankFiles, MissingTablesAndColumnsAreNamed) {
    jet::NewTable thin{"danxuan", {{"ID", jet::FieldType::Long}, {"TM", jet::FieldType::Memo}}, {}};
    ASSERT_TRUE(jet::DatabaseCreator::create(path(u"thin.mdb"_s).toStdString(), {thin}).ok());
    const QStringList problems = checkBankFile(path(u"thin.mdb"_s));
    EXPECT_TRUE(mentions(problems, u"danxuan lacks the column(s) fen, JX, XXA, XXB, XXC, XXD, DA, XXDA"_s));
    EXPECT_TRUE(mentions(problems, u"table tm20 is missing"_s));
    EXPECT_EQ(problems.size(), 24);
    EXPECT_TRUE(mentions(checkBankFile(path(u"absent.mdb"_s)), u"absent.mdb"_s));
}

TEST_F(BankFiles, BrokenRowsOfAStoredBankAreFound) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"src"_s));
    copySources(path(u"src"_s));
    ComposedSources bank = composeSources(path(u"src"_s));
    ASSERT_EQ(bank.problems, QStringList());
    BankTable& tm4 = bank.tables[7];
    ASSERT_EQ(tm4.name, u"tm4"_s);
    tm4.rows[21].da = u"DA"_s;
    tm4.rows[3].tm = tm4.rows[1].tm;
    tm4.rows.removeLast();
    ASSERT_EQ(reasonOf(writeBank(bank.tables, path(u"broken.mdb"_s))), QString());
    const QStringList problems = checkBankFile(path(u"broken.mdb"_s));
    EXPECT_TRUE(mentions(problems, u"tm4 ID 22: DA DA is not in letter order"_s));
    EXPECT_TRUE(mentions(problems, u"tm4 ID 4: question text repeats ID 2"_s));
    EXPECT_TRUE(mentions(problems, u"tm4 has 61 rows"_s));
    EXPECT_TRUE(
        mentions(problems, u"tm4 must hold one amounts and one journal-entry calculation question"_s));
    EXPECT_EQ(problems.size(), 4) << problems.join(u'\n').toStdString();
}

TEST_F(BankFiles, ABrokenSourceWritesNoBank) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"src"_s));
    copySources(path(u"src"_s));
    QFile fenxi(QDir(path(u"src"_s)).filePath(u"fenxi.txt"_s));
    ASSERT_TRUE(fenxi.open(QIODevice::Append));
    fenxi.write(
        u"\n\nCH: 财产清查\nTX: 计算分析题-分录\nTM: 不平的分录\nDA1: 借 银行存款 100\nDA1: 贷 库存现金 90\n"
        "DA2: 借 银行存款 1\nDA2: 贷 库存现金 1\nDA3: 借 银行存款 1\nDA3: 贷 库存现金 1\n"
        "DA4: 借 银行存款 1\nDA4: 贷 库存现金 1\nDA5: 借 现金 1\nDA5: 贷 库存现金 1\nJX: j\n"_s.toUtf8());
    fenxi.close();
    const QStringList problems = compileBank(path(u"src"_s), path(u"out.mdb"_s));
    EXPECT_TRUE(mentions(problems, u"DAfenxi1: debits 100.00 and credits 90.00 do not balance"_s));
    EXPECT_TRUE(mentions(problems, u"DAfenxi5: account 现金 is not in the chart of accounts"_s));
    EXPECT_FALSE(QFile::exists(path(u"out.mdb"_s)));
}

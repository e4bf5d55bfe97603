// The chapter column CH: the built bank carries each question's chapter tag on every practice and paper
// table, readable by mdbtools as by the engine; banks without the column stay sound and usable, and a
// tag that is no chapter is found.
#include "authoring/BankChecker.h"
#include "authoring/BankCompiler.h"
#include "authoring/BankSource.h"
#include "bank/AnswerRecorder.h"
#include "bank/QuestionBank.h"
#include "bank/QuestionTable.h"

#include "OutcomeValue.h"
#include "jet/DatabaseCreator.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace authoring;

using bank::BankColumn;
using bank::BankTable;
using bank::chapterColumn;
using bank::QuestionBank;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::recordChoiceAnswer;
using bank::tableColumns;

namespace {

// The first line mdb-export prints: the table's column names.
QStringList exportedHeader(const QString& table) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(u"mdb-export"_s), {QStringLiteral(BUILT_BANK), table});
    EXPECT_TRUE(process.waitForFinished(60000));
    return QString::fromUtf8(process.readAllStandardOutput()).section(u'\n', 0, 0).split(u',');
}

// The tables written as a bank built before the chapter column was: every column but CH.
QString writeWithoutChapters(const QList<BankTable>& tables, const QString& path) {
    std::vector<jet::NewTable> created;
    for (const BankTable& table : tables) {
        QList<BankColumn> columns = tableColumns(table.name);
        columns.removeIf([](const BankColumn& c) { return c.name == chapterColumn(); });
        created.push_back(newTable(table, columns));
    }
    const jet::Status status = jet::DatabaseCreator::create(QFile::encodeName(path).toStdString(), created);
    return status.ok() ? QString() : QString::fromStdString(status.message());
}

} // namespace

TEST(ChapterColumn, EveryBuiltTableHoldsItsQuestionsChaptersLast) {
    const LoadedPools loaded = loadPools(QStringLiteral(BANK_SOURCES));
    ASSERT_EQ(loaded.problems, QStringList());
    QHash<QString, QString> chapterOfText;
    for (const QList<SourceQuestion>& pool : loaded.pools)
        for (const SourceQuestion& question : pool)
            chapterOfText.insert(question.record.tm, question.chapter);

    const ReadBank bank = readBankFile(QStringLiteral(BUILT_BANK));
    ASSERT_EQ(bank.problems, QStringList());
    ASSERT_EQ(bank.tables.size(), 24);
    for (const BankTable& table : bank.tables) {
        EXPECT_EQ(exportedHeader(table.name).last(), u"CH"_s) << table.name.toStdString();
        for (const QuestionRecord& row : table.rows) {
            ASSERT_TRUE(chapterOfText.contains(row.tm)) << table.name.toStdString() << " " << row.id;
            EXPECT_EQ(row.ch, chapterOfText.value(row.tm)) << table.name.toStdString() << " " << row.id;
        }
    }
}

TEST(ChapterColumn, ABankWithoutItIsSoundAndTakesAnswersAndAWrongTagIsFound) {
    const common::Outcome<QList<BankTable>> composed =
        composeBank(loadPools(QStringLiteral(BANK_SOURCES)).pools);
    ASSERT_EQ(reasonOf(composed), QString());
    QTemporaryDir folder;
    const QString without = folder.filePath(u"without.mdb"_s);
    ASSERT_EQ(writeWithoutChapters(*composed, without), QString());
    EXPECT_EQ(checkBankFile(without), QStringList());
    {
        QuestionBank bank;
        ASSERT_TRUE(bank.openBank(without));
        const common::Outcome<int> recorded =
            recordChoiceAnswer(*tableOfBank(bank, u"danxuan"_s), QuestionType::SingleChoice, 1, u"B"_s);
        EXPECT_EQ(recorded.ok(), true) << recorded.reason().toStdString();
    }
    const ReadBank read = readBankFile(without);
    ASSERT_FALSE(read.tables.isEmpty());
    EXPECT_EQ(read.tables[0].rows[0].xxda, u"B"_s);
    EXPECT_EQ(read.tables[0].rows[0].ch, QString());

    QList<BankTable> tables = *composed;
    tables[5].rows[2].ch = u"未知章"_s;
    const QString wrong = folder.filePath(u"wrong.mdb"_s);
    ASSERT_EQ(reasonOf(writeBank(tables, wrong)), QString());
    EXPECT_EQ(checkBankFile(wrong), QStringList{u"tm2 ID 3: CH 未知章 is not a chapter"_s});
}

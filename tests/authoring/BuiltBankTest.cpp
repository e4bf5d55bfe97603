#include "OutcomeValue.h"
#include "authoring/BankCompiler.h"
#include "authoring/BankRules.h"
#include "authoring/PracticeOrder.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>

using namespace Qt::StringLiterals;
using namespace authoring;

using bank::allQuestionTypes;
using bank::BankTable;
using bank::CalcFields;
using bank::paperCount;
using bank::paperQuestionCount;
using bank::paperQuestionType;
using bank::paperTable;
using bank::practiceTable;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::recordFromCells;
using bank::tableColumns;

// The bank built beside the program, read back by an independent reader (mdbtools), against its sources.

namespace {

// mdb-export's CSV: fields separated by commas, texts in double quotes with "" for a quote; a quoted
// field may span lines.
QList<QStringList> parseCsv(const QString& text) {
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field.append(text[++i]);
            else if (c == u'"')
                quoted = false;
            else
                field.append(c);
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(std::exchange(field, {}));
        } else if (c == u'\n') {
            row.append(std::exchange(field, {}));
            rows.append(std::exchange(row, {}));
        } else {
            field.append(c);
        }
    }
    return rows;
}

// The table as mdb-export prints it, header first.
QList<QStringList> exportTable(const QString& table) {
    const QString tool = QStandardPaths::findExecutable(u"mdb-export"_s);
    EXPECT_FALSE(tool.isEmpty()) << "mdbtools' mdb-export is needed to read the built bank";
    QProcess process;
    process.start(tool, {QStringLiteral(BUILT_BANK), table});
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return parseCsv(QString::fromUtf8(process.readAllStandardOutput()));
}

QList<QuestionRecord> exportedRecords(const QString& table) {
    QList<QStringList> rows = exportTable(table);
    if (rows.isEmpty()) return {};
    const QStringList header = rows.takeFirst();
    EXPECT_EQ(header.size(), tableColumns(table).size()) << table.toStdString();
    QList<QuestionRecord> records;
    for (const QStringList& row : rows)
        records.append(recordFromCells(header, row));
    return records;
}

// The columns that hold content; answers and scores are compared on their own.
auto content(const QuestionRecord& r) {
    return std::tie(r.tx, r.tm, r.options, r.da, r.jx, r.standards);
}

void expectUnanswered(const QuestionRecord& record, const QString& where) {
    EXPECT_EQ(record.xxda, QString()) << where.toStdString();
    EXPECT_EQ(record.fen, u"0"_s) << where.toStdString();
    EXPECT_EQ(record.answers, CalcFields{}) << where.toStdString();
}

class BuiltBank : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_loaded = new LoadedPools(loadPools(QStringLiteral(BANK_SOURCES))); }
    static void TearDownTestSuite() { delete s_loaded; }
    static LoadedPools* s_loaded;
};
LoadedPools* BuiltBank::s_loaded = nullptr;

} // namespace

TEST_F(BuiltBank, SourcesKeepEveryRule) {
    EXPECT_EQ(s_loaded->problems, QStringList());
    for (QuestionType type : allQuestionTypes)
        EXPECT_GE(s_loaded->pools[static_cast<std::size_t>(type)].size(), 20)
            << practiceTable(type).toStdString();
}

TEST_F(BuiltBank, PracticeTablesHoldTheSourcesInPracticeOrder) {
    for (QuestionType type : allQuestionTypes) {
        const QString table = practiceTable(type);
        const QList<SourceQuestion>& pool = s_loaded->pools[static_cast<std::size_t>(type)];
        const std::vector<int> order = practiceOrder(type, poolAnswers(pool));
        const QList<QuestionRecord> rows = exportedRecords(table);
        ASSERT_EQ(rows.size(), pool.size()) << table.toStdString();
        ASSERT_EQ(order.size(), static_cast<std::size_t>(pool.size())) << table.toStdString();
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QString where = u"%1 row %2"_s.arg(table).arg(i + 1);
            EXPECT_EQ(rows[i].id, i + 1) << where.toStdString();
            EXPECT_TRUE(content(rows[i]) == content(pool[order[static_cast<std::size_t>(i)]].record))
                << where.toStdString();
            expectUnanswered(rows[i], where);
        }
    }
}

TEST_F(BuiltBank, PapersHoldSourceQuestionsOfTheirKindsAsComposed) {
    const common::Outcome<QList<BankTable>> composed = composeBank(s_loaded->pools);
    ASSERT_EQ(reasonOf(composed), QString());
    // A text is unique within its kind only: one stem may be asked as single and as multiple choice.
    QHash<QPair<int, QString>, QuestionRecord> byKindAndText;
    for (QuestionType type : allQuestionTypes)
        for (const SourceQuestion& question : s_loaded->pools[static_cast<std::size_t>(type)])
            byKindAndText.insert({static_cast<int>(type), question.record.tm}, question.record);
    QSet<QStringList> papers;
    for (int paper = 1; paper <= paperCount; ++paper) {
        const QString table = paperTable(paper);
        const QList<QuestionRecord> rows = exportedRecords(table);
        ASSERT_EQ(rows.size(), paperQuestionCount) << table.toStdString();
        EXPECT_EQ(tableProblems(table, rows), QStringList());
        const BankTable& expected = (*composed)[3 + paper];
        ASSERT_EQ(expected.name, table);
        QStringList texts;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QuestionRecord& row = rows[i];
            const QString where = u"%1 ID %2"_s.arg(table).arg(row.id);
            EXPECT_EQ(row.id, i + 1) << where.toStdString();
            const std::optional<QuestionType> type = paperQuestionType(row.id);
            ASSERT_TRUE(type) << where.toStdString();
            const QPair<int, QString> key{static_cast<int>(*type), row.tm};
            ASSERT_TRUE(byKindAndText.contains(key)) << where.toStdString();
            EXPECT_TRUE(content(row) == content(byKindAndText.value(key))) << where.toStdString();
            EXPECT_TRUE(content(row) == content(expected.rows[i])) << where.toStdString();
            expectUnanswered(row, where);
            texts.append(row.tm);
        }
        texts.sort();
        papers.insert(texts);
    }
    EXPECT_EQ(papers.size(), paperCount) << "two papers hold the same questions";
}

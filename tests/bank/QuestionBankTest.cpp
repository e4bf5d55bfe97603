#include "bank/QuestionBank.h"
#include "RecordingBank.h"
#include "authoring/BankChecker.h"
#include "authoring/BankCompiler.h"
#include "bank/AnswerRecorder.h"
#include "bank/QuestionTable.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace bank;

class QuestionBankTest : public RecordingBank {};

namespace {

void expectSameExcept(const BankTable& before, const BankTable& after, int changedId) {
    ASSERT_EQ(before.rows.size(), after.rows.size());
    for (qsizetype i = 0; i < before.rows.size(); ++i) {
        const QuestionRecord& a = before.rows[i];
        const QuestionRecord& b = after.rows[i];
        EXPECT_EQ(a.id, b.id);
        EXPECT_EQ(a.tm, b.tm);
        EXPECT_EQ(a.options, b.options);
        EXPECT_EQ(a.da, b.da);
        EXPECT_EQ(a.jx, b.jx);
        if (a.id != changedId) {
            EXPECT_EQ(a.xxda, b.xxda) << a.id;
            EXPECT_EQ(a.fen, b.fen) << a.id;
        }
    }
}

} // namespace

TEST_F(QuestionBankTest, WalksFindsAndReadsRows) {
    ASSERT_TRUE(m_bank.selectTable(u"tm1"_s));
    EXPECT_EQ(valueOf(m_bank.readField(u"ID"_s)), u"1"_s);
    EXPECT_TRUE(m_bank.findQuestion(62));
    EXPECT_EQ(valueOf(m_bank.readField(u"DAfenxi1"_s)), u"借 银行存款 1000\n贷 短期借款 1000"_s);
    EXPECT_EQ(valueOf(m_bank.moveNext()), false); // past the end: no row, and no failure
    EXPECT_FALSE(m_bank.readField(u"ID"_s));
    EXPECT_EQ(valueOf(m_bank.movePrevious()), true);
    EXPECT_EQ(valueOf(m_bank.readField(u"ID"_s)), u"62"_s);
    EXPECT_EQ(valueOf(m_bank.movePrevious()), true);
    EXPECT_EQ(valueOf(m_bank.readField(u"TX"_s)), amountsCalcType());
    EXPECT_TRUE(m_bank.findQuestion(2));
    EXPECT_EQ(valueOf(m_bank.readField(u"TM"_s)), u"单选 2"_s);
    EXPECT_EQ(valueOf(m_bank.readField(u"fen"_s)), u"0"_s);
    EXPECT_FALSE(m_bank.readField(u"没有的列"_s));
    EXPECT_EQ(valueOf(m_bank.moveFirst()), true);
    EXPECT_EQ(valueOf(m_bank.movePrevious()), false);
    EXPECT_FALSE(m_bank.readField(u"ID"_s));
    EXPECT_FALSE(m_bank.currentRecord());
}

// The row as one record, through the bank's one column table: the columns a practice table has,
// the chapter among them, and the others empty.
TEST_F(QuestionBankTest, CurrentRowReadsAsARecordOfTheColumnsTheTableHas) {
    BankTable chaptered{u"danxuan"_s, {choiceRecord(7, u"单选 7"_s, u"C"_s)}};
    chaptered.rows[0].ch = u"第三章"_s;
    const QString path = m_dir.filePath(u"chaptered.mdb"_s);
    ASSERT_EQ(reasonOf(authoring::writeBank({chaptered}, path)), QString());
    QuestionBank bank;
    ASSERT_TRUE(bank.openBank(path));
    ASSERT_TRUE(bank.selectTable(u"danxuan"_s));
    const common::Outcome<QuestionRecord> record = bank.currentRecord();
    ASSERT_TRUE(record) << record.reason().toStdString();
    EXPECT_EQ(std::tie(record->id, record->tm, record->options, record->da, record->fen, record->ch),
              std::tie(chaptered.rows[0].id, chaptered.rows[0].tm, chaptered.rows[0].options,
                       chaptered.rows[0].da, chaptered.rows[0].fen, chaptered.rows[0].ch));
    EXPECT_EQ(record->tx, QString());
    EXPECT_EQ(record->standards, CalcFields{});
}

TEST_F(QuestionBankTest, MissingIdFailsAndReadsEmpty) {
    ASSERT_TRUE(m_bank.selectTable(u"tm1"_s));
    EXPECT_FALSE(m_bank.findQuestion(63));
    EXPECT_FALSE(m_bank.readField(u"TM"_s));
    EXPECT_FALSE(m_bank.findQuestion(0));
    EXPECT_FALSE(m_bank.selectTable(u"tm2"_s).reason().isEmpty());
    EXPECT_EQ(m_bank.selectTable(u"tm1 where ID=1"_s).reason(),
              u"tm1 where ID=1 is not a table of the bank"_s);
    EXPECT_FALSE(m_bank.findQuestion(1));
    // Without a table a move fails with its reason, where the end of a table is no failure.
    for (const common::Outcome<bool>& moved : {m_bank.moveFirst(), m_bank.moveNext(), m_bank.movePrevious()})
        EXPECT_EQ(moved.reason(), u"no table is selected"_s);
    EXPECT_EQ(m_bank.forEachRow([] { return common::Outcome<>(); }).reason(), u"no table is selected"_s);
}

// Every row once, in order; a visit that fails ends the walk with its reason.
TEST_F(QuestionBankTest, ForEachRowVisitsEveryRowAndStopsAtAFailure) {
    ASSERT_TRUE(m_bank.selectTable(u"tm1"_s));
    QStringList ids;
    const auto readId = [&]() -> common::Outcome<> {
        ids.append(valueOf(m_bank.readField(u"ID"_s)).value_or(QString()));
        return {};
    };
    EXPECT_TRUE(m_bank.forEachRow(readId));
    ASSERT_EQ(ids.size(), 62);
    EXPECT_EQ(ids.front(), u"1"_s);
    EXPECT_EQ(ids.back(), u"62"_s);
    ids.clear();
    const common::Outcome<> stopped = m_bank.forEachRow([&]() -> common::Outcome<> {
        OUTCOME_TRY(readId());
        if (ids.size() == 3) return common::Failure{u"stop"_s};
        return {};
    });
    EXPECT_EQ(stopped.reason(), u"stop"_s);
    EXPECT_EQ(ids.size(), 3);
}

TEST_F(QuestionBankTest, ValuesOutsideTheClosedSetsSendNothing) {
    const BankTable before = stored(u"tm1"_s);
    EXPECT_FALSE(m_bank.recordAnswer(u"tm1"_s, u"单选 1"_s, u"BA"_s));
    EXPECT_FALSE(m_bank.recordAnswer(u"tm1"_s, u"单选 1"_s, u"A' or '1'='1"_s));
    EXPECT_FALSE(m_bank.recordScore(u"tm1"_s, u"单选 1"_s, 3));
    EXPECT_FALSE(m_bank.recordCalcAnswer(u"tm1"_s, u"计算 61"_s, 6, u"1"_s));
    EXPECT_FALSE(m_bank.recordAnswer(u"tm1 set fen='10'"_s, u"单选 1"_s, u"A"_s));
    expectSameExcept(before, stored(u"tm1"_s), 0);
}

TEST_F(QuestionBankTest, QuotesSemicolonsAndCommentMarksStayInsideTheirLiterals) {
    const BankTable before = stored(u"danxuan"_s);
    EXPECT_EQ(valueOf(recordChoiceAnswer(*tableOfBank(m_bank, u"danxuan"_s), QuestionType::SingleChoice, 4,
                                         u"D"_s)),
              1);
    EXPECT_EQ(field(u"danxuan"_s, 4, u"XXDA"_s), u"D"_s);
    expectSameExcept(before, stored(u"danxuan"_s), 4);
    const QString answer = u"1000'; update tm1 set fen='10' --"_s;
    const common::Outcome<> recorded = m_bank.recordCalcAnswer(u"tm1"_s, u"计算 61"_s, 2, answer);
    ASSERT_TRUE(recorded) << recorded.reason().toStdString();
    EXPECT_EQ(field(u"tm1"_s, 61, u"fenxi2"_s), answer);
    EXPECT_EQ(valueOf(m_bank.sumScores(u"tm1"_s)), 0);
    EXPECT_EQ(field(u"tm1"_s, 62, u"fenxi2"_s), QString());
}

TEST_F(QuestionBankTest, ClearingEmptiesEveryAnswerAndTouchesNothingElse) {
    const BankTable before = stored(u"tm1"_s);
    const std::unique_ptr<QuestionTable> tm1 = tableOfBank(m_bank, u"tm1"_s);
    for (int id = 1; id <= 60; ++id) {
        const QuestionType type = *paperQuestionType(id);
        const QString right = type == QuestionType::SingleChoice     ? u"A"_s
                              : type == QuestionType::MultipleChoice ? u"ABD"_s
                                                                     : u"正确"_s;
        ASSERT_EQ(valueOf(recordChoiceAnswer(*tm1, type, id, right)), typePoints(type)) << id;
    }
    ASSERT_EQ(valueOf(recordCalcAnswers(*tm1, 61, {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500.5"_s})), 10);
    const QString entry = u"借 银行存款 1000\n贷 短期借款 1000"_s;
    ASSERT_EQ(valueOf(recordCalcAnswers(*tm1, 62, {entry, entry, entry, entry, entry})), 10);
    EXPECT_EQ(valueOf(m_bank.sumScores(u"tm1"_s)), 100);

    const common::Outcome<> cleared = m_bank.clearAnswers(u"tm1"_s);
    ASSERT_TRUE(cleared) << cleared.reason().toStdString();
    EXPECT_EQ(valueOf(m_bank.sumScores(u"tm1"_s)), 0);
    const BankTable after = stored(u"tm1"_s);
    ASSERT_EQ(after.rows.size(), 62);
    for (qsizetype i = 0; i < after.rows.size(); ++i) {
        const QuestionRecord& a = before.rows[i];
        const QuestionRecord& b = after.rows[i];
        EXPECT_EQ(b.xxda, QString());
        EXPECT_EQ(b.fen, u"0"_s);
        EXPECT_EQ(b.answers, CalcFields{});
        EXPECT_EQ(std::tie(a.id, a.tx, a.tm, a.options, a.da, a.jx, a.standards),
                  std::tie(b.id, b.tx, b.tm, b.options, b.da, b.jx, b.standards))
            << a.id;
    }
}

TEST_F(QuestionBankTest, PracticeTablesClearOnlyTheColumnsTheyHave) {
    ASSERT_EQ(valueOf(recordChoiceAnswer(*tableOfBank(m_bank, u"danxuan"_s), QuestionType::SingleChoice, 2,
                                         u"C"_s)),
              1);
    EXPECT_TRUE(m_bank.clearAnswers(u"danxuan"_s));
    EXPECT_EQ(field(u"danxuan"_s, 2, u"XXDA"_s), QString());
    EXPECT_EQ(valueOf(m_bank.sumScores(u"danxuan"_s)), 0);
    EXPECT_FALSE(m_bank.clearAnswers(u"fenxi"_s)); // absent from this bank
}

TEST_F(QuestionBankTest, FailedStatementIsReportedAndChangesNothing) {
    const BankTable before = stored(u"danxuan"_s);
    // danxuan has no fenxi columns: the engine refuses, the bank says so.
    EXPECT_FALSE(m_bank.recordCalcAnswer(u"danxuan"_s, u"别的题目"_s, 1, u"x"_s).reason().isEmpty());
    expectSameExcept(before, stored(u"danxuan"_s), 0);
    m_bank.closeBank();
    EXPECT_FALSE(m_bank.recordAnswer(u"danxuan"_s, u"别的题目"_s, u"A"_s));
    EXPECT_FALSE(m_bank.sumScores(u"danxuan"_s));
    EXPECT_FALSE(m_bank.selectTable(u"danxuan"_s));
    QuestionBank missing;
    EXPECT_FALSE(missing.openBank(m_dir.filePath(u"absent.mdb"_s)));
}

TEST_F(QuestionBankTest, ConnectionsOfOneProcessSeeEachOthersWrites) {
    QuestionBank other;
    ASSERT_TRUE(other.openBank(m_path));
    ASSERT_TRUE(other.recordAnswer(u"tm1"_s, u"判断 41"_s, u"错误"_s));
    EXPECT_EQ(field(u"tm1"_s, 41, u"XXDA"_s), u"错误"_s);
}

namespace {

QStringList* capturedStatements = nullptr;

void captureStatement(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (capturedStatements && QByteArrayView(context.category) == "qvtb.sql")
        capturedStatements->append(message);
}

} // namespace

TEST_F(QuestionBankTest, EveryStatementIsLoggedAsSent) {
    QStringList statements;
    capturedStatements = &statements;
    QLoggingCategory::setFilterRules(u"qvtb.sql.debug=true"_s);
    const QtMessageHandler previous = qInstallMessageHandler(captureStatement);
    EXPECT_TRUE(
        recordChoiceAnswer(*tableOfBank(m_bank, u"tm1"_s), QuestionType::MultipleChoice, 21, u"AB"_s));
    EXPECT_TRUE(m_bank.sumScores(u"tm1"_s));
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    capturedStatements = nullptr;
    EXPECT_EQ(statements,
              (QStringList{u"select * from tm1"_s, u"update tm1 set XXDA='AB'where TM='多选 21'"_s,
                           u"select * from tm1"_s, u"update tm1 set fen='0'where TM='多选 21'"_s,
                           u"select sum(fen) from tm1"_s}));
}

TEST(QuestionBankPath, FoundBesideTheExecutableFromAnyWorkingDirectory) {
    int argc = 1;
    char name[] = "bank_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const QString path = QuestionBank::defaultPath();
    QuestionBank bank;
    const common::Outcome<> opened = bank.openBank(path);
    QDir::setCurrent(before);
    EXPECT_EQ(path, QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s);
    // The built bank lies beside the tests, as it lies beside the program.
    EXPECT_TRUE(opened) << opened.reason().toStdString();
    EXPECT_TRUE(bank.selectTable(u"tm20"_s));
}

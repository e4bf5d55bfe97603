#include "QuestionBank.h"
#include "AnswerRecorder.h"
#include "BankChecker.h"
#include "BankCompiler.h"
#include "PaperRecords.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using bank::amountsCalcType;
using bank::BankTable;
using bank::CalcFields;
using bank::paperQuestionType;
using bank::QuestionBank;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::recordCalcAnswers;
using bank::recordChoiceAnswer;
using bank::typePoints;

namespace {

// A paper whose answers are A, ABD, 正确, and five amounts / five journal entries.
BankTable paper() {
    return {u"tm1"_s, paperRows()};
}

BankTable practice() {
    BankTable table{u"danxuan"_s, {}};
    table.rows.append(choiceRecord(1, u"重复的题目"_s, u"B"_s));
    table.rows.append(choiceRecord(2, u"别的题目"_s, u"C"_s));
    table.rows.append(choiceRecord(3, u"重复的题目"_s, u"B"_s));
    table.rows.append(choiceRecord(4, u"it's a 'quoted'; text --"_s, u"D"_s));
    return table;
}

class QuestionBankTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(u"qvtb.mdb"_s);
        ASSERT_EQ(authoring::writeBank({practice(), paper()}, m_path), QString());
        ASSERT_TRUE(m_bank.openBank(m_path)) << m_bank.lastError().toStdString();
    }

    BankTable stored(const QString& name) const {
        for (const BankTable& table : authoring::readBankFile(m_path).tables)
            if (table.name == name) return table;
        ADD_FAILURE() << "no table " << name.toStdString();
        return {};
    }

    QString field(const QString& table, int id, const QString& column) {
        EXPECT_TRUE(m_bank.selectTable(table));
        EXPECT_TRUE(m_bank.findQuestion(id)) << id;
        return m_bank.readField(column);
    }

    QTemporaryDir m_dir;
    QString m_path;
    QuestionBank m_bank;
};

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
    EXPECT_EQ(m_bank.readField(u"ID"_s), u"1"_s);
    EXPECT_TRUE(m_bank.moveLast());
    EXPECT_EQ(m_bank.readField(u"ID"_s), u"62"_s);
    EXPECT_EQ(m_bank.readField(u"DAfenxi1"_s), u"借 银行存款 1000\n贷 短期借款 1000"_s);
    EXPECT_TRUE(m_bank.movePrevious());
    EXPECT_EQ(m_bank.readField(u"TX"_s), amountsCalcType());
    EXPECT_TRUE(m_bank.findQuestion(2));
    EXPECT_EQ(m_bank.readField(u"TM"_s), u"单选 2"_s);
    EXPECT_EQ(m_bank.readField(u"fen"_s), u"0"_s);
    bool ok = false;
    EXPECT_EQ(m_bank.readField(u"没有的列"_s, &ok), QString());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(m_bank.moveFirst());
    EXPECT_FALSE(m_bank.movePrevious());
    EXPECT_EQ(m_bank.readField(u"ID"_s, &ok), QString());
    EXPECT_FALSE(ok);
}

TEST_F(QuestionBankTest, MissingIdFailsAndReadsEmpty) {
    ASSERT_TRUE(m_bank.selectTable(u"tm1"_s));
    EXPECT_FALSE(m_bank.findQuestion(63));
    bool ok = true;
    EXPECT_EQ(m_bank.readField(u"TM"_s, &ok), QString());
    EXPECT_FALSE(ok);
    EXPECT_FALSE(m_bank.findQuestion(0));
    EXPECT_FALSE(m_bank.selectTable(u"tm2"_s));
    EXPECT_FALSE(m_bank.selectTable(u"tm1 where ID=1"_s));
    EXPECT_EQ(m_bank.lastError(), u"tm1 where ID=1 is not a table of the bank"_s);
    EXPECT_FALSE(m_bank.lastError().isEmpty());
    EXPECT_FALSE(m_bank.findQuestion(1));
}

TEST_F(QuestionBankTest, DuplicatedQuestionTextsAreBothUpdated) {
    EXPECT_EQ(recordChoiceAnswer(m_bank, u"danxuan"_s, QuestionType::SingleChoice, 1, u"B"_s), 1);
    EXPECT_EQ(field(u"danxuan"_s, 3, u"XXDA"_s), u"B"_s);
    EXPECT_EQ(field(u"danxuan"_s, 3, u"fen"_s), u"1"_s);
    EXPECT_EQ(field(u"danxuan"_s, 2, u"XXDA"_s), QString());
    // Answering B after A leaves B and its score.
    EXPECT_EQ(recordChoiceAnswer(m_bank, u"danxuan"_s, QuestionType::SingleChoice, 2, u"A"_s), 0);
    EXPECT_EQ(recordChoiceAnswer(m_bank, u"danxuan"_s, QuestionType::SingleChoice, 2, u"C"_s), 1);
    EXPECT_EQ(field(u"danxuan"_s, 2, u"XXDA"_s), u"C"_s);
    EXPECT_EQ(field(u"danxuan"_s, 2, u"fen"_s), u"1"_s);
}

TEST_F(QuestionBankTest, MultipleChoiceRecordsEachClickAndTheEmptyAnswer) {
    QList<int> scores;
    QStringList recorded;
    for (const QString& value : {u"B"_s, u"BD"_s, u"ABD"_s}) {
        scores.append(
            recordChoiceAnswer(m_bank, u"tm1"_s, QuestionType::MultipleChoice, 25, value).value_or(-1));
        recorded.append(field(u"tm1"_s, 25, u"XXDA"_s));
    }
    EXPECT_EQ(scores, (QList<int>{0, 0, 2}));
    EXPECT_EQ(recorded, (QStringList{u"B"_s, u"BD"_s, u"ABD"_s}));
    EXPECT_EQ(recordChoiceAnswer(m_bank, u"tm1"_s, QuestionType::MultipleChoice, 26, u"ABC"_s), 0);
    // Unticking the last box: the bank shows no answer and no score, as the boxes do.
    EXPECT_EQ(recordChoiceAnswer(m_bank, u"tm1"_s, QuestionType::MultipleChoice, 25, QString()), 0);
    EXPECT_EQ(field(u"tm1"_s, 25, u"XXDA"_s), QString());
    EXPECT_EQ(field(u"tm1"_s, 25, u"fen"_s), u"0"_s);
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
    EXPECT_EQ(recordChoiceAnswer(m_bank, u"danxuan"_s, QuestionType::SingleChoice, 4, u"D"_s), 1);
    EXPECT_EQ(field(u"danxuan"_s, 4, u"XXDA"_s), u"D"_s);
    expectSameExcept(before, stored(u"danxuan"_s), 4);
    const QString answer = u"1000'; update tm1 set fen='10' --"_s;
    ASSERT_TRUE(m_bank.recordCalcAnswer(u"tm1"_s, u"计算 61"_s, 2, answer))
        << m_bank.lastError().toStdString();
    EXPECT_EQ(field(u"tm1"_s, 61, u"fenxi2"_s), answer);
    EXPECT_EQ(m_bank.sumScores(u"tm1"_s), 0);
    EXPECT_EQ(field(u"tm1"_s, 62, u"fenxi2"_s), QString());
}

TEST_F(QuestionBankTest, ThreeOfFiveCalculationFieldsScoreSix) {
    EXPECT_EQ(
        recordCalcAnswers(m_bank, u"tm1"_s, 61, {u"100"_s, u"２００"_s, u"300.00"_s, u"401"_s, QString()}),
        6);
    EXPECT_EQ(field(u"tm1"_s, 61, u"fen"_s), u"6"_s);
    EXPECT_EQ(field(u"tm1"_s, 61, u"fenxi2"_s), u"２００"_s);
    const QString entry = u"贷 短期借款 1,000.00\n借 银行存款 1000"_s;
    EXPECT_EQ(recordCalcAnswers(m_bank, u"tm1"_s, 62, {entry, entry, entry, entry, entry}), 10);
    EXPECT_EQ(field(u"tm1"_s, 62, u"fenxi5"_s), entry);
}

TEST_F(QuestionBankTest, ClearingEmptiesEveryAnswerAndTouchesNothingElse) {
    const BankTable before = stored(u"tm1"_s);
    for (int id = 1; id <= 60; ++id) {
        const QuestionType type = *paperQuestionType(id);
        const QString right = type == QuestionType::SingleChoice     ? u"A"_s
                              : type == QuestionType::MultipleChoice ? u"ABD"_s
                                                                     : u"正确"_s;
        ASSERT_EQ(recordChoiceAnswer(m_bank, u"tm1"_s, type, id, right), typePoints(type)) << id;
    }
    ASSERT_EQ(recordCalcAnswers(m_bank, u"tm1"_s, 61, {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500.5"_s}),
              10);
    const QString entry = u"借 银行存款 1000\n贷 短期借款 1000"_s;
    ASSERT_EQ(recordCalcAnswers(m_bank, u"tm1"_s, 62, {entry, entry, entry, entry, entry}), 10);
    EXPECT_EQ(m_bank.sumScores(u"tm1"_s), 100);

    ASSERT_TRUE(m_bank.clearAnswers(u"tm1"_s)) << m_bank.lastError().toStdString();
    EXPECT_EQ(m_bank.sumScores(u"tm1"_s), 0);
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
    ASSERT_EQ(recordChoiceAnswer(m_bank, u"danxuan"_s, QuestionType::SingleChoice, 2, u"C"_s), 1);
    EXPECT_TRUE(m_bank.clearAnswers(u"danxuan"_s)) << m_bank.lastError().toStdString();
    EXPECT_EQ(field(u"danxuan"_s, 2, u"XXDA"_s), QString());
    EXPECT_EQ(m_bank.sumScores(u"danxuan"_s), 0);
    EXPECT_FALSE(m_bank.clearAnswers(u"fenxi"_s)); // absent from this bank
}

TEST_F(QuestionBankTest, FailedStatementIsReportedAndChangesNothing) {
    const BankTable before = stored(u"danxuan"_s);
    // danxuan has no fenxi columns: the engine refuses, the bank says so.
    EXPECT_FALSE(m_bank.recordCalcAnswer(u"danxuan"_s, u"别的题目"_s, 1, u"x"_s));
    EXPECT_FALSE(m_bank.lastError().isEmpty());
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
    recordChoiceAnswer(m_bank, u"tm1"_s, QuestionType::MultipleChoice, 21, u"AB"_s);
    m_bank.sumScores(u"tm1"_s);
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
    const bool opened = bank.openBank(path);
    QDir::setCurrent(before);
    EXPECT_EQ(path, QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s);
    // The built bank lies beside the tests, as it lies beside the program.
    EXPECT_TRUE(opened) << bank.lastError().toStdString();
    EXPECT_TRUE(bank.selectTable(u"tm20"_s));
}

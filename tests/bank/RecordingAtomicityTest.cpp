// An answer and its score, and the clearing of a table, are one change of the file: a process
// killed between their statements leaves the table as it was before the click or the clearing,
// never an answer with the previous answer's score or a table half cleared.
#include "OutcomeValue.h"
#include "RecordingBank.h"
#include "authoring/BankCompiler.h"
#include "bank/AnswerRecorder.h"
#include "bank/QuestionBank.h"
#include "bank/QuestionTable.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace bank;

using bank::amountsCalcType;
using bank::BankTable;
using bank::QuestionBank;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::recordCalcAnswers;
using bank::recordChoiceAnswer;

namespace {

// The child dies the moment it is about to send its `dieAt`-th update.
int updatesLeft = 0;

void dieBeforeUpdate(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (QByteArrayView(context.category) == "qvtb.sql" && message.startsWith(u"update "_s) &&
        --updatesLeft == 0)
        _exit(0);
}

class RecordingAtomicityTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(u"qvtb.mdb"_s);
        ASSERT_EQ(reasonOf(authoring::writeBank({answerPaper()}, m_path)), QString());
    }

    // Runs `work` on a bank of its own in a child process killed before its `dieAt`-th update.
    // This process holds no connection meanwhile, so the child shares nothing with it.
    void killedWhile(int dieAt, const std::function<void(QuestionBank&)>& work) {
        const pid_t pid = fork();
        if (pid == 0) {
            QuestionBank bank;
            if (!bank.openBank(m_path)) _exit(2);
            updatesLeft = dieAt;
            QLoggingCategory::setFilterRules(u"qvtb.sql.debug=true"_s);
            qInstallMessageHandler(dieBeforeUpdate);
            work(bank);
            _exit(3); // not killed: the work sent fewer updates than expected
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_EQ(WEXITSTATUS(status), 0) << "the child was not stopped where meant";
    }

    QString field(int id, const QString& column) {
        QuestionBank bank;
        EXPECT_TRUE(bank.openBank(m_path));
        EXPECT_TRUE(bank.selectTable(u"tm1"_s) && bank.findQuestion(id));
        return valueOf(bank.readField(column)).value_or(QString());
    }

    QTemporaryDir m_dir;
    QString m_path;
};

TEST_F(RecordingAtomicityTest, KilledBeforeTheScoreLeavesThePreviousAnswerAndScore) {
    {
        QuestionBank bank;
        ASSERT_TRUE(bank.openBank(m_path));
        ASSERT_EQ(
            valueOf(recordChoiceAnswer(*tableOfBank(bank, u"tm1"_s), QuestionType::SingleChoice, 3, u"A"_s)),
            1);
    }
    killedWhile(2, [](QuestionBank& bank) {
        static_cast<void>(
            recordChoiceAnswer(*tableOfBank(bank, u"tm1"_s), QuestionType::SingleChoice, 3, u"B"_s));
    });
    EXPECT_EQ(field(3, u"XXDA"_s), u"A"_s);
    EXPECT_EQ(field(3, u"fen"_s), u"1"_s);

    // The five fields of a calculation question and its score, killed before the score.
    killedWhile(6, [](QuestionBank& bank) {
        static_cast<void>(recordCalcAnswers(*tableOfBank(bank, u"tm1"_s), 61,
                                            {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s}));
    });
    EXPECT_EQ(field(61, u"fenxi1"_s), QString());
    EXPECT_EQ(field(61, u"fen"_s), u"0"_s);
}

TEST_F(RecordingAtomicityTest, KilledWhileClearingLeavesTheTableUncleared) {
    {
        QuestionBank bank;
        ASSERT_TRUE(bank.openBank(m_path));
        const std::unique_ptr<QuestionTable> tm1 = tableOfBank(bank, u"tm1"_s);
        ASSERT_EQ(valueOf(recordChoiceAnswer(*tm1, QuestionType::SingleChoice, 1, u"A"_s)), 1);
        ASSERT_EQ(valueOf(recordChoiceAnswer(*tm1, QuestionType::TrueFalse, 41, u"正确"_s)), 1);
        ASSERT_EQ(valueOf(recordCalcAnswers(*tm1, 61, {u"100"_s, u"200"_s, u"0"_s, u"0"_s, u"0"_s})), 4);
        ASSERT_EQ(valueOf(bank.sumScores(u"tm1"_s)), 6);
    }
    for (int dieAt = 2; dieAt <= 7; ++dieAt) {
        killedWhile(dieAt, [](QuestionBank& bank) { static_cast<void>(bank.clearAnswers(u"tm1"_s)); });
        QuestionBank bank;
        ASSERT_TRUE(bank.openBank(m_path));
        EXPECT_EQ(valueOf(bank.sumScores(u"tm1"_s)), 6) << "killed before update " << dieAt;
        EXPECT_EQ(field(1, u"XXDA"_s), u"A"_s) << "killed before update " << dieAt;
        EXPECT_EQ(field(61, u"fenxi2"_s), u"200"_s) << "killed before update " << dieAt;
    }
}

} // namespace

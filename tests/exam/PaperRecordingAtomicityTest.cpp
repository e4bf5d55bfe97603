// An exam answer and its score are one change of the paper's table: the exam process killed
// between the two statements leaves the previous answer with its own score.
#include "exam/BankPaperStore.h"
#include "exam/PaperRecording.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using bank::QuestionRecord;

namespace {

// The exam process "dies" the moment it is about to send the score.
void dieBeforeTheScore(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (QByteArrayView(context.category) == "qvtb.sql" && message.startsWith(u"update tm1 set fen="_s))
        _exit(0);
}

TEST(PaperRecordingAtomicity, KilledBeforeTheScoreLeavesThePreviousAnswerAndItsScore) {
    QTemporaryDir folder;
    const QString bank = folder.filePath(u"qvtb.mdb"_s);
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s, bank));
    QFile::setPermissions(bank, QFile::ReadOwner | QFile::WriteOwner);
    QString right;
    {
        const std::unique_ptr<exam::PaperStore> store = exam::bankPaperStore(bank, 1);
        const common::Outcome<QuestionRecord> question = store->readQuestion(5);
        ASSERT_TRUE(question);
        right = question->da;
        const common::Outcome<int> recorded = exam::recordChoice(*store, 5, right);
        ASSERT_TRUE(recorded) << recorded.reason().toStdString();
        ASSERT_EQ(*recorded, 1);
    }
    const QString wrong = right == u"A"_s ? u"B"_s : u"A"_s;
    const pid_t pid = fork(); // this process holds no connection now: the child shares nothing
    if (pid == 0) {
        const std::unique_ptr<exam::PaperStore> store = exam::bankPaperStore(bank, 1);
        QLoggingCategory::setFilterRules(u"qvtb.sql.debug=true"_s);
        qInstallMessageHandler(dieBeforeTheScore);
        static_cast<void>(exam::recordChoice(*store, 5, wrong));
        _exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "the child was not stopped before the score";
    const common::Outcome<QuestionRecord> recorded = exam::bankPaperStore(bank, 1)->readQuestion(5);
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->xxda, right);
    EXPECT_EQ(recorded->fen, u"1"_s);
}

} // namespace

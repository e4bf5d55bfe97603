// A mock exam cut short by the session ending, a kill or the hour running out, in a process of its
// own (exam_session_driver), as the candidate meets it: the attempt is handed in or kept, never lost.

#include "study/StudyRecord.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

class ExamInterruptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_BUILT_BANK), bank()));
        QFile::setPermissions(bank(), QFile::ReadOwner | QFile::WriteOwner);
    }
    QString bank() const { return m_dir.filePath(u"qvtb.mdb"_s); }
    QString study() const { return m_dir.filePath(u"study.sqlite"_s); }

    // Starts the driver and waits for a line starting with `line`.
    void start(QProcess& driver, const QString& mode) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        driver.setProcessEnvironment(environment);
        driver.start(QStringLiteral(VELMORA_EXAM_DRIVER), {mode, bank(), study()});
        ASSERT_TRUE(driver.waitForStarted(10000));
    }
    static QString waitFor(QProcess& driver, const QString& line, int ms = 30000) {
        QString seen;
        while (driver.waitForReadyRead(ms)) {
            while (driver.canReadLine()) {
                const QString got = QString::fromUtf8(driver.readLine()).trimmed();
                if (got.startsWith(line)) return got;
                seen += got + u'|';
            }
        }
        ADD_FAILURE() << "no line " << line.toStdString() << " but: " << seen.toStdString()
                      << driver.readAllStandardError().toStdString();
        return {};
    }
    static void endWith(QProcess& driver, int signal) {
        ::kill(static_cast<pid_t>(driver.processId()), signal);
        ASSERT_TRUE(driver.waitForFinished(30000));
    }
    // Runs a driver that offers the kept attempt; its "offered" and "exam" lines.
    QStringList offer(const QString& mode) {
        QProcess driver;
        start(driver, mode);
        EXPECT_TRUE(driver.waitForFinished(30000));
        QStringList lines =
            QString::fromUtf8(driver.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        EXPECT_EQ(driver.exitCode(), 0) << driver.readAllStandardError().toStdString();
        return lines;
    }
    // The engine keeps its journal file between statements; a transaction left open would leave
    // its header behind.
    // An exam answered two seconds in, then the process killed as power loss would end it.
    void killAfterAnAnswer() {
        QProcess driver;
        start(driver, u"answer"_s);
        waitFor(driver, u"answered"_s);
        endWith(driver, SIGKILL);
    }
    bool noHotJournal() const {
        QFile journal(bank() + u"-journal"_s);
        return !journal.open(QIODevice::ReadOnly) || !journal.read(8).startsWith("VJETJNL");
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ExamInterruptionTest, TimeUpHandsInBeforeItsMessageSoTheSessionEndingWhileItIsUpLosesNothing) {
    QProcess driver;
    start(driver, u"timeup"_s);
    const QString box = waitFor(driver, u"box-up"_s);
    EXPECT_EQ(box, u"box-up 答题时间已到,已自动交卷."_s);
    endWith(driver, SIGTERM);
    EXPECT_EQ(driver.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(driver.exitCode(), 0);

    study::StudyRecord record(study());
    const QList<study::ExamHistoryEntry> history = record.examHistory();
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history[0].paper, 3);
    EXPECT_EQ(history[0].usedSeconds, 3600) << "the hour, not the time the box was up";
    EXPECT_FALSE(record.examInProgress());
    EXPECT_TRUE(noHotJournal());
}

TEST_F(ExamInterruptionTest, AKilledExamIsOfferedAtTheNextStartAndResumedWithItsAnswersAndTimeLeft) {
    killAfterAnAnswer();

    const QStringList lines = offer(u"resume"_s);
    ASSERT_EQ(lines.size(), 2) << lines.join(u'|').toStdString();
    // The answer came two seconds in.
    EXPECT_TRUE(lines[0].startsWith(u"offered 上次第 3 套试卷的模拟考试没有交卷就中断了，还剩 00:59:5"_s))
        << lines[0].toStdString();
    const QStringList exam = lines[1].split(u' ');
    ASSERT_EQ(exam.size(), 4) << lines[1].toStdString();
    EXPECT_GT(exam[1].toLongLong(), 3'500'000);
    EXPECT_LT(exam[1].toLongLong(), 3'600'000);
    EXPECT_EQ(exam[2], u"B"_s) << "the answer given before the kill is still there";
    EXPECT_EQ(exam[3], u"0"_s);
}

TEST_F(ExamInterruptionTest, AnInterruptedExamHandedInAsItStandsIsRecordedAndNotOfferedAgain) {
    killAfterAnAnswer();

    const QStringList lines = offer(u"handin"_s);
    ASSERT_GE(lines.size(), 2) << lines.join(u'|').toStdString();
    EXPECT_TRUE(lines[0].startsWith(u"offered 上次第 3 套试卷"_s));
    EXPECT_TRUE(lines.last().endsWith(u" 1"_s)) << "handed in: " << lines.last().toStdString();
    study::StudyRecord record(study());
    EXPECT_EQ(record.examHistory().size(), 1);
    EXPECT_FALSE(record.examInProgress());
    EXPECT_EQ(offer(u"resume"_s), QStringList{u"no-exam"_s});
}

TEST_F(ExamInterruptionTest, TheSessionEndingMidAnswerQuitsInOrderAndKeepsTheExam) {
    QProcess driver;
    start(driver, u"answering"_s);
    waitFor(driver, u"answered 5"_s);
    endWith(driver, SIGTERM);
    EXPECT_EQ(driver.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(driver.exitCode(), 0);
    EXPECT_TRUE(noHotJournal()) << "every statement ended before the quit";

    QProcess check;
    check.start(QStringLiteral(VELMORA_QVTB), {u"check"_s, u"--structure"_s, bank()});
    ASSERT_TRUE(check.waitForFinished(30000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();

    const QStringList lines = offer(u"resume"_s);
    ASSERT_EQ(lines.size(), 2) << lines.join(u'|').toStdString();
    EXPECT_FALSE(lines[1].split(u' ').value(2).isEmpty()) << "the paper was kept, not cleared";
}

// One copy of the program per bank: a second start brings the first copy's window forward and
// leaves, so that no copy clears a table another is answering in.

#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using app::SingleInstance;

namespace {

// An empty qvtb.mdb in a folder of its own, standing for a bank.
struct EmptyBank {
    EmptyBank() { made = QFile(path).open(QIODevice::WriteOnly); }
    QTemporaryDir folder;
    QString path = folder.filePath(u"qvtb.mdb"_s);
    bool made = false;
};

} // namespace

TEST(SingleInstance, ASecondClaimOnTheSameBankRaisesTheFirst) {
    QTemporaryDir runtime;
    EmptyBank banks;
    ASSERT_TRUE(banks.made);
    SingleInstance first(banks.path, runtime.path());
    ASSERT_EQ(first.claim(), SingleInstance::Claim::First);
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    // The same file reached through another spelling of its path.
    SingleInstance second(banks.folder.path() + u"/./qvtb.mdb"_s, runtime.path());
    EXPECT_EQ(second.claim(), SingleInstance::Claim::Raised);
    EXPECT_TRUE(raised.wait(2000));

    SingleInstance otherBank(banks.folder.filePath(u"other.mdb"_s), runtime.path());
    EXPECT_EQ(otherBank.claim(), SingleInstance::Claim::First) << "another bank is another copy's";
}

namespace {

QProcessEnvironment programEnvironment(const QString& runtime, int idleMilliseconds) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    environment.insert(u"VELMORA_PROBE_IDLE_MS"_s, QString::number(idleMilliseconds));
    return environment;
}

// The program (the start-up probe, which starts exactly as velmora does) over the bank beside it.
bool startProgram(QProcess& program, const QString& runtime, int idleMilliseconds) {
    program.setProcessEnvironment(programEnvironment(runtime, idleMilliseconds));
    program.start(QStringLiteral(VELMORA_STARTUP_PROBE), {});
    return program.waitForStarted();
}

// The program started and its main window painted (the end of that first frame may follow).
bool startPainted(QProcess& program, const QString& runtime) {
    return startProgram(program, runtime, 20000) && program.waitForReadyRead(30000) &&
           program.readAllStandardOutput().startsWith("painted\n");
}

// The program started and painted in `firstRuntime`, then a second copy in `secondRuntime`.
bool startTwice(QProcess& first, QProcess& second, const QString& firstRuntime,
                const QString& secondRuntime) {
    return startPainted(first, firstRuntime) && startProgram(second, secondRuntime, 0);
}

QString bankBesideTheProgram() {
    return QFileInfo(QStringLiteral(VELMORA_STARTUP_PROBE)).absolutePath() + u"/qvtb.mdb"_s;
}

} // namespace

// A copy killed while it runs leaves its lock and socket behind; the next start is the first again.
TEST(SingleInstance, TheLockOfAKilledCopyIsTakenOver) {
    QTemporaryDir runtime;
    QProcess killed;
    ASSERT_TRUE(startProgram(killed, runtime.path(), 20000));
    ASSERT_TRUE(killed.waitForReadyRead(30000));
    killed.kill();
    killed.waitForFinished();
    SingleInstance next(bankBesideTheProgram(), runtime.path());
    EXPECT_EQ(next.claim(), SingleInstance::Claim::First);
}

// The real program started twice on the bank beside it: the second start leaves at once, and
// without painting a window of its own.
TEST(SingleInstance, TheProgramStartedTwiceKeepsOneCopy) {
    QTemporaryDir runtime;
    QProcess first;
    QProcess second;
    ASSERT_TRUE(startTwice(first, second, runtime.path(), runtime.path()));
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput(), QByteArray()) << "the second copy showed no window";
    EXPECT_EQ(first.state(), QProcess::Running) << "the first copy goes on";
    first.kill();
    first.waitForFinished();
}

// Two sessions of one user (a second login, a terminal without XDG_RUNTIME_DIR) have different
// runtime folders; the claim lies beside the bank, so the second still finds the bank taken.
TEST(SingleInstance, TwoRuntimeFoldersStillKeepOneCopy) {
    QTemporaryDir firstSession;
    QTemporaryDir secondSession;
    EmptyBank banks;
    ASSERT_TRUE(banks.made);
    const QString& bank = banks.path;
    SingleInstance first(bank, firstSession.path());
    ASSERT_EQ(first.claim(), SingleInstance::Claim::First);
    EXPECT_TRUE(first.holdsBank());

    SingleInstance second(bank, secondSession.path());
    EXPECT_EQ(second.claim(), SingleInstance::Claim::Unreachable);
    EXPECT_FALSE(second.holdsBank()) << "only the holder may replace the bank";
    EXPECT_TRUE(QFileInfo(bank + SingleInstance::kLockSuffix).isFile());
}

// The real program started in two sessions on the bank beside it: the second cannot bring the
// first one's window forward from its session and says so, and never shows a main window of its own.
TEST(SingleInstance, TheProgramStartedInTwoSessionsKeepsOneCopy) {
    QTemporaryDir firstSession;
    QTemporaryDir secondSession;
    QProcess first;
    QProcess second;
    ASSERT_TRUE(startTwice(first, second, firstSession.path(), secondSession.path()));
    // Its message box waits for an answer nobody gives here; the first copy's window is all there is.
    EXPECT_FALSE(second.waitForReadyRead(6000));
    EXPECT_EQ(second.readAllStandardOutput(), QByteArray()) << "the second copy showed no window";
    EXPECT_EQ(first.state(), QProcess::Running);
    second.kill();
    first.kill();
}

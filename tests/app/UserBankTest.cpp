// The per-user copy of the shipped bank: made whole or not at all on first start, replaced by a
// shipped bank of another content version unless another process holds its lock, and a clear
// message naming the path when no copy can be made.

#include "app/UserBank.h"
#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using app::UserBank;

namespace {

void writeAll(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(writeFileBytes(path, bytes));
}

QByteArray noise(qsizetype size, quint32 seed) {
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(seed);
    generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

class UserBankTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"share"_s));
        ship(noise(64 * 1024, 1), "v1");
    }
    void ship(const QByteArray& bytes, const QByteArray& version) {
        writeAll(m_shipped, bytes);
        writeAll(m_shipped + UserBank::kVersionSuffix, version + '\n');
    }
    QTemporaryDir m_dir;
    QString m_shipped = m_dir.filePath(u"share/qvtb.mdb"_s);
    QString m_user = m_dir.filePath(u"data/velmora/qvtb.mdb"_s);
};

TEST_F(UserBankTest, FirstStartCopiesTheShippedBankWithItsVersionAndLeavesNoDraft) {
    EXPECT_TRUE(UserBank::prepare(m_shipped, m_user).ok());
    EXPECT_EQ(fileBytes(m_user), fileBytes(m_shipped));
    EXPECT_EQ(fileBytes(m_user + UserBank::kVersionSuffix), "v1\n");
    EXPECT_EQ(QDir(m_dir.filePath(u"data/velmora"_s)).entryList(QDir::Files),
              QStringList({u"qvtb.mdb"_s, u"qvtb.mdb.version"_s}));
}

// Bytes written so far into the data directory, by any name.
qint64 bytesWritten(const QString& directory) {
    qint64 total = 0;
    for (const QFileInfo& file : QDir(directory).entryInfoList(QDir::Files))
        total += file.size();
    return total;
}

TEST_F(UserBankTest, AStartKilledWhileCopyingLeavesNoHalfWrittenBank) {
    const QByteArray shipped = noise(8 * 1024 * 1024, 2);
    ship(shipped, "v1");
    const QString data = QFileInfo(m_user).absolutePath();
    // Killed as soon as writing has begun, a little later, and at once.
    for (qint64 killAfter : {1LL, 2LL * 1024 * 1024, 0LL}) {
        QDir(data).removeRecursively();
        const pid_t child = fork();
        if (child == 0) _exit(UserBank::prepare(m_shipped, m_user).ok() ? 0 : 1);
        while (killAfter > 0 && bytesWritten(data) < killAfter && ::waitpid(child, nullptr, WNOHANG) == 0) {
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        if (QFile::exists(m_user)) {
            EXPECT_EQ(fileBytes(m_user), shipped) << "killed after " << bytesWritten(data) << " bytes";
        }
        // The next start finishes the work.
        EXPECT_TRUE(UserBank::prepare(m_shipped, m_user).ok());
        EXPECT_EQ(fileBytes(m_user), shipped);
        EXPECT_EQ(fileBytes(m_user + UserBank::kVersionSuffix), "v1\n");
    }
}

TEST_F(UserBankTest, AnUpgradeReplacesTheCopyAndItsJournalButTheSameVersionKeepsIt) {
    ASSERT_TRUE(UserBank::prepare(m_shipped, m_user).ok());
    writeAll(m_user, "answers of this sitting");
    EXPECT_TRUE(UserBank::prepare(m_shipped, m_user).ok());
    EXPECT_EQ(fileBytes(m_user), "answers of this sitting");

    ship(noise(64 * 1024, 3), "v2");
    writeAll(m_user + u"-journal"_s, "pages of the old copy");
    EXPECT_TRUE(UserBank::prepare(m_shipped, m_user).ok());
    EXPECT_EQ(fileBytes(m_user), fileBytes(m_shipped));
    EXPECT_EQ(fileBytes(m_user + UserBank::kVersionSuffix), "v2\n");
    EXPECT_FALSE(QFile::exists(m_user + u"-journal"_s));
}

TEST_F(UserBankTest, AnUpgradeWaitsWhileAnotherProcessHoldsTheCopysLock) {
    ASSERT_TRUE(UserBank::prepare(m_shipped, m_user).ok());
    const QByteArray before = fileBytes(m_user);
    ship(noise(64 * 1024, 4), "v2");
    {
        // The engine takes this lock for each statement; a shared one is a read under way.
        const int holder = ::open(QFile::encodeName(m_user).constData(), O_RDONLY);
        ASSERT_EQ(::flock(holder, LOCK_SH), 0);
        EXPECT_TRUE(UserBank::prepare(m_shipped, m_user).ok());
        EXPECT_EQ(fileBytes(m_user), before);
        EXPECT_EQ(fileBytes(m_user + UserBank::kVersionSuffix), "v1\n");
        ::close(holder);
    }
    EXPECT_TRUE(UserBank::prepare(m_shipped, m_user).ok());
    EXPECT_EQ(fileBytes(m_user), fileBytes(m_shipped));
}

// Where the log of the child below goes.
QByteArray* g_log = nullptr;

// An upgrade whose new copy does not fit on the disk (here: a file size limit, which fails the write
// the way a full disk does) keeps the old copy, and the log says what failed and why.
TEST_F(UserBankTest, AnUpgradeThatCannotBeWrittenKeepsTheCopyAndSaysWhatFailed) {
    ASSERT_TRUE(UserBank::prepare(m_shipped, m_user).ok());
    const QByteArray before = fileBytes(m_user);
    ship(noise(256 * 1024, 5), "v2");
    const QString log = m_dir.filePath(u"log"_s);
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{128 * 1024, 128 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QByteArray said;
        g_log = &said;
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            g_log->append(text.toUtf8() + '\n');
        });
        const bool kept = UserBank::prepare(m_shipped, m_user).ok();
        QFile out(log);
        _exit(kept && out.open(QIODevice::WriteOnly) && out.write(said) == said.size() && out.flush() ? 0
                                                                                                      : 1);
    }
    int status = 1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(fileBytes(m_user), before);
    EXPECT_EQ(fileBytes(m_user + UserBank::kVersionSuffix), "v1\n");
    const QByteArray said = fileBytes(log);
    EXPECT_TRUE(said.contains("cannot write " + QFile::encodeName(m_user) + ".new: File too large"))
        << said.toStdString();
    EXPECT_FALSE(QFile::exists(m_user + u".new"_s));
}

TEST_F(UserBankTest, NoCopyToBeMadeIsToldWithThePath) {
    // A data directory that cannot be made: its parent is a file (root ignores permissions).
    writeAll(m_dir.filePath(u"data"_s), "not a directory");
    const QString problem = UserBank::prepare(m_shipped, m_user).reason();
    EXPECT_TRUE(problem.contains(u"无法建立题库文件"_s)) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QDir::toNativeSeparators(m_user))) << problem.toStdString();

    const QString elsewhere = m_dir.filePath(u"other/qvtb.mdb"_s);
    QFile::remove(m_shipped);
    const QString missing = UserBank::prepare(m_shipped, elsewhere).reason();
    EXPECT_TRUE(missing.contains(u"找不到题库文件"_s)) << missing.toStdString();
    EXPECT_TRUE(missing.contains(QDir::toNativeSeparators(m_shipped))) << missing.toStdString();
}

TEST_F(UserBankTest, AWritableFolderHoldingTheBankKeepsItAndAnyOtherUsesTheUserCopy) {
    const QString data = m_dir.filePath(u"data"_s);
    EXPECT_EQ(UserBank::choosePath(m_dir.filePath(u"share"_s), data), m_shipped);
    EXPECT_EQ(UserBank::choosePath(m_dir.path(), data), data + u"/qvtb.mdb"_s);
}

} // namespace

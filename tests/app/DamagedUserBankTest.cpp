// A damaged per-user copy of the bank is set aside and copied again from the shipped bank, and the
// candidate is told once; a bank beside the program, with nothing to copy it from, keeps its
// message, which says what to do.

#include "FileBytes.h"
#include "app/BankStart.h"
#include "app/UserBank.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

struct Damage {
    const char* name;
    std::function<QByteArray(const QByteArray&)> apply;
};

// The damages found on real copies: a copy cut short, one emptied, one whose catalog was overwritten.
QList<Damage> damages() {
    constexpr qsizetype kPage = 4096;
    constexpr qsizetype kCatalogPage = 2;
    return {
        {"cut short", [](const QByteArray& bank) { return bank.left(bank.size() / 2 + 100); }},
        {"emptied", [](const QByteArray&) { return QByteArray(); }},
        {"catalog overwritten",
         [](const QByteArray& bank) {
             QByteArray damaged = bank;
             damaged.replace(kCatalogPage * kPage, kPage, QByteArray(kPage, '\x5a'));
             return damaged;
         }},
    };
}

class DamagedUserBank : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"share"_s));
        m_bytes = fileBytes(QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s);
        ASSERT_TRUE(writeFileBytes(m_shipped, m_bytes));
        ASSERT_TRUE(writeFileBytes(m_shipped + app::UserBank::kVersionSuffix, "v1\n"));
    }

    QTemporaryDir m_dir;
    QString m_shipped = m_dir.filePath(u"share/qvtb.mdb"_s);
    QString m_user = m_dir.filePath(u"data/velmora/qvtb.mdb"_s);
    QByteArray m_bytes;
};

} // namespace

TEST_F(DamagedUserBank, IsSetAsideCopiedAgainAndToldOnce) {
    for (const Damage& damage : damages()) {
        SCOPED_TRACE(damage.name);
        QDir(m_dir.filePath(u"data"_s)).removeRecursively();
        const app::StartingBank first = app::prepareBank(m_shipped, m_user, true);
        ASSERT_TRUE(first.usable.ok()) << first.usable.reason().toStdString();
        EXPECT_TRUE(first.notice.isEmpty());

        const QByteArray damaged = damage.apply(m_bytes);
        ASSERT_TRUE(writeFileBytes(m_user, damaged));
        const app::StartingBank restored = app::prepareBank(m_shipped, m_user, true);
        EXPECT_TRUE(restored.usable.ok()) << restored.usable.reason().toStdString();
        const QString aside = m_user + u".damaged-1"_s;
        EXPECT_EQ(restored.notice, app::bankRestoredNotice(aside));
        EXPECT_EQ(fileBytes(aside), damaged) << "the damaged file is kept as it was";
        EXPECT_EQ(fileBytes(m_user), m_bytes);

        const app::StartingBank next = app::prepareBank(m_shipped, m_user, true);
        EXPECT_TRUE(next.usable.ok());
        EXPECT_TRUE(next.notice.isEmpty()) << "told once";
    }
}

TEST_F(DamagedUserBank, ASecondDamageIsKeptBesideTheFirst) {
    ASSERT_TRUE(app::prepareBank(m_shipped, m_user, true).usable.ok());
    for (int n = 1; n <= 2; ++n) {
        ASSERT_TRUE(writeFileBytes(m_user, QByteArray()));
        const app::StartingBank restored = app::prepareBank(m_shipped, m_user, true);
        EXPECT_EQ(restored.notice, app::bankRestoredNotice(m_user + u".damaged-%1"_s.arg(n)));
    }
    EXPECT_TRUE(QFile::exists(m_user + u".damaged-1"_s));
}

TEST_F(DamagedUserBank, BesideTheProgramItIsLeftAndTheMessageSaysWhatToDo) {
    const QByteArray damaged = m_bytes.left(m_bytes.size() / 2 + 100);
    ASSERT_TRUE(writeFileBytes(m_shipped, damaged));
    const app::StartingBank start = app::prepareBank(m_shipped, m_shipped, true);
    ASSERT_FALSE(start.usable.ok());
    EXPECT_TRUE(start.usable.reason().contains(QDir::toNativeSeparators(m_shipped)));
    EXPECT_TRUE(start.usable.reason().contains(u"请用安装包中完好的 qvtb.mdb 替换它"_s))
        << start.usable.reason().toStdString();
    EXPECT_EQ(fileBytes(m_shipped), damaged);
    EXPECT_FALSE(QFile::exists(m_shipped + u".damaged-1"_s));
}

// Links planted beside the bank by someone who can write to its folder: none is followed when the
// bank, its draft or its journal is made or written, and a bank that is itself a link someone
// else made is refused with the reason.

#include "FileBytes.h"
#include "app/UserBank.h"
#include "bank/BankCheck.h"
#include "bank/QuestionBank.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;
using app::UserBank;

namespace {

const QByteArray kVictim = "a file of the candidate's that no bank write may touch\n";

QString shippedBank() {
    return QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s;
}

class PlantedLink : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"data"_s));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"elsewhere"_s));
        ASSERT_TRUE(writeFileBytes(m_victim, kVictim));
    }
    // The first answer of a sitting, written through the bank as the windows write it.
    common::Outcome<> answer() const {
        bank::QuestionBank bank;
        OUTCOME_TRY(bank.openBank(m_bank));
        OUTCOME_TRY(bank.selectTable(u"danxuan"_s));
        const common::Outcome<QString> text = bank.readField(u"TM"_s);
        if (!text) return common::Failure{text.reason()};
        return bank.recordAnswer(u"danxuan"_s, *text, u"B"_s);
    }
    void copyBank() const {
        ASSERT_TRUE(QFile::copy(shippedBank(), m_bank));
        QFile::setPermissions(m_bank, QFile::ReadOwner | QFile::WriteOwner);
    }

    QTemporaryDir m_dir;
    QString m_bank = m_dir.filePath(u"data/qvtb.mdb"_s);
    QString m_victim = m_dir.filePath(u"elsewhere/victim"_s);
};

} // namespace

TEST_F(PlantedLink, TheFirstCopyWritesNoDraftThroughALink) {
    ASSERT_TRUE(QFile::link(m_victim, m_bank + u".new"_s));
    ASSERT_TRUE(
        QFile::link(m_dir.filePath(u"elsewhere/made"_s), m_bank + UserBank::kVersionSuffix + u".new"_s));
    ASSERT_TRUE(UserBank::prepare(shippedBank(), m_bank).ok());
    EXPECT_EQ(fileBytes(m_victim), kVictim);
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(u"elsewhere/made"_s)));
    EXPECT_FALSE(QFileInfo(m_bank).isSymLink());
    EXPECT_EQ(fileBytes(m_bank), fileBytes(shippedBank()));
    EXPECT_FALSE(QFileInfo(m_bank + u".new"_s).isSymLink() || QFileInfo::exists(m_bank + u".new"_s));
}

TEST_F(PlantedLink, AJournalLinkIsNeitherWrittenThroughNorItsTargetMade) {
    copyBank();
    const QString journal = m_bank + u"-journal"_s;
    ASSERT_TRUE(QFile::link(m_victim, journal));
    const common::Outcome<> refused = answer();
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(fileBytes(m_victim), kVictim);

    const QString dangling = m_dir.filePath(u"elsewhere/new-journal"_s);
    ASSERT_TRUE(QFile::remove(journal));
    ASSERT_TRUE(QFile::link(dangling, journal));
    EXPECT_FALSE(answer().ok());
    EXPECT_FALSE(QFileInfo::exists(dangling));

    // Gone, the journal is the engine's own again.
    ASSERT_TRUE(QFile::remove(journal));
    const common::Outcome<> answered = answer();
    EXPECT_TRUE(answered.ok()) << answered.reason().toStdString();
    EXPECT_FALSE(QFileInfo(journal).isSymLink());
}

TEST_F(PlantedLink, ABankThatIsAnotherUsersLinkIsRefusedWithTheReason) {
    const QString target = m_dir.filePath(u"elsewhere/qvtb.mdb"_s);
    ASSERT_TRUE(QFile::copy(shippedBank(), target));
    ASSERT_TRUE(QFile::link(target, m_bank));
    EXPECT_TRUE(bank::checkBank(m_bank).ok()) << "the candidate's own link to the candidate's own file";
    if (::geteuid() != 0) GTEST_SKIP() << "only root can make a link owned by another user";
    ASSERT_EQ(::lchown(QFile::encodeName(m_bank).constData(), 4242, 4242), 0);
    const common::Outcome<> check = bank::checkBank(m_bank);
    ASSERT_FALSE(check.ok());
    EXPECT_TRUE(check.reason().contains(u"链接"_s)) << check.reason().toStdString();
    EXPECT_TRUE(check.reason().contains(QDir::toNativeSeparators(target))) << check.reason().toStdString();
    EXPECT_TRUE(check.reason().contains(QDir::toNativeSeparators(m_bank)));
}

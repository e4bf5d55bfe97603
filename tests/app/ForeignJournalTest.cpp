// A journal beside the bank that does not belong to it (another state's, left by a writer that
// died) is set aside unapplied at start, and the candidate is told once where it went.

#include "app/BankStart.h"
#include "bank/BankCheck.h"
#include "bank/QuestionBank.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Past the journal of one answer, short of the pages the answer changes: a writer limited so is
// killed (SIGXFSZ) after its journal is written and before the bank is.
constexpr rlim_t kFileSizeLimit = 16 * 1024;

common::Outcome<> answerFirstQuestion(const QString& bankPath, const QString& value) {
    bank::QuestionBank bank;
    OUTCOME_TRY(bank.openBank(bankPath));
    OUTCOME_TRY(bank.selectTable(u"danxuan"_s));
    const common::Outcome<QString> text = bank.readField(u"TM"_s);
    if (!text) return common::Failure{text.reason()};
    return bank.recordAnswer(u"danxuan"_s, *text, value);
}

QString firstAnswer(const QString& bankPath) {
    bank::QuestionBank bank;
    if (!bank.openBank(bankPath) || !bank.selectTable(u"danxuan"_s)) return u"<unreadable>"_s;
    return bank.readField(u"XXDA"_s).value();
}

bool hotJournal(const QString& path) {
    QFile journal(path);
    return journal.open(QIODevice::ReadOnly) && journal.read(8) == "VJETJNL3";
}

} // namespace

TEST(ForeignJournal, IsSetAsideUnappliedAndToldOnce) {
    QTemporaryDir folder;
    const QString bank = folder.filePath(u"qvtb.mdb"_s);
    const QString journal = bank + u"-journal"_s;
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s, bank));
    QFile::setPermissions(bank, QFile::ReadOwner | QFile::WriteOwner);

    const pid_t writer = ::fork();
    if (writer == 0) {
        const rlimit limit{kFileSizeLimit, kFileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        static_cast<void>(answerFirstQuestion(bank, u"A"_s));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the writer died mid-write";
    ASSERT_TRUE(hotJournal(journal));

    // The bank moves on without it; the dead writer's journal then belongs to another state.
    const QString kept = folder.filePath(u"kept"_s);
    ASSERT_TRUE(QFile::rename(journal, kept));
    ASSERT_TRUE(answerFirstQuestion(bank, u"C"_s).ok());
    ASSERT_TRUE(QFile::remove(journal));
    ASSERT_TRUE(QFile::rename(kept, journal));

    const app::StartingBank start = app::prepareBank(bank, bank, true);
    ASSERT_TRUE(start.usable.ok()) << start.usable.reason().toStdString();
    EXPECT_EQ(start.notice, bank::journalSetAsideNotice(bank, bank + u"-journal.set-aside"_s));
    EXPECT_TRUE(hotJournal(bank + u"-journal.set-aside"_s));
    EXPECT_EQ(firstAnswer(bank), u"C"_s);
    EXPECT_TRUE(app::prepareBank(bank, bank, true).notice.isEmpty()) << "told once";
}

// Another process keeps the bank's lock: the start check and each statement wait a bounded time,
// then fail with a reason the windows tell once ("题库正被另一个程序使用"); released, the bank is
// used as before.

#include "bank/BankCheck.h"
#include "common/BankInUse.h"
#include "exam/BankPaperStore.h"
#include "exam/ExamNames.h"
#include "exam/ExamWindow.h"
#include "exam/QuestionNumbering.h"
#include "ui/MessageBox.h"
#include "ui/UnreadableQuestionNotice.h"
#include "ui/UnsavedAnswersNotice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Longer than any bounded wait, short enough that a wait without bound ends the test.
constexpr unsigned kHoldSeconds = 10;

// A child process holding a flock on the bank until this goes (or kHoldSeconds pass).
class LockHolder {
public:
    LockHolder(const QString& path, int operation) {
        int ready[2];
        if (::pipe(ready) != 0) return;
        m_child = ::fork();
        if (m_child == 0) {
            const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
            if (fd < 0 || ::flock(fd, operation) != 0) _exit(1);
            (void)!::write(ready[1], "x", 1);
            ::sleep(kHoldSeconds);
            _exit(0);
        }
        ::close(ready[1]);
        char byte = 0;
        m_holding = ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
    }
    ~LockHolder() { release(); }
    bool holding() const { return m_holding; }
    void release() {
        if (m_child <= 0) return;
        ::kill(m_child, SIGKILL);
        ::waitpid(m_child, nullptr, 0);
        m_child = -1;
    }

private:
    pid_t m_child = -1;
    bool m_holding = false;
};

class HeldLock : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s, m_bank));
        QFile::setPermissions(m_bank, QFile::ReadOwner | QFile::WriteOwner);
    }

    QTemporaryDir m_folder;
    const QString m_bank = m_folder.filePath(u"qvtb.mdb"_s);
};

} // namespace

TEST_F(HeldLock, TheStartCheckGivesUpWithinSecondsAndSaysSo) {
    LockHolder holder(m_bank, LOCK_EX);
    ASSERT_TRUE(holder.holding());
    QElapsedTimer clock;
    clock.start();
    const common::Outcome<> check = bank::checkBank(m_bank);
    EXPECT_LT(clock.elapsed(), 6000);
    ASSERT_FALSE(check.ok());
    EXPECT_TRUE(check.reason().startsWith(common::kBankInUse)) << check.reason().toStdString();
    holder.release();
    EXPECT_TRUE(bank::checkBank(m_bank).ok());
}

// Another process keeps the lock while the paper is worked: each answer click and each move to
// another question comes back in well under a second, and each kind of failure is told once;
// released, the paper works again.
TEST_F(HeldLock, AnswerAndQuestionComeBackAtOnceAndAreToldOnce) {
    exam::ExamWindow window(exam::bankPaperStore(m_bank, 3));
    window.show();
    ui::ScopedMessageAnswers boxes;
    LockHolder holder(m_bank, LOCK_EX);
    ASSERT_TRUE(holder.holding());
    const auto click = [&](const QString& name) {
        QElapsedTimer clock;
        clock.start();
        QWidget* control = window.controls().widget(name);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(8, control->height() / 2));
        return clock.elapsed();
    };
    EXPECT_LT(click(exam::names::singleOption(2)), 1500);
    EXPECT_LT(click(exam::cardButtonName(5)), 1500);
    EXPECT_LT(click(exam::cardButtonName(6)), 1500);
    EXPECT_LT(click(exam::names::singleOption(3)), 1500);
    EXPECT_EQ(boxes.texts(), QStringList({ui::UnsavedAnswersNotice::text(m_bank, common::kBankInUse),
                                          ui::UnreadableQuestionNotice::questionText(common::kBankInUse)}));
    EXPECT_TRUE(boxes.texts().front().contains(common::kBankInUse));

    holder.release();
    click(exam::cardButtonName(7));
    EXPECT_FALSE(window.controls().get<QPlainTextEdit>(exam::names::kQuestionText)->toPlainText().isEmpty());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    boxes.setAnswer(ui::Answer::Yes);
}

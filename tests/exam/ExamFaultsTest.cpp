// The exam window over a copy of the shipped bank when the run before it was killed, and when the
// bank refuses writes.

#include "ExamWindowFixture.h"

#include "WriteFault.h"
#include "exam/BankPaperStore.h"
#include "exam/ExamNames.h"
#include "exam/PaperRecording.h"
#include "ui/MessageBox.h"
#include "ui/UnsavedAnswersNotice.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;

using bank::QuestionRecord;
namespace n = exam::names;

namespace {

// Read once the application's palette is in place.
QColor unanswered() {
    return cardColour(CardState::Unanswered);
}

class ExamFaults : public ::testing::Test {
protected:
    void SetUp() override {
        const QString shipped = QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s;
        ASSERT_TRUE(QFile::copy(shipped, m_bank));
        QFile::setPermissions(m_bank, QFile::ReadOwner | QFile::WriteOwner);
    }

    QTemporaryDir m_folder;
    const QString m_bank = m_folder.filePath(u"qvtb.mdb"_s);
};

} // namespace

// A run killed in the middle of paper 3 leaves its answers in the file: the next window starts
// unanswered, and 交卷 at once scores 0, not the killed run's work.
TEST_F(ExamFaults, OpeningClearsThePaperLeftAnsweredByAKilledRun) {
    {
        const std::unique_ptr<PaperStore> killedRun = bankPaperStore(m_bank, 3);
        const common::Outcome<QList<QuestionRecord>> paper = killedRun->readAll();
        ASSERT_TRUE(paper);
        for (int id : {1, 2, 21, 41}) {
            const common::Outcome<int> recorded = recordChoice(*killedRun, id, (*paper)[id - 1].da);
            ASSERT_TRUE(recorded) << recorded.reason().toStdString();
        }
        ASSERT_GT(*killedRun->sumScores(), 0);
    }
    ExamWindowFixture f(bankPaperStore(m_bank, 3));
    for (int id : {2, 21, 41})
        EXPECT_EQ(f.cardColour(id), unanswered()) << id;
    EXPECT_FALSE(f.get<QRadioButton>(n::singleOption(1))->isChecked() ||
                 f.get<QRadioButton>(n::singleOption(2))->isChecked() ||
                 f.get<QRadioButton>(n::singleOption(3))->isChecked() ||
                 f.get<QRadioButton>(n::singleOption(4))->isChecked());
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    EXPECT_EQ(boxes.texts().last(), ExamWindow::resultText(0));
}

// With no write possible the candidate is told once; neither the option nor the card shows an
// answer the file does not hold, and the total counts only what the file holds.
TEST_F(ExamFaults, AFailedWriteIsToldOnceAndTheTickIsNotKept) {
    ExamWindowFixture f(bankPaperStore(m_bank, 5));
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    {
        NoFileWrites full;
        f.clickOption(n::singleOption(2));
        EXPECT_FALSE(f.get<QRadioButton>(n::singleOption(2))->isChecked());
        ASSERT_EQ(boxes.texts().size(), 1);
        EXPECT_TRUE(boxes.texts().front().startsWith(ui::UnsavedAnswersNotice::kLead));
        EXPECT_TRUE(boxes.texts().front().contains(m_bank)) << boxes.texts().front().toStdString();
        f.window->showQuestion(21);
        f.clickOption(n::multipleOption(1));
        EXPECT_FALSE(f.get<QCheckBox>(n::multipleOption(1))->isChecked());
        f.window->showQuestion(41);
        f.clickOption(n::kTrue);
        EXPECT_FALSE(f.get<QRadioButton>(n::kTrue)->isChecked());
        EXPECT_EQ(boxes.texts().size(), 1) << "told once per window";
    }
    for (int id : {2, 21})
        EXPECT_EQ(f.cardColour(id), unanswered()) << id;
    f.window->showQuestion(1);
    EXPECT_FALSE(f.get<QRadioButton>(n::singleOption(2))->isChecked()) << "nothing was stored";
    f.clickOption(n::singleOption(2));
    EXPECT_TRUE(f.get<QRadioButton>(n::singleOption(2))->isChecked()) << "writes work again";
    EXPECT_EQ(boxes.texts().size(), 1);
}

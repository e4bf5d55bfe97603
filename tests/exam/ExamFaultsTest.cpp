// The exam window over a copy of the shipped bank when the run before it was killed, and when the
// bank refuses writes.

#include "ExamWindowFixture.h"

#include "BankPaperStore.h"
#include "ExamNames.h"
#include "MessageBox.h"
#include "PaperRecording.h"
#include "UnsavedAnswersNotice.h"
#include "WriteFault.h"

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
        BankPaperStore killedRun(m_bank, 3);
        const std::optional<QList<QuestionRecord>> paper = killedRun.readPaper();
        ASSERT_TRUE(paper);
        for (int id : {1, 2, 21, 41})
            ASSERT_TRUE(recordChoice(killedRun, id, (*paper)[id - 1].da))
                << killedRun.lastError().toStdString();
        ASSERT_GT(*killedRun.sumScores(), 0);
    }
    ExamWindowFixture f(std::make_unique<BankPaperStore>(m_bank, 3));
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
    ExamWindowFixture f(std::make_unique<BankPaperStore>(m_bank, 5));
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

// A whole paper answered through the exam window's own controls — option buttons, amount boxes
// and journal lines with their account chooser — and submitted: the total must be what the
// standard answers give.

#include "ExamWindowFixture.h"

#include "OutcomeValue.h"
#include "bank/JournalEntry.h"
#include "bank/QuestionType.h"
#include "bank/Scoring.h"
#include "entry/CalcPages.h"
#include "entry/GridNames.h"
#include "entry/JournalGrid.h"
#include "exam/BankPaperStore.h"
#include "exam/ExamNames.h"
#include "exam/QuestionNumbering.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;

using bank::calcFieldCount;
using bank::calcScore;
using bank::choiceScore;
using bank::JournalLine;
using bank::paperQuestionType;
using bank::parseJournalEntry;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::trueAnswer;
using bank::typePoints;
namespace n = exam::names;

namespace {

const QString kLetters = u"ABCD"_s;

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void answerObjective(ExamWindowFixture& f, const QuestionRecord& q) {
    const QuestionType type = *paperQuestionType(q.id);
    if (type == QuestionType::TrueFalse) {
        f.clickOption(q.da == trueAnswer() ? n::kTrue : n::kFalse);
        return;
    }
    for (const QChar letter : q.da) {
        const int option = static_cast<int>(kLetters.indexOf(letter)) + 1;
        f.clickOption(type == QuestionType::SingleChoice ? n::singleOption(option)
                                                         : n::multipleOption(option));
    }
}

void answerAmounts(ExamWindowFixture& f, const QuestionRecord& q) {
    for (int row = 1; row <= calcFieldCount; ++row)
        typeInto(f.window->findChild<QLineEdit*>(entry::amountEditName(row)), q.standards[row - 1]);
    QTest::mouseClick(f.window->findChild<QWidget*>(entry::kAmountsSubmitName), Qt::LeftButton);
}

void answerJournal(ExamWindowFixture& f, const QuestionRecord& q) {
    entry::JournalGrid* grid = f.window->calcPages()->journalGrid();
    QString chosen;
    grid->setAccountSource([&chosen](QWidget*) { return std::optional<QString>(chosen); });
    for (int e = 1; e <= entry::kEntryCount; ++e) {
        const QList<JournalLine> lines = parseJournalEntry(q.standards[e - 1]);
        if (lines.size() > 2 && !grid->isThirdLineOpen(e))
            QTest::mouseClick(f.window->findChild<QWidget*>(entry::plusButtonName(e)), Qt::LeftButton);
        for (int l = 1; l <= lines.size() && l <= entry::kLinesPerEntry; ++l) {
            const entry::LineNames names = entry::lineNames(e, l);
            const JournalLine& line = lines[l - 1];
            auto* mark = f.window->findChild<QComboBox*>(names.mark);
            mark->setCurrentIndex(mark->findText(line.mark));
            chosen = line.account;
            QTest::mouseClick(f.window->findChild<QWidget*>(names.chooser), Qt::LeftButton);
            typeInto(f.window->findChild<QLineEdit*>(names.amount), line.amount);
        }
    }
    QTest::mouseClick(f.window->findChild<QWidget*>(entry::kJournalSubmitName), Qt::LeftButton);
}

// What a paper answered exactly as its standard answers scores under the bank's rules.
int standardTotal(const QList<QuestionRecord>& rows) {
    int total = 0;
    for (const QuestionRecord& q : rows) {
        const QuestionType type = *paperQuestionType(q.id);
        total += type == QuestionType::Calculation
                     ? calcScore(q.standards, q.standards, bank::SubAccounts::AsKeyed)
                     : choiceScore(type, q.da, q.da);
    }
    return total;
}

// Answers every question through the window, submits, and returns the texts of the boxes shown.
QStringList answerWholePaper(ExamWindowFixture& f) {
    const QList<QuestionRecord> rows = *f.window->store().readAll();
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    for (const QuestionRecord& q : rows) {
        f.click(cardButtonName(q.id));
        if (q.id <= 60)
            answerObjective(f, q);
        else if (entry::pageForType(q.tx) == entry::CalcPage::Amounts)
            answerAmounts(f, q);
        else
            answerJournal(f, q);
    }
    f.click(n::kSubmit);
    return boxes.texts();
}

} // namespace

TEST(ExamEndToEnd, AWholePaperAnsweredRightScoresItsStandardTotal) {
    ExamWindowFixture f(9);
    const int expected = standardTotal(f.store->rows());
    ASSERT_EQ(expected, 100);
    const QStringList boxes = answerWholePaper(f);
    EXPECT_EQ(boxes.last(), ExamWindow::resultText(100));
    for (int id = 1; id <= 62; ++id)
        ASSERT_EQ(f.window->card().isRight(id), std::optional<bool>(true)) << id;
    for (const QuestionRecord& q : f.store->rows())
        EXPECT_EQ(q.fen.toInt(), typePoints(*paperQuestionType(q.id))) << q.id;
}

// The same through the bank file the program ships, on a copy: the standard answers of paper 20
// entered through the window reach the file, score in full, and closing the window empties it.
TEST(ExamEndToEnd, ThePaperOfTheBuiltBankScoresItsStandardTotalAndIsClearedOnClose) {
    const QString shipped = QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s;
    ASSERT_TRUE(QFile::exists(shipped)) << "the build puts qvtb.mdb beside the tests";
    QTemporaryDir folder;
    const QString bank = folder.filePath(u"qvtb.mdb"_s);
    ASSERT_TRUE(QFile::copy(shipped, bank));
    QFile::setPermissions(bank, QFile::ReadOwner | QFile::WriteOwner);

    const std::unique_ptr<PaperStore> reader = bankPaperStore(bank, 20);
    const common::Outcome<QList<QuestionRecord>> rows = reader->readAll();
    ASSERT_TRUE(rows) << rows.reason().toStdString();
    ASSERT_EQ(rows->size(), 62);
    const int expected = standardTotal(*rows);
    EXPECT_EQ(expected, 100) << "every paper is worth 100 points";

    ExamWindowFixture f(bankPaperStore(bank, 20));
    EXPECT_EQ(f.window->store().table(), u"tm20"_s);
    const QStringList boxes = answerWholePaper(f);
    EXPECT_EQ(boxes.last(), ExamWindow::resultText(expected));
    EXPECT_EQ(valueOf(reader->sumScores()), expected) << "the scores are in the file";
    f.window->close();

    const common::Outcome<QList<QuestionRecord>> cleared = reader->readAll();
    ASSERT_TRUE(cleared);
    for (const QuestionRecord& q : *cleared) {
        ASSERT_TRUE(q.xxda.isEmpty()) << q.id;
        ASSERT_EQ(q.fen.toInt(), 0) << q.id;
        for (const QString& answer : q.answers)
            ASSERT_TRUE(answer.isEmpty()) << q.id;
    }
}

#include "TestBank.h"
#include "bank/BankTables.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"

#include "jet/DatabaseCreator.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::BankColumn;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::recordCells;
using bank::tableColumns;

namespace {

const QuestionRecord kAsset = choiceQuestion(
    1, u"下列属于资产的是"_s, {u"应收账款"_s, u"短期借款"_s, u"实收资本"_s, u"预收账款"_s}, u"A"_s);
const QuestionRecord kDuty =
    choiceQuestion(2, u"会计的基本职能是"_s, {u"核算与监督"_s, u"预测"_s, u"决策"_s, u"评价"_s}, u"A"_s);
const QuestionRecord kSign =
    choiceQuestion(3, u"借贷记账法的记账符号是"_s, {u"增减"_s, u"收付"_s, u"借贷"_s, u"进出"_s}, u"C"_s);
const QuestionRecord kDebts = choiceQuestion(
    1, u"下列属于负债的有"_s, {u"短期借款"_s, u"应付账款"_s, u"存货"_s, u"固定资产"_s}, u"AB"_s);

QuestionRecord numbered(QuestionRecord record, int id) {
    record.id = id;
    return record;
}

// A bank whose danxuan table carries the chapter column CH after the usual ones.
// A single-choice table with the program's columns, with or without the chapter column that newer
// builds add, so that both kinds of bank are read.
QString writeBank(const QString& path, const QList<std::pair<QuestionRecord, QString>>& rows,
                  bool withChapters) {
    const QString table = u"danxuan"_s;
    QList<BankColumn> columns = tableColumns(table);
    columns.removeIf([](const BankColumn& column) { return column.name == u"CH"_s; });
    jet::NewTable created;
    created.name = table.toStdString();
    for (const BankColumn& column : columns)
        created.fields.push_back({column.name.toStdString(),
                                  column.kind == BankColumn::Kind::Long   ? jet::FieldType::Long
                                  : column.kind == BankColumn::Kind::Text ? jet::FieldType::Text
                                                                          : jet::FieldType::Memo,
                                  column.size});
    if (withChapters) created.fields.push_back({"CH", jet::FieldType::Text, 50});
    for (const auto& [record, chapter] : rows) {
        jet::NewRow row;
        for (const QString& cell : recordCells(columns, record))
            row.push_back(cell.toStdString());
        if (withChapters) row.push_back(chapter.toStdString());
        created.rows.push_back(std::move(row));
    }
    const jet::Status status = jet::DatabaseCreator::create(path.toStdString(), {created});
    return status.ok() ? QString() : QString::fromStdString(status.message());
}

class StudyRecordingTest : public ::testing::Test {
protected:
    QString studyPath() const { return m_dir.filePath(u"study.sqlite"_s); }

    std::unique_ptr<PracticeWindow> open(QuestionType type, const QString& bankPath) {
        auto window = std::make_unique<PracticeWindow>(type, bankPath, studyPath(), std::nullopt);
        window->show();
        return window;
    }
    static void pressOption(PracticeWindow& w, const QString& name) {
        QTest::mouseClick(w.controls().widget(name), Qt::LeftButton, {}, QPoint(8, 16));
    }
    static void tickBox(PracticeWindow& w, const QString& name) {
        QTest::mouseClick(w.controls().widget(name), Qt::LeftButton, {}, QPoint(8, 12));
    }
    static void push(PracticeWindow& w, const QString& name) {
        QTest::mouseClick(w.controls().widget(name), Qt::LeftButton);
    }
    static QString shownText(const PracticeWindow& w) {
        return w.controls().get<QPlainTextEdit>(names::kQuestionText)->toPlainText();
    }
    static QString position(const PracticeWindow& w) {
        return w.controls().get<QLabel>(names::kPositionLabel)->text();
    }

    QTemporaryDir m_dir;
    // A round's summary comes up when its window closes after answers.
    ui::ScopedMessageAnswers m_summaries{ui::Answer::No};
};

TEST_F(StudyRecordingTest, WrongAnswersOutliveTheWindowAndABankRebuildAndArePractisedAlone) {
    TestBank first;
    ASSERT_EQ(first.write({{u"danxuan"_s, {kAsset, kDuty, kSign}}}), QString());
    {
        auto w = open(QuestionType::SingleChoice, first.path());
        pressOption(*w, names::kSingleOptions[1]); // 资产: B, wrong
        push(*w, names::kNext);
        pressOption(*w, names::kSingleOptions[2]); // 职能: C, wrong
        push(*w, names::kNext);
        pressOption(*w, names::kSingleOptions[2]); // 记账符号: C, right
        w->close();
    }
    // The bank is built again: new numbers, another order, a question more.
    TestBank rebuilt;
    const QuestionRecord added =
        choiceQuestion(1, u"新增的题目"_s, {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s}, u"A"_s);
    ASSERT_EQ(
        rebuilt.write({{u"danxuan"_s, {added, numbered(kDuty, 2), numbered(kSign, 3), numbered(kAsset, 4)}}}),
        QString());

    ui::ScopedMessageAnswers answers;
    PracticeWindow* w =
        PracticeWindow::openWrongAnswers(QuestionType::SingleChoice, nullptr, rebuilt.path(), studyPath());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(answers.texts().isEmpty());
    EXPECT_EQ(shownText(*w), kAsset.tm) << "the first question got wrong comes first";
    EXPECT_EQ(position(*w), u"第 1 / 2 题"_s);
    push(*w, names::kNext);
    EXPECT_EQ(shownText(*w), kDuty.tm);
    push(*w, names::kNext);
    EXPECT_EQ(shownText(*w), kDuty.tm) << "nothing after the book's last question";
    // Answers here are recorded as in ordinary practice, and the table is cleared on closing.
    pressOption(*w, names::kSingleOptions[0]);
    EXPECT_EQ(rebuilt.stored(u"danxuan"_s, 2).xxda, u"A"_s);
    push(*w, names::kPrevious);
    EXPECT_EQ(shownText(*w), kAsset.tm);
    w->close();
    QApplication::processEvents();
    EXPECT_EQ(rebuilt.stored(u"danxuan"_s, 2).xxda, QString());
    study::StudyRecord record(studyPath());
    EXPECT_EQ(record.typeFigures()[0].questionsAnswered, 3);
    EXPECT_EQ(record.typeFigures()[0].rightLastTime, 2);
}

TEST_F(StudyRecordingTest, AnAnswerMendedAfterTheExplanationStaysAMistake) {
    TestBank bank;
    ASSERT_EQ(bank.write({{u"danxuan"_s, {kAsset, kDuty}}}), QString());
    {
        auto w = open(QuestionType::SingleChoice, bank.path());
        pressOption(*w, names::kSingleOptions[1]); // wrong
        push(*w, names::kAnswerButton);
        QApplication::processEvents();
        QWidget* explanation = QApplication::activeModalWidget();
        ASSERT_NE(explanation, nullptr);
        explanation->close();
        pressOption(*w, names::kSingleOptions[0]); // right, after seeing the standard answer
        EXPECT_EQ(bank.stored(u"danxuan"_s, 1).fen, u"1"_s) << "the bank's columns keep the last answer";
        push(*w, names::kAnswerButton);
        QApplication::processEvents();
        if (QWidget* again = QApplication::activeModalWidget(); again && again != w.get()) again->close();
        w->close();
    }
    study::StudyRecord record(studyPath());
    EXPECT_EQ(record.typeFigures()[0].questionsAnswered, 1);
    EXPECT_EQ(record.typeFigures()[0].rightLastTime, 0);
    EXPECT_EQ(record.wrongBook(u"danxuan"_s).size(), 1);
}

TEST_F(StudyRecordingTest, AnEmptyWrongAnswerBookIsToldAndNothingOpens) {
    TestBank bank;
    ASSERT_EQ(bank.write({{u"danxuan"_s, {kAsset}}}), QString());
    {
        auto w = open(QuestionType::SingleChoice, bank.path());
        pressOption(*w, names::kSingleOptions[0]); // right
        w->close();
    }
    QWidget main;
    ui::ScopedMessageAnswers answers;
    EXPECT_EQ(PracticeWindow::openWrongAnswers(QuestionType::SingleChoice, &main, bank.path(), studyPath()),
              nullptr);
    EXPECT_EQ(answers.texts(), QStringList{PracticeWindow::kEmptyWrongBook});
    EXPECT_EQ(main.findChild<PracticeWindow*>(), nullptr);
}

TEST_F(StudyRecordingTest, BoxesTickedOneByOneAreOneAnswer) {
    TestBank bank;
    ASSERT_EQ(bank.write({{u"duoxuan"_s, {kDebts}}}), QString());
    auto w = open(QuestionType::MultipleChoice, bank.path());
    tickBox(*w, names::kMultipleOptions[0]);
    tickBox(*w, names::kMultipleOptions[1]);
    ASSERT_EQ(bank.stored(u"duoxuan"_s, 1).xxda, u"AB"_s);
    w->close();
    study::StudyRecord record(studyPath());
    const study::TypeFigures figures = record.typeFigures()[1];
    EXPECT_EQ(figures.questionsAnswered, 1);
    EXPECT_EQ(figures.rightLastTime, 1);
    EXPECT_EQ(figures.inWrongBook, 0);
}

TEST_F(StudyRecordingTest, ChaptersComeFromTheChapterColumnOrAreUnfiled) {
    const QString withChapters = m_dir.filePath(u"chapters.mdb"_s);
    ASSERT_EQ(writeBank(withChapters, {{kAsset, u"第一章 总论"_s}, {kDuty, u"第二章 会计要素"_s}}, true),
              QString());
    const QString without = m_dir.filePath(u"without.mdb"_s);
    ASSERT_EQ(writeBank(without, {{kSign, QString()}}, false), QString());
    {
        auto w = open(QuestionType::SingleChoice, withChapters);
        pressOption(*w, names::kSingleOptions[0]); // right
        push(*w, names::kNext);
        pressOption(*w, names::kSingleOptions[3]); // wrong
        w->close();
        auto plain = open(QuestionType::SingleChoice, without);
        pressOption(*plain, names::kSingleOptions[2]); // right
        plain->close();
    }
    study::StudyRecord record(studyPath());
    const QList<study::ChapterFigures> chapters = record.chapterFigures();
    ASSERT_EQ(chapters.size(), 3);
    QMap<QString, std::pair<int, int>> byName;
    for (const study::ChapterFigures& c : chapters)
        byName.insert(c.chapter, {c.answers, c.rightAnswers});
    EXPECT_EQ(byName.value(u"第一章 总论"_s), std::pair(1, 1));
    EXPECT_EQ(byName.value(u"第二章 会计要素"_s), std::pair(1, 0));
    EXPECT_EQ(byName.value(u"未分类"_s), std::pair(1, 1));
}

TEST_F(StudyRecordingTest, ADamagedRecordIsToldOnceAndPracticeGoesOn) {
    TestBank bank;
    ASSERT_EQ(bank.write({{u"danxuan"_s, {kAsset, kDuty}}}), QString());
    QFile damaged(studyPath());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, '\x5a'));
    damaged.close();
    ui::ScopedMessageAnswers answers;
    auto w = open(QuestionType::SingleChoice, bank.path());
    QApplication::processEvents();
    pressOption(*w, names::kSingleOptions[1]);
    EXPECT_EQ(bank.stored(u"danxuan"_s, 1).xxda, u"B"_s);
    w->close();
    // Told once; then the round's summary.
    ASSERT_EQ(answers.texts().size(), 2) << answers.texts().join(u'|').toStdString();
    EXPECT_TRUE(answers.texts()[0].contains(u"study.sqlite.damaged-1"_s));
    EXPECT_EQ(answers.titles()[1], kRoundSummaryTitle);
    EXPECT_TRUE(QFile::exists(studyPath() + u".damaged-1"_s));
    EXPECT_EQ(study::StudyRecord(studyPath()).typeFigures()[0].inWrongBook, 1);
}

} // namespace

#include "ExamWindowFixture.h"
#include "exam/ExamNames.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
namespace n = exam::names;

TEST(ExamStudyRecord, AHandedInPaperIsKeptWithItsScoresAndTimeAndItsMistakesReachTheBook) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"study.sqlite"_s);
    ExamWindowFixture f(9);
    f.window->setStudyRecordPath(path);
    f.clickOption(n::singleOption(2)); // question 1: B, right
    f.click(n::kNext);
    f.clickOption(n::singleOption(1)); // question 2: A, wrong (C)
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    ASSERT_EQ(boxes.texts().last(), exam::ExamWindow::resultText(1));
    f.click(n::kSubmit); // the result again: no second attempt
    study::StudyRecord record(path);
    const QList<study::ExamHistoryEntry> history = record.examHistory();
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history[0].paper, 9);
    EXPECT_EQ(history[0].total, 1);
    EXPECT_GE(history[0].usedSeconds, 0);
    EXPECT_LE(history[0].started, QDateTime::currentDateTime());
    // The two answered questions count in the figures and the wrong one is in the book; the sixty
    // left unanswered are neither.
    const std::array<study::TypeFigures, 4> figures = record.typeFigures();
    EXPECT_EQ(figures[0].questionsAnswered, 2);
    EXPECT_EQ(figures[0].rightLastTime, 1);
    EXPECT_EQ(figures[1].questionsAnswered, 0);
    EXPECT_EQ(record.wrongBook(u"danxuan"_s).size(), 1);
}

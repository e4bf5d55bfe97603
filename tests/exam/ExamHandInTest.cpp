// Handing the paper in: kept in the study record with its scores and time, its mistakes in the
// wrong-answer book; at time-up before the message says so, with the hour as its time; and the
// question before a manual hand-in names the questions still flagged 待查.

#include "ExamWindowFixture.h"
#include "exam/ExamNames.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

using namespace Qt::StringLiterals;
using exam::ExamWindow;
namespace n = exam::names;

namespace {

// Paper 9 in a window with a study record of its own, question 1 answered right (B).
struct RecordedExam {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"study.sqlite"_s);
    ExamWindowFixture f{9};

    RecordedExam() {
        f.window->setStudyRecordPath(path);
        f.clickOption(n::singleOption(2));
    }
};

} // namespace

TEST(ExamHandIn, AHandedInPaperIsKeptWithItsScoresAndTimeAndItsMistakesReachTheBook) {
    RecordedExam exam;
    ExamWindowFixture& f = exam.f;
    f.click(n::kNext);
    f.clickOption(n::singleOption(1)); // question 2: A, wrong (C)
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    ASSERT_EQ(boxes.texts().last(), ExamWindow::resultText(1));
    f.click(n::kSubmit); // the result again: no second attempt
    study::StudyRecord record(exam.path);
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

TEST(ExamHandIn, AtTimeUpThePaperIsHandedInAndRecordedBeforeTheMessageSaysSo) {
    RecordedExam exam;
    ExamWindowFixture& f = exam.f;
    const QString& path = exam.path;
    ui::ScopedMessageAnswers boxes;
    QList<study::ExamHistoryEntry> whileUp;
    bool submittedWhileUp = false;
    boxes.whileNextBoxIsUp([&] {
        whileUp = study::StudyRecord(path).examHistory();
        submittedWhileUp = f.window->isSubmitted();
    });
    // The candidate stepped away: the clock runs well past the hour before the last tick comes.
    f.now += 2 * exam::Countdown::kDuration;
    f.tick();
    EXPECT_EQ(boxes.texts(), (QStringList{ExamWindow::kTimeUp, ExamWindow::resultText(1)}));
    EXPECT_TRUE(submittedWhileUp);
    ASSERT_EQ(whileUp.size(), 1);
    EXPECT_EQ(whileUp[0].total, 1);
    EXPECT_EQ(whileUp[0].usedSeconds, 3600);
}

TEST(ExamHandIn, TheQuestionBeforeHandingInCountsTheQuestionsStillFlagged) {
    ExamWindowFixture f;
    ui::ScopedMessageAnswers boxes(ui::Answer::No);
    f.click(n::kSubmit);
    f.window->toggleFlag(); // question 1
    f.window->showQuestion(5);
    f.window->toggleFlag();
    f.click(n::kSubmit);
    f.window->toggleFlag(); // question 5 taken off again
    f.click(n::kSubmit);
    EXPECT_EQ(boxes.texts(), (QStringList{ExamWindow::kConfirmSubmit, u"还有 2 题标记为待查，确定要交卷吗?"_s,
                                          u"还有 1 题标记为待查，确定要交卷吗?"_s}));
    EXPECT_FALSE(f.window->isSubmitted());
}

// Handing the paper in: at time-up before the message says so, with the hour as its time; and the
// question before a manual hand-in names the questions still flagged 待查.

#include "ExamWindowFixture.h"
#include "exam/ExamNames.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using exam::ExamWindow;
namespace n = exam::names;

TEST(ExamHandIn, AtTimeUpThePaperIsHandedInAndRecordedBeforeTheMessageSaysSo) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"study.sqlite"_s);
    ExamWindowFixture f(9);
    f.window->setStudyRecordPath(path);
    f.clickOption(n::singleOption(2)); // question 1: B, right
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

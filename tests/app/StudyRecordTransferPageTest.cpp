// The 学习记录 page's ways into a past attempt and out of and into another record: Enter on a row
// of the exam history opens its review; 导入学习记录 asks before it merges or replaces, refuses a file
// that is no record with a message, and afterwards the page and the status bar show what was taken.

#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"
#include "app/StudyPage.h"
#include "app/WorkWindows.h"
#include "exam/ExamWindow.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"
#include "ui/StatusBar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using app::MainWindow;
using app::StudyPage;
using bank::QuestionType;

namespace {

const QDateTime kStart(QDate(2026, 3, 2), QTime(9, 0));

// One handed-in paper of 62 questions, question 1 answered B and right, the others unanswered.
study::ExamAttempt handedIn(const QDateTime& started) {
    study::ExamAttempt attempt;
    attempt.paper = 6;
    attempt.started = started;
    attempt.ended = started.addSecs(1200);
    attempt.usedSeconds = 1200;
    attempt.total = 1;
    attempt.typeScores = {1, 0, 0, 0};
    for (int id = 1; id <= 62; ++id) {
        bank::QuestionRecord row;
        row.id = id;
        row.tm = u"第6套第%1题"_s.arg(id);
        row.da = u"B"_s;
        row.xxda = id == 1 ? u"B"_s : QString();
        row.fen = id == 1 ? u"1"_s : u"0"_s;
        attempt.questions.append(
            {id, row.tm, id == 1, id == 1 ? 1 : 0, QuestionType::SingleChoice, {}, id == 1, row});
    }
    return attempt;
}

class StudyRecordTransferPageTest : public ::testing::Test {
protected:
    StudyRecordTransferPageTest() : window(documents.path()) {
        window.setStudyRecordPath(studyPath());
        app::connectWorkWindows(window, documents.filePath(u"qvtb.mdb"_s), {});
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QString studyPath() const { return documents.filePath(u"study.sqlite"_s); }
    void openPage() { QTest::mouseClick(window.findChild<QWidget*>(u"学习记录"_s), Qt::LeftButton); }
    QTableWidget* exams() { return window.findChild<QTableWidget*>(StudyPage::kExamTable); }
    StudyPage* page() { return window.studyPage(); }
    QString status() { return window.findChild<ui::StatusBar*>(app::names::kStatusBar)->panelText(0); }

    QTemporaryDir documents;
    MainWindow window;
};

} // namespace

TEST_F(StudyRecordTransferPageTest, EnterOnAnExamRowOpensItsReviewAndAnAttemptNotKeptIsToldWhy) {
    study::StudyRecord(studyPath()).recordExam(handedIn(kStart));
    openPage();
    exams()->setFocus();
    QTest::keyClick(window.windowHandle(), Qt::Key_Down);
    QTest::keyClick(window.windowHandle(), Qt::Key_Return);
    auto* review = window.findChild<exam::ExamWindow*>();
    ASSERT_TRUE(review);
    EXPECT_TRUE(review->isVisible());
    EXPECT_TRUE(review->card().isRight(1).value_or(false));
    EXPECT_FALSE(review->card().isRight(2).value_or(true));
    review->close();
    QTest::qWait(10);

    ui::ScopedMessageAnswers boxes;
    EXPECT_EQ(app::openPastReview(&window, studyPath(), 999), nullptr);
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts()[0], u"学习记录中没有这次考试。"_s);
}

TEST_F(StudyRecordTransferPageTest, AFileThatIsNoRecordIsRefusedWithAMessageAndNothingAsked) {
    study::StudyRecord(studyPath()).recordExam(handedIn(kStart));
    openPage();
    const QString damaged = documents.filePath(u"备份.sqlite"_s);
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x7f'));
    }
    ui::ScopedMessageAnswers boxes(ui::Answer::No);
    page()->importFrom(damaged);
    ASSERT_EQ(boxes.texts().size(), 1) << "refused before the question";
    EXPECT_TRUE(boxes.texts()[0].contains(u"不是学习记录"_s)) << boxes.texts()[0].toStdString();
    EXPECT_TRUE(boxes.texts()[0].contains(u"没有改动"_s));
    EXPECT_EQ(exams()->rowCount(), 1);
    EXPECT_EQ(study::StudyRecord(studyPath()).examHistory().size(), 1);
}

TEST_F(StudyRecordTransferPageTest, AnImportIsAskedAndAfterItThePageAndStatusBarShowTheImportedRecord) {
    {
        study::StudyRecord record(studyPath());
        record.recordExam(handedIn(kStart));
        record.recordExam(handedIn(kStart.addDays(1)));
        ASSERT_TRUE(record.setDailyTarget(1).ok());
    }
    openPage();
    const QString backup = documents.filePath(u"备份/学习记录.sqlite"_s);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(backup).path()));
    ui::ScopedMessageAnswers boxes(ui::Answer::Cancel);
    page()->exportTo(backup);
    EXPECT_EQ(boxes.texts().last(), u"学习记录已导出到“%1”。"_s.arg(QDir::toNativeSeparators(backup)));
    {
        study::StudyRecord record(studyPath());
        ASSERT_TRUE(record.clear().ok());
        ASSERT_TRUE(record.setDailyTarget(30).ok());
    }
    openPage();
    ASSERT_EQ(exams()->rowCount(), 0);
    page()->importFrom(backup);
    EXPECT_EQ(boxes.texts().last(), StudyPage::confirmImport(backup));
    EXPECT_EQ(exams()->rowCount(), 0) << "cancelled";
    boxes.setAnswer(ui::Answer::No); // 替换
    page()->importFrom(backup);
    EXPECT_EQ(exams()->rowCount(), 2);
    EXPECT_EQ(status(), u"今日已答 0 / 1 题"_s);
}

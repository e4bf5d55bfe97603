#include "app/StudyPage.h"
#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"
#include "app/WorkWindows.h"
#include "practice/PracticeWindow.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"
#include "ui/StatusBar.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
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

class StudyPageTest : public ::testing::Test {
protected:
    StudyPageTest() : window(documents.path()) {
        window.setStudyRecordPath(studyPath());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QString studyPath() const { return documents.filePath(u"study.sqlite"_s); }
    void give(const QString& text, bool right, const QDateTime& at) {
        study::StudyRecord(studyPath())
            .recordAnswer({u"danxuan"_s, text, {}, QuestionType::SingleChoice, right, right ? 1 : 0, at});
    }
    void openPage() { QTest::mouseClick(window.findChild<QWidget*>(u"学习记录"_s), Qt::LeftButton); }
    QString typeCell(int row, int column) {
        return window.findChild<QTableWidget*>(StudyPage::kTypeTable)->item(row, column)->text();
    }
    QTableWidget* exams() { return window.findChild<QTableWidget*>(StudyPage::kExamTable); }

    QTemporaryDir documents;
    MainWindow window;
};

TEST_F(StudyPageTest, TheFifthButtonShowsWhatTheRecordHolds) {
    // Answered today: a right answer is not due for review again yet.
    const QDateTime today = QDateTime::currentDateTime();
    give(u"题一"_s, false, today);
    give(u"题二"_s, true, today.addSecs(60));
    study::ExamAttempt attempt;
    attempt.paper = 3;
    attempt.started = kStart;
    attempt.ended = kStart.addSecs(42 * 60 + 5);
    attempt.usedSeconds = 42 * 60 + 5;
    attempt.total = 76;
    attempt.typeScores = {16, 34, 18, 8};
    study::StudyRecord(studyPath()).recordExam(attempt);

    openPage();
    EXPECT_EQ(window.currentPage(), app::pages::StudyRecord);
    EXPECT_EQ(typeCell(0, 0), u"单选题"_s);
    EXPECT_EQ(typeCell(0, 1), u"2"_s);
    EXPECT_EQ(typeCell(0, 2), u"50%"_s);
    EXPECT_EQ(typeCell(0, 3), u"1"_s);
    EXPECT_EQ(typeCell(1, 1), u"0"_s);
    ASSERT_EQ(exams()->rowCount(), 1);
    EXPECT_EQ(exams()->item(0, 0)->text(), u"第3套"_s);
    EXPECT_EQ(exams()->item(0, 1)->text(), u"2026-03-02 09:00"_s);
    EXPECT_EQ(exams()->item(0, 2)->text(), u"42分05秒"_s);
    QStringList sections;
    for (int column = 3; column <= 6; ++column)
        sections.append(exams()->item(0, column)->text());
    EXPECT_EQ(sections, (QStringList{u"16"_s, u"34"_s, u"18"_s, u"8"_s}));
    EXPECT_EQ(exams()->item(0, 7)->text(), u"76（及格）"_s);

    // Shown again, the page reads the record again.
    give(u"题三"_s, false, today.addSecs(120));
    QTest::mouseClick(window.findChild<QWidget*>(u"全真考场"_s), Qt::LeftButton);
    openPage();
    EXPECT_EQ(typeCell(0, 3), u"2"_s);
}

TEST_F(StudyPageTest, ClearingAsksFirstAndNoKeepsTheRecord) {
    give(u"题一"_s, false, kStart);
    openPage();
    auto* clear = window.findChild<QPushButton*>(StudyPage::kClearButton);
    {
        ui::ScopedMessageAnswers boxes(ui::Answer::No);
        QTest::mouseClick(clear, Qt::LeftButton);
        EXPECT_EQ(boxes.texts(), QStringList{StudyPage::kConfirmClear});
    }
    EXPECT_EQ(typeCell(0, 1), u"1"_s);
    {
        ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
        QTest::mouseClick(clear, Qt::LeftButton);
    }
    EXPECT_EQ(typeCell(0, 1), u"0"_s);
    EXPECT_EQ(study::StudyRecord(studyPath()).typeFigures()[0].questionsAnswered, 0);
}

TEST_F(StudyPageTest, RetryingAnEmptyBookSaysSoAndOpensNothing) {
    // The program's own road: the per-user record, here the test location's.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(study::StudyRecord::defaultPath());
    window.setStudyRecordPath(study::StudyRecord::defaultPath());
    app::connectWorkWindows(window, documents.filePath(u"qvtb.mdb"_s), {});
    openPage();
    ui::ScopedMessageAnswers boxes;
    QTest::mouseClick(window.findChild<QPushButton*>(StudyPage::kRetryButton + u"2"_s), Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList{practice::PracticeWindow::kEmptyWrongBook});
    EXPECT_EQ(window.findChild<practice::PracticeWindow*>(), nullptr);
}

} // namespace

TEST_F(StudyPageTest, TheDailyTargetIsSetWithTheKeyboardAndTheStatusBarCountsTodayAgainstIt) {
    const auto status = [this] {
        return window.findChild<ui::StatusBar*>(app::names::kStatusBar)->panelText(0);
    };
    // Read after the first paint.
    for (int i = 0; i < 100 && status().isEmpty(); ++i)
        QTest::qWait(10);
    EXPECT_EQ(status(), u"今日已答 0 / 30 题"_s);
    give(u"题一"_s, true, QDateTime::currentDateTime());
    openPage();
    auto* target = window.findChild<QSpinBox*>(StudyPage::kDailyTarget);
    ASSERT_TRUE(target);
    target->setFocus();
    QTest::keyClick(window.windowHandle(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window.windowHandle(), Qt::Key_1);
    EXPECT_EQ(study::StudyRecord(studyPath()).dailyProgress().target, 1);
    EXPECT_EQ(status(), u"今日已答 1 / 1 题，已连续 1 天达标"_s);
}

// The 学习记录 page as a screen reader reads it: the cells under the 错题重练 buttons, the chapter
// bars and the score trend, which are painted, each say what they show.

#include "AccessibilityWalk.h"
#include "ScreenReader.h"
#include "app/MainWindow.h"
#include "app/StudyPage.h"
#include "study/StudyRecord.h"

#include <QAccessible>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using app::MainWindow;
using app::StudyPage;
using bank::QuestionType;

namespace {

class StudyPageAccessibilityTest : public ::testing::Test {
protected:
    StudyPageAccessibilityTest() : window(documents.path()) { window.setStudyRecordPath(studyPath()); }
    QString studyPath() const { return documents.filePath(u"study.sqlite"_s); }
    void give(const QString& chapter, bool right, int n) {
        study::StudyRecord(studyPath())
            .recordAnswer({u"danxuan"_s, chapter + QString::number(n), chapter, QuestionType::SingleChoice,
                           right, right ? 1 : 0, QDateTime::currentDateTime().addDays(-2)});
    }
    void handIn(int paper, int total, const QDateTime& started) {
        study::ExamAttempt attempt;
        attempt.paper = paper;
        attempt.started = started;
        attempt.ended = started.addSecs(1800);
        attempt.usedSeconds = 1800;
        attempt.total = total;
        study::StudyRecord(studyPath()).recordExam(attempt);
    }
    void openPage() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::mouseClick(window.findChild<QWidget*>(u"学习记录"_s), Qt::LeftButton);
    }
    QAccessibleInterface* reader(const QString& name) const {
        return QAccessible::queryAccessibleInterface(window.findChild<QWidget*>(name));
    }
    static QStringList childNames(QAccessibleInterface* parent) {
        QStringList names;
        for (int i = 0; i < parent->childCount(); ++i)
            names << parent->child(i)->text(QAccessible::Name);
        return names;
    }

    QTemporaryDir documents;
    MainWindow window;
};

} // namespace

TEST_F(StudyPageAccessibilityTest, RetryCellsSayTheirButtonAndTabGoesFromButtonToButtonOutOfTheTable) {
    openPage();
    QAccessibleTableInterface* types = reader(StudyPage::kTypeTable)->tableInterface();
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(reader(StudyPage::kTypeTable)->text(QAccessible::Name), StudyPage::kTypesHeading);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(types->cellAt(row, 5)->text(QAccessible::Name), StudyPage::kRetryButton) << row;

    QWidget* first = window.findChild<QWidget*>(StudyPage::kRetryButton + u"1"_s);
    ASSERT_TRUE(tabTo(first));
    EXPECT_EQ(accessibleName(first), u"单选题 错题重练"_s);
    QStringList walked;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(walked, (QStringList{u"错题重练2"_s, u"错题重练3"_s, u"错题重练4"_s, u"章节正确率"_s}));
    EXPECT_EQ(accessibleName(QApplication::focusWidget()), StudyPage::kChaptersHeading);
}

TEST_F(StudyPageAccessibilityTest, EachChapterBarSaysItsChapterAndFiguresAndTheKeysMoveTheReader) {
    give(u"会计凭证"_s, true, 1);
    give(u"会计凭证"_s, true, 2);
    give(u"会计凭证"_s, false, 3);
    give(u"会计凭证"_s, false, 4);
    give(u"财产清查"_s, true, 1);
    openPage();
    QAccessibleInterface* bars = reader(u"章节正确率"_s);
    EXPECT_EQ(bars->role(), QAccessible::List);
    ASSERT_EQ(bars->childCount(), 2);
    EXPECT_EQ(childNames(bars),
              (QStringList{u"会计凭证 正确率 50%，共 4 次"_s, u"财产清查 正确率 100%，共 1 次"_s}));
    EXPECT_EQ(bars->child(0)->text(QAccessible::Value), u"50%"_s);
    EXPECT_FALSE(bars->child(0)->rect().intersects(bars->child(1)->rect()));

    ASSERT_TRUE(tabTo(window.findChild<QWidget*>(u"章节正确率"_s)));
    EXPECT_TRUE(bars->child(0)->state().focused);
    QTest::keyClick(window.windowHandle(), Qt::Key_Down);
    EXPECT_FALSE(bars->child(0)->state().focused);
    EXPECT_TRUE(bars->child(1)->state().focused);
    // A screen reader presses a bar as a click does: a drill of its chapter.
    QStringList drills;
    QObject::connect(&window, &MainWindow::practiceRequested,
                     [&](QuestionType, const practice::RoundChoice& choice) { drills << choice.chapter; });
    bars->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(drills, QStringList{u"财产清查"_s});
}

TEST_F(StudyPageAccessibilityTest, TheScoreTrendReadsAsItsScoresOldestFirst) {
    openPage();
    QAccessibleInterface* trend = reader(u"成绩走势"_s);
    EXPECT_EQ(trend->text(QAccessible::Name), u"成绩走势"_s);
    EXPECT_EQ(trend->childCount(), 0);
    EXPECT_EQ(trend->text(QAccessible::Value), u"还没有考试记录"_s);

    handIn(3, 52, QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    handIn(7, 76, QDateTime(QDate(2026, 3, 9), QTime(9, 0)));
    QTest::mouseClick(window.findChild<QWidget*>(u"全真考场"_s), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QWidget*>(u"学习记录"_s), Qt::LeftButton);
    EXPECT_EQ(childNames(trend), (QStringList{u"2026-03-02 第3套 52 分"_s, u"2026-03-09 第7套 76 分"_s}));
    EXPECT_EQ(trend->child(1)->text(QAccessible::Value), u"76 分"_s);
}

// The study loop from the main window: a round chosen beside the type, a chapter's row drilling
// its weakest type, 今日复习 walking the day's plan a type at a time, the book's next due dates.

#include "app/BookSchedule.h"
#include "app/MainWindow.h"
#include "app/RoundChoiceControls.h"
#include "app/StudyPage.h"
#include "app/TodayReview.h"
#include "app/WorkWindows.h"
#include "authoring/BankCompiler.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using app::MainWindow;
using app::RoundChoiceControls;
using app::StudyPage;
using bank::QuestionRecord;
using bank::QuestionType;
using practice::PracticeWindow;

namespace {

QuestionRecord question(int id, const QString& text, const QString& chapter, const QString& standard) {
    QuestionRecord q;
    q.id = id;
    q.tm = text;
    q.options = {u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s};
    q.da = standard;
    q.ch = chapter;
    q.fen = u"0"_s;
    return q;
}

class StudyLoopTest : public ::testing::Test {
protected:
    StudyLoopTest() : window(dir.path()) {
        const common::Outcome<> written =
            authoring::writeBank({{u"danxuan"_s,
                                   {question(1, u"单选一"_s, u"会计凭证"_s, u"A"_s),
                                    question(2, u"单选二"_s, u"会计账簿"_s, u"A"_s),
                                    question(3, u"单选三"_s, u"会计凭证"_s, u"A"_s)}},
                                  {u"duoxuan"_s,
                                   {question(1, u"多选一"_s, u"会计凭证"_s, u"AB"_s),
                                    question(2, u"多选二"_s, u"会计凭证"_s, u"AB"_s)}},
                                  {u"panduan"_s, {}},
                                  {u"fenxi"_s, {}}},
                                 bankPath());
        EXPECT_TRUE(written) << written.reason().toStdString();
        window.setStudyRecordPath(studyPath());
        app::connectWorkWindows(window, bankPath(), {});
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~StudyLoopTest() override {
        for (PracticeWindow* w : window.findChildren<PracticeWindow*>())
            delete w;
    }
    QString bankPath() const { return dir.filePath(u"qvtb.mdb"_s); }
    QString studyPath() const { return dir.filePath(u"study.sqlite"_s); }
    void give(QuestionType type, const QString& text, const QString& chapter, bool right, int daysAgo) {
        study::StudyRecord(studyPath())
            .recordAnswer({bank::practiceTable(type), text, chapter, type, right, right ? 1 : 0,
                           QDateTime::currentDateTime().addDays(-daysAgo)});
    }
    PracticeWindow* practice() const {
        PracticeWindow* open = nullptr;
        for (PracticeWindow* w : window.findChildren<PracticeWindow*>())
            if (w->isVisible()) open = w;
        return open;
    }
    static QString shown(const PracticeWindow& w) {
        return w.controls().get<QPlainTextEdit>(practice::names::kQuestionText)->toPlainText();
    }
    static QString position(const PracticeWindow& w) {
        return w.controls().get<QLabel>(practice::names::kPositionLabel)->text();
    }
    void openStudyPage() { QTest::mouseClick(window.findChild<QWidget*>(u"学习记录"_s), Qt::LeftButton); }

    QTemporaryDir dir;
    MainWindow window;
    ui::ScopedMessageAnswers boxes{ui::Answer::No};
};

TEST_F(StudyLoopTest, TheRoundIsChosenBesideTheTypeAndOpensAsChosen) {
    give(QuestionType::SingleChoice, u"单选一"_s, u"会计凭证"_s, true, 0);
    window.showPage(app::pages::Practice);
    auto* chapter = window.findChild<QComboBox*>(RoundChoiceControls::kChapterBox);
    ASSERT_NE(chapter, nullptr);
    EXPECT_EQ(chapter->itemText(0), RoundChoiceControls::kAllChapters);
    // By keyboard: from the last type, Tab reaches the chapter, then the two choices.
    auto* lastType = window.findChild<QRadioButton*>(app::practiceChoices().back());
    lastType->setFocus();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), chapter);
    chapter->setCurrentText(u"会计凭证"_s);
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    QTest::keyClick(window.windowHandle(), Qt::Key_Space); // 只做未答
    EXPECT_TRUE(window.findChild<QCheckBox*>(RoundChoiceControls::kOnlyUnanswered)->isChecked());

    window.findChild<QRadioButton*>(app::practiceChoices().front())->setChecked(true);
    window.enterPractice();
    PracticeWindow* w = practice();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(shown(*w), u"单选三"_s);
    EXPECT_EQ(position(*w), u"第 1 / 1 题 · 会计凭证"_s);
}

TEST_F(StudyLoopTest, AChaptersRowDrillsTheTypeGotRightLeastOftenThere) {
    give(QuestionType::SingleChoice, u"单选一"_s, u"会计凭证"_s, true, 2);
    give(QuestionType::MultipleChoice, u"多选一"_s, u"会计凭证"_s, false, 2);
    give(QuestionType::SingleChoice, u"单选二"_s, u"会计账簿"_s, false, 2);
    openStudyPage();
    QSignalSpy requested(&window, &MainWindow::practiceRequested);
    auto* bars = window.findChild<QWidget*>(u"章节正确率"_s);
    ASSERT_NE(bars, nullptr);
    // Chapters in syllabus order: 会计凭证 first, 会计账簿 second.
    bars->setFocus();
    QTest::keyClick(bars, Qt::Key_Down);
    QTest::keyClick(bars, Qt::Key_Return);
    ASSERT_EQ(requested.size(), 1);
    EXPECT_EQ(requested[0][0].value<QuestionType>(), QuestionType::SingleChoice);
    EXPECT_EQ(requested[0][1].value<practice::RoundChoice>().chapter, u"会计账簿"_s);
    QTest::mouseClick(bars, Qt::LeftButton, {}, QPoint(60, 12));
    ASSERT_EQ(requested.size(), 2);
    EXPECT_EQ(requested[1][0].value<QuestionType>(), QuestionType::MultipleChoice);
    PracticeWindow* w = practice();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->type(), QuestionType::MultipleChoice);
    EXPECT_EQ(position(*w), u"第 1 / 2 题 · 会计凭证"_s);
}

TEST_F(StudyLoopTest, TodaysReviewWalksTheDaysPlanATypeAtATimeWorthiestFirst) {
    // On a paper a multiple-choice question of this bank is worth 40/2 points, a single 20/3: the
    // new multiple choice first, then the new singles, then the single got wrong, a review worth less.
    give(QuestionType::SingleChoice, u"单选二"_s, {}, false, 3);
    give(QuestionType::MultipleChoice, u"多选二"_s, {}, true, 0); // not due
    openStudyPage();
    QTest::mouseClick(window.findChild<QPushButton*>(StudyPage::kTodayReview), Qt::LeftButton);
    PracticeWindow* first = practice();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->type(), QuestionType::MultipleChoice);
    EXPECT_EQ(shown(*first), u"多选一"_s);
    EXPECT_EQ(position(*first), u"第 1 / 1 题"_s);
    QTest::mouseClick(first->controls().widget(practice::names::kNext), Qt::LeftButton);
    QApplication::processEvents();
    PracticeWindow* second = practice();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    EXPECT_EQ(second->type(), QuestionType::SingleChoice);
    QStringList walked;
    for (int i = 0; i < 3; ++i) {
        walked.append(shown(*second));
        QTest::mouseClick(second->controls().widget(practice::names::kNext), Qt::LeftButton);
    }
    EXPECT_EQ(walked, QStringList({u"单选一"_s, u"单选三"_s, u"单选二"_s}));
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u' ').toStdString();
}

TEST_F(StudyLoopTest, TodaysReviewPlansWhatIsLeftOfTheDailyTarget) {
    ASSERT_TRUE(study::StudyRecord(studyPath()).setDailyTarget(1));
    give(QuestionType::SingleChoice, u"单选一"_s, {}, false, 0);
    openStudyPage();
    QTest::mouseClick(window.findChild<QPushButton*>(StudyPage::kTodayReview), Qt::LeftButton);
    EXPECT_EQ(practice(), nullptr);
    EXPECT_EQ(boxes.texts(), QStringList{app::TodayReview::kTargetMet});
}

TEST_F(StudyLoopTest, TheScheduleSaysWhenEachQuestionInTheBookIsNextDue) {
    const QDate today(2026, 12, 10);
    EXPECT_EQ(app::dueText(today.addDays(-3), today), u"今天（已过 3 天）"_s);
    EXPECT_EQ(app::dueText(today, today), u"今天"_s);
    EXPECT_EQ(app::dueText(today.addDays(1), today), u"明天"_s);
    EXPECT_EQ(app::dueText(today.addDays(5), today), u"12月15日（5 天后）"_s);

    EXPECT_EQ(app::bookScheduleDialog(&window, bankPath(), studyPath()), nullptr); // empty: told
    EXPECT_EQ(boxes.texts().size(), 1);
    give(QuestionType::MultipleChoice, u"多选二"_s, {}, false, 4);
    give(QuestionType::SingleChoice, u"单选一"_s, {}, false, 0);
    const std::unique_ptr<QDialog> dialog = app::bookScheduleDialog(&window, bankPath(), studyPath());
    ASSERT_NE(dialog, nullptr);
    auto* table = dialog->findChild<QTableWidget*>(app::kBookScheduleTable);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 0)->text(), u"多选题"_s);
    EXPECT_EQ(table->item(0, 1)->text(), u"多选二"_s);
    EXPECT_TRUE(table->item(0, 2)->text().startsWith(u"今天（已过"_s))
        << table->item(0, 2)->text().toStdString();
    EXPECT_EQ(table->item(1, 1)->text(), u"单选一"_s);
    EXPECT_EQ(table->item(1, 2)->text(), u"明天"_s);
}

} // namespace

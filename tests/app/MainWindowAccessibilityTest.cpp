// The main window as a screen reader and a keyboard reach it: its status bar, pages and pictures
// are named, and a navigation button works from the keyboard; every page and the windows it opens
// over itself name every control, and Tab reaches every control.

#include "AccessibilityWalk.h"
#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"
#include "app/StudyPage.h"
#include "app/UserBank.h"
#include "app/WorkWindows.h"
#include "study/StudyRecord.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MainWindowAccessibility, StatusPagesAndPicturesAreNamedAndPagesChangeByKeys) {
    QTemporaryDir documents;
    app::MainWindow window(documents.path());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto reader = [&](const QString& name) {
        return QAccessible::queryAccessibleInterface(window.controls().widget(name));
    };
    EXPECT_EQ(reader(app::names::kStatusBar)->role(), QAccessible::StatusBar);
    // Both panels: today's progress, read after the first paint, and the version.
    const auto statusText = [&] { return reader(app::names::kStatusBar)->text(QAccessible::Name); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return statusText().startsWith(u"今日已答 "_s); }));
    const QString status = statusText();
    EXPECT_TRUE(status.startsWith(u"今日已答 "_s) && status.endsWith(app::MainWindow::kVersionText))
        << status.toStdString();
    EXPECT_EQ(reader(u"图片框1"_s)->role(), QAccessible::Graphic);
    EXPECT_EQ(reader(u"图片框1"_s)->text(QAccessible::Name), u"会计专业技术资格考试 《Velmora》 2027 版"_s);

    QWidget* examButton = window.controls().widget(u"全真考场"_s);
    for (int i = 0; i < 20 && QApplication::focusWidget() != examButton; ++i)
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), examButton);
    QTest::keyClick(window.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(window.currentPage(), app::pages::Papers);
    EXPECT_EQ(reader(app::names::kPages)->text(QAccessible::Name), u"全真考场"_s);
    EXPECT_EQ(reader(u"图片框2"_s)->text(QAccessible::Name),
              u"全真模拟试卷：试卷名称，总分，总题数，进入测试"_s);
}

namespace {

// The main window over a copy of the built bank, with a study record holding answers in a chapter,
// a question in the wrong-answer book and a handed-in exam, so that every page has figures to show.
class MainWindowWalk : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_BUILT_BANK), bank()));
        QFile::setPermissions(bank(), QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_BUILT_BANK) + app::UserBank::kVersionSuffix,
                                bank() + app::UserBank::kVersionSuffix));
        study::StudyRecord record(studyPath());
        record.recordAnswer({u"danxuan"_s, u"题一"_s, u"会计凭证"_s, bank::QuestionType::SingleChoice, false,
                             0, QDateTime::currentDateTime().addDays(-3)});
        study::ExamAttempt attempt;
        attempt.paper = 3;
        attempt.started = QDateTime::currentDateTime().addDays(-1);
        attempt.ended = attempt.started.addSecs(600);
        attempt.total = 70;
        record.recordExam(attempt);
        m_window.setStudyRecordPath(studyPath());
        app::connectWorkWindows(m_window, bank(), {});
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }
    QString bank() const { return m_dir.filePath(u"qvtb.mdb"_s); }
    QString studyPath() const { return m_dir.filePath(u"study.sqlite"_s); }
    // The faults of the window that `open` brings up modal over the main window, which is closed
    // after. A window run by exec is walked from inside its loop, one shown later when it shows.
    std::string modalFaults(const std::function<void()>& open) {
        m_window.activateWindow();
        if (!QTest::qWaitForWindowActive(&m_window)) return "the main window is not active";
        QStringList faults{u"nothing opened"_s};
        bool walked = false;
        const auto walk = [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (walked || !modal) return walked;
            walked = true;
            faults = QTest::qWaitForWindowActive(modal) ? walkFaults(modal) : QStringList{u"not active"_s};
            modal->close();
            return true;
        };
        QTimer::singleShot(0, walk);
        open();
        (void)QTest::qWaitFor(walk);
        return faults.join(u"; "_s).toStdString();
    }

    QTemporaryDir m_dir;
    app::MainWindow m_window{m_dir.path()};
};

} // namespace

TEST_F(MainWindowWalk, EveryPageAndTheWindowsItOpensNameTheirControlsAndTabReachesThemAll) {
    QWindow* keys = m_window.windowHandle();
    for (int page = 0; page < app::pages::Count; ++page) {
        m_window.showPage(static_cast<app::pages::Page>(page));
        EXPECT_EQ(walkFaults(&m_window).join(u"; "_s).toStdString(), "") << "page " << page;
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(m_window.controls().widget(app::names::kPaperList))
                  ->text(QAccessible::Name),
              u"全真模拟试卷"_s);
    EXPECT_EQ(modalFaults([&] { QTest::keyClick(keys, Qt::Key_K, Qt::ControlModifier); }), "") << "搜索题目";
    EXPECT_EQ(modalFaults([&] { QTest::keyClick(keys, Qt::Key_F1); }), "") << "快捷键";
    const auto press = [&](const QString& button) {
        return
            [this, button] { QTest::mouseClick(m_window.findChild<QPushButton*>(button), Qt::LeftButton); };
    };
    EXPECT_EQ(modalFaults(press(app::StudyPage::kMarksButton)), "") << "收藏与笔记";
    EXPECT_EQ(modalFaults(press(app::StudyPage::kBookSchedule)), "") << "复习安排";
}

// The windows on a netbook: its 1024 × 600 screen less a panel leaves 570 pixels of height, less
// than the windows' design. Each opens whole on the screen, frame included, and stays usable: the
// main window's pages scroll between its bars, and the working windows keep their layout.

#include "ui/ScreenFit.h"
#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"
#include "exam/BankPaperStore.h"
#include "exam/ExamNoticeWindow.h"
#include "exam/ExamWindow.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "question/AnswerNames.h"
#include "question/AnswerWindow.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const std::optional<QList<int>> kWholeTable;

QScreen* netbook() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return screens.isEmpty() ? nullptr : screens.front();
}

// The whole window, its frame included, lies on the screen.
::testing::AssertionResult fitsOn(const QScreen* screen, const QWidget& window) {
    if (screen->availableGeometry().contains(window.frameGeometry())) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "frame " << window.frameGeometry().height() << " high at " << window.frameGeometry().y();
}

// A copy of the built bank, as a candidate's own.
struct BankCopy {
    QTemporaryDir folder;
    QString path = folder.filePath(u"qvtb.mdb"_s);
    bool made = QFile::copy(QStringLiteral(VELMORA_BUILT_BANK), path) &&
                QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
};

} // namespace

// 600 less a panel of 30, at 100 %; a large screen at 200 % gives a laptop's logical height.
TEST(ScreenFit, TheClientGivesWayToTheScreensHeightAndGainsRoomForAScrollBar) {
    const QSize design(944, 627);
    EXPECT_EQ(ui::fittedClientSize(design, {0, 0, 1024, 570}, ui::kFrameEstimate, 14), QSize(958, 570 - 36));
    EXPECT_EQ(ui::fittedClientSize(design, {0, 0, 1366, 738}, ui::kFrameEstimate, 14), design);
    EXPECT_EQ(ui::fittedClientSize(design, {0, 0, 960, 525}, ui::kFrameEstimate, 14), QSize(952, 525 - 36))
        << "the scroll bar's room only as far as the screen is wide";
    EXPECT_EQ(ui::fittedClientSize(design, {0, 0, 800, 525}, ui::kFrameEstimate, 14).width(), 944)
        << "never narrower than the design";
}

TEST(MainWindowSmallScreen, OnANetbookTheWindowFitsAndThePagesScrollBetweenTheBars) {
    ASSERT_NE(netbook(), nullptr);
    ASSERT_EQ(netbook()->availableGeometry().height(), 570);
    QTemporaryDir documents;
    app::MainWindow window(documents.path());
    ui::showDeclared(&window, app::mainWindowDeclaration());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(fitsOn(netbook(), window));
    QWidget* status = window.controls().widget(app::names::kStatusBar);
    EXPECT_EQ(status->geometry().bottom(), window.height() - 1) << "the status bar at the window's foot";

    // 进入考试 lies below what the page area shows: Tab from the paper list scrolls it into sight,
    // clear of the status bar.
    window.showPage(app::pages::Papers);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&window] { return window.isActiveWindow(); }));
    window.findChild<QTreeWidget*>(app::names::kPaperList)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    QWidget* enter = window.controls().widget(app::names::kEnterExam);
    ASSERT_EQ(QApplication::focusWidget(), enter);
    const auto* area = window.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    const QRect shown(area->viewport()->mapTo(&window, QPoint()), area->viewport()->size());
    const QRect button(enter->mapTo(&window, QPoint()), enter->size());
    EXPECT_TRUE(shown.contains(button));
    EXPECT_LT(button.bottom(), status->y());
}

TEST(WorkingWindowsSmallScreen, OnANetbookThePracticeExamAndNoticeWindowsOpenWhole) {
    BankCopy bank;
    ASSERT_TRUE(bank.made);
    QTemporaryDir studyFolder;
    practice::PracticeWindow practice(bank::QuestionType::SingleChoice, bank.path,
                                      studyFolder.filePath(u"study.sqlite"_s), kWholeTable);
    ui::showDeclared(&practice, practice::practiceWindowDeclaration());
    exam::ExamWindow exam(exam::bankPaperStore(bank.path, 1));
    exam.setStudyRecordPath(studyFolder.filePath(u"study.sqlite"_s));
    exam.showDeclared();
    exam::ExamNoticeWindow notice(1);
    notice.showDeclared();
    for (QWidget* window : std::initializer_list<QWidget*>{&practice, &exam, &notice}) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        QTest::qWait(50); // the maximized size arrives after the window is shown
        EXPECT_TRUE(fitsOn(netbook(), *window)) << window->windowTitle().toStdString();
        // A window manager keeps a window no smaller than its least size, whatever the screen.
        EXPECT_GE(window->height(), window->minimumHeight()) << window->windowTitle().toStdString();
    }
    // The options stay above the practice window's bar.
    QWidget* lastOption = practice.controls().widget(u"单选框4"_s);
    EXPECT_LE(QRect(lastOption->mapTo(&practice, QPoint()), lastOption->size()).bottom(),
              practice.controls().widget(practice::names::kBar)->y());
}

// The calculation's 答案解析 window is taller than the netbook leaves: it fits, and its explanation
// at the foot scrolls into sight.
TEST(WorkingWindowsSmallScreen, OnANetbookTheCalculationsAnswerWindowFitsAndScrolls) {
    BankCopy bank;
    ASSERT_TRUE(bank.made);
    QTemporaryDir studyFolder;
    practice::PracticeWindow practice(bank::QuestionType::Calculation, bank.path,
                                      studyFolder.filePath(u"study.sqlite"_s), kWholeTable);
    ui::showDeclared(&practice, practice::practiceWindowDeclaration());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&practice));
    QTest::mouseClick(practice.controls().widget(practice::names::kAnswerButton), Qt::LeftButton);
    auto* answer = practice.findChild<question::AnswerWindow*>();
    ASSERT_NE(answer, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(answer));
    EXPECT_TRUE(fitsOn(netbook(), *answer));
    auto* area = answer->findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    QWidget* explanation = answer->controls().widget(question::names::kExplanation);
    ASSERT_NE(explanation, nullptr);
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum()); // the bar dragged down
    const QRect shown(QPoint(), area->viewport()->size());
    EXPECT_TRUE(shown.contains(QRect(explanation->mapTo(area->viewport(), QPoint()), explanation->size())));
    answer->close();
}

// The way into an exam: the main window's 进入考试, the candidate notice and its hand-over.

#include "MemoryPaperStore.h"
#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"
#include "bank/QuestionType.h"
#include "exam/ExamLauncher.h"
#include "exam/ExamNames.h"
#include "exam/ExamNoticeDeclaration.h"
#include "exam/ExamNoticeWindow.h"
#include "exam/ExamWindow.h"
#include "ui/MessageBox.h"
#include "ui/PictureBox.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;

using bank::paperTable;
namespace n = exam::names;

namespace {

// Main window and launcher wired as the program wires them; every table opened is recorded.
struct StartFixture {
    app::MainWindow main{QString()};
    QStringList openedTables;
    ExamLauncher launcher{&main, [this](int paper) {
                              openedTables << paperTable(paper);
                              return std::make_unique<MemoryPaperStore>(paperTable(paper),
                                                                        samplePaper(paper));
                          }};
    StartFixture() {
        QObject::connect(&main, &app::MainWindow::examRequested, &launcher, &ExamLauncher::enterExam);
        main.show();
        main.showPage(app::pages::Papers);
    }
    QTreeWidget* list() const { return main.controls().get<QTreeWidget>(app::names::kPaperList); }
    void select(int row) const { list()->setCurrentItem(list()->topLevelItem(row)); }
    void pressEnterExam() const {
        QTest::mouseClick(main.controls().widget(app::names::kEnterExam), Qt::LeftButton);
    }
};

} // namespace

TEST(ExamStart, WithoutAPaperOnlyTheMessageShows) {
    StartFixture f;
    ui::ScopedMessageAnswers boxes;
    f.pressEnterExam();
    EXPECT_EQ(boxes.texts(), QStringList{u"你还未选择套题,请先选择 !!"_s});
    EXPECT_EQ(f.launcher.notice(), nullptr);
    EXPECT_EQ(f.launcher.currentExamSet(), 0);
}

TEST(ExamStart, TheTwentiethRowOpensPaperTwentyThroughTheNotice) {
    StartFixture f;
    f.select(19);
    f.pressEnterExam();
    EXPECT_EQ(f.launcher.currentExamSet(), 20);
    ExamNoticeWindow* notice = f.launcher.notice();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->windowTitle(), u"考试须知"_s);
    EXPECT_EQ(notice->windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(f.openedTables.isEmpty()) << "the notice touches no table";
    QTest::mouseClick(notice->controls().widget(n::kEnter), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.launcher.notice(), nullptr) << "the notice closes";
    EXPECT_EQ(f.openedTables, QStringList{u"tm20"_s});
    ExamWindow* window = f.launcher.examWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->store().table(), u"tm20"_s);
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(window->currentQuestion(), 1);
    ui::ScopedMessageAnswers closeAnyway(ui::Answer::Yes);
    window->close();
}

TEST(ExamStart, EscOnTheNoticeReturnsWithTheSelectionAndNoTableChanged) {
    StartFixture f;
    f.select(4);
    f.pressEnterExam();
    ExamNoticeWindow* notice = f.launcher.notice();
    ASSERT_NE(notice, nullptr);
    notice->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(notice));
    QTest::keyClick(notice, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.launcher.notice(), nullptr);
    EXPECT_EQ(f.launcher.examWindow(), nullptr);
    EXPECT_TRUE(f.openedTables.isEmpty());
    EXPECT_EQ(f.main.selectedPaper(), 5);
    EXPECT_EQ(f.launcher.currentExamSet(), 5);
}

TEST(ExamNotice, DeclaredAsTheCandidateNoticeAndKeptCentredAtEverySize) {
    ExamNoticeWindow notice(3);
    EXPECT_FALSE(examNoticeWindowDeclaration().taskbar);
    EXPECT_TRUE(examNoticeWindowDeclaration().maximized);
    auto* picture = notice.controls().get<ui::PictureBox>(n::kNoticePicture);
    EXPECT_EQ(picture->picture().size(), QSize(930, 572));
    EXPECT_EQ(notice.controls().get<QPushButton>(n::kEnter)->text(), u"进入考试"_s);
    notice.show();
    for (const QSize size : {QSize(1018, 708), QSize(1920, 1050)}) {
        notice.resize(size);
        QCoreApplication::processEvents();
        const QRect button = notice.controls().widget(n::kEnter)->geometry();
        EXPECT_EQ(picture->geometry().center().x(), button.center().x());
        EXPECT_GT(button.top(), picture->geometry().bottom());
        EXPECT_TRUE(notice.rect().contains(button));
        EXPECT_GE(notice.controls().widget(n::kNoticeBand)->width(), size.width())
            << "the band spans the top";
    }
}

#include "app/MainWindow.h"
#include "DeclarationCheck.h"
#include "app/MainWindowDeclaration.h"
#include "ui/HtmlViewer.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/StatusBar.h"
#include "ui/TabControl.h"

#include <QApplication>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using app::MainWindow;
using bank::allQuestionTypes;
using bank::QuestionType;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : window(documents.path()) {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <class T = QWidget> T* control(const QString& name) {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void click(const QString& name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    // Opens the page of `tab` and presses `enter` with nothing chosen there: only `told` is said.
    void enterUnchosen(const QString& tab, const QString& enter, const QString& told) {
        click(tab);
        ui::ScopedMessageAnswers answers;
        click(enter);
        EXPECT_EQ(answers.texts(), QStringList{told});
    }
    // Radio buttons react only on their mark and caption: click inside the size hint.
    void choose(const QString& name) {
        auto* radio = control<QRadioButton>(name);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    }
    QTreeWidget* paperList() { return control<QTreeWidget>(app::names::kPaperList); }
    QPoint rowCentre(int row) { return paperList()->visualItemRect(paperList()->topLevelItem(row)).center(); }

    QTemporaryDir documents; // empty: no documents beside this window
    MainWindow window;
};

} // namespace

TEST_F(MainWindowTest, ControlsAreAsDeclared) {
    for (int page = app::pages::Papers; page >= app::pages::Home; --page) // built when first shown
        window.showPage(static_cast<app::pages::Page>(page));
    const QStringList faults = ui::compareWithDeclaration(&window, app::mainWindowControls());
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
    EXPECT_TRUE(window.controls().errors().isEmpty());
    EXPECT_EQ(window.controls().controls().size(), 28);
    EXPECT_EQ(window.windowTitle(), u"Velmora-Ostrevin"_s);
    EXPECT_EQ(window.size(), QSize(944, 627));
    // Each navigation button shows its icon above its caption, on the bar's blue.
    auto* syllabus = control<ui::PictureButton>(u"考试大纲"_s);
    EXPECT_EQ(syllabus->text(), u"考试大纲"_s);
    EXPECT_EQ(control<ui::PictureButton>(u"章节练习"_s)->text(), u"专项练习"_s);
    EXPECT_EQ(syllabus->currentBackground(), QColor(159, 203, 240));
    EXPECT_EQ(syllabus->font().pixelSize(), 13);
}

TEST_F(MainWindowTest, StartsOnTheHomePageWithNothingChosen) {
    EXPECT_EQ(window.currentPage(), app::pages::Home);
    EXPECT_TRUE(control(u"图片框1"_s)->isVisible());
    EXPECT_FALSE(window.chosenType().has_value());
    EXPECT_EQ(window.selectedPaper(), 0);
    window.showPage(app::pages::Practice);
    for (const QString& name : app::practiceChoices())
        EXPECT_FALSE(control<QRadioButton>(name)->isChecked());
    EXPECT_FALSE(window.chosenType().has_value());
    window.showPage(app::pages::Papers);
    EXPECT_TRUE(paperList()->selectedItems().isEmpty());
    EXPECT_EQ(window.selectedPaper(), 0);
    EXPECT_EQ(control<ui::StatusBar>(app::names::kStatusBar)->panelText(1), u"软件版本：V2.0.0.0"_s);
}

TEST_F(MainWindowTest, NavigationButtonsShowTheirPages) {
    const std::pair<QString, app::pages::Page> buttons[] = {{u"全真考场"_s, app::pages::Papers},
                                                            {u"章节练习"_s, app::pages::Practice},
                                                            {u"备考宝典"_s, app::pages::Handbook},
                                                            {u"考试大纲"_s, app::pages::Syllabus}};
    auto* pages = control<ui::TabControl>(app::names::kPages);
    for (const auto& [button, page] : buttons) {
        click(button);
        EXPECT_EQ(window.currentPage(), page);
        for (int other = app::pages::Home; other < app::pages::StudyRecord; ++other)
            EXPECT_EQ(pages->page(other)->isVisible(), other == page);
        EXPECT_FALSE(pages->tabBar()->isVisible());
    }
}

TEST_F(MainWindowTest, PracticeNeedsAChosenType) {
    QSignalSpy requested(&window, &MainWindow::practiceRequested);
    enterUnchosen(u"章节练习"_s, app::names::kEnterPractice, u"还未选择任何题型"_s);
    EXPECT_EQ(requested.count(), 0);
    EXPECT_EQ(window.currentPage(), app::pages::Practice);

    choose(u"单选框3"_s); // 判断题练习
    ui::ScopedMessageAnswers answers;
    click(app::names::kEnterPractice);
    EXPECT_TRUE(answers.texts().isEmpty());
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.first().first().value<QuestionType>(), QuestionType::TrueFalse);
}

TEST_F(MainWindowTest, EachRadioButtonGivesItsType) {
    QSignalSpy requested(&window, &MainWindow::practiceRequested);
    click(u"章节练习"_s);
    for (int i = 0; i < 4; ++i) {
        choose(app::practiceChoices()[i]);
        click(app::names::kEnterPractice);
    }
    ASSERT_EQ(requested.count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(requested.at(i).first().value<QuestionType>(), allQuestionTypes[static_cast<size_t>(i)]);
}

TEST_F(MainWindowTest, ChoiceAndSelectionOutliveAPageChange) {
    click(u"章节练习"_s);
    choose(u"单选框2"_s);
    click(u"全真考场"_s);
    QTest::mouseClick(paperList()->viewport(), Qt::LeftButton, {}, rowCentre(6));
    click(u"章节练习"_s);
    EXPECT_TRUE(control<QRadioButton>(u"单选框2"_s)->isChecked());
    EXPECT_EQ(window.chosenType(), QuestionType::MultipleChoice);
    click(u"考试大纲"_s);
    click(u"全真考场"_s);
    EXPECT_EQ(window.selectedPaper(), 7);
}

TEST_F(MainWindowTest, LaterPagesAreBuiltOnceWhenFirstShown) {
    auto* pages = control<ui::TabControl>(app::names::kPages);
    for (int page = app::pages::Syllabus; page < app::pages::Count; ++page)
        EXPECT_TRUE(pages->page(page)->children().isEmpty()) << page;
    EXPECT_EQ(window.findChild<QTreeWidget*>(app::names::kPaperList), nullptr);
    window.showPage(app::pages::Papers);
    QTreeWidget* list = paperList();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->parentWidget(), pages->page(app::pages::Papers));
    EXPECT_EQ(window.controls().get<QTreeWidget>(app::names::kPaperList), list);
    window.showPage(app::pages::Home);
    window.showPage(app::pages::Papers);
    EXPECT_EQ(window.findChildren<QTreeWidget*>(app::names::kPaperList).size(), 1);
    EXPECT_TRUE(window.controls().errors().isEmpty());
}

TEST_F(MainWindowTest, PaperListHasTwentyPapers) {
    window.showPage(app::pages::Papers);
    QTreeWidget* list = paperList();
    ASSERT_EQ(list->topLevelItemCount(), 20);
    EXPECT_EQ(list->topLevelItem(0)->text(0), u"《Velmora》全真考试卷第一套"_s);
    EXPECT_EQ(list->topLevelItem(9)->text(0), u"《Velmora》全真考试卷第十套"_s);
    EXPECT_EQ(list->topLevelItem(10)->text(0), u"《Velmora》全真考试卷第十一套"_s);
    EXPECT_EQ(list->topLevelItem(19)->text(0), u"《Velmora》全真考试卷第二十套"_s);
    for (int row = 0; row < 20; ++row) {
        EXPECT_EQ(list->topLevelItem(row)->text(1), u"100"_s);
        EXPECT_EQ(list->topLevelItem(row)->text(2), u"62"_s);
    }
    EXPECT_TRUE(list->isHeaderHidden());
    EXPECT_EQ(list->columnWidth(0), 360);
    EXPECT_EQ(list->columnWidth(1), 70);
    EXPECT_EQ(list->columnWidth(2), 65);
    click(u"全真考场"_s);
    EXPECT_EQ(list->visualItemRect(list->topLevelItem(0)).height(), 25);
}

TEST_F(MainWindowTest, OnlyEnterExamStartsAnExam) {
    QSignalSpy requested(&window, &MainWindow::examRequested);
    enterUnchosen(u"全真考场"_s, app::names::kEnterExam, u"你还未选择套题,请先选择 !!"_s);
    ui::ScopedMessageAnswers answers;
    QTest::mouseDClick(paperList()->viewport(), Qt::LeftButton, {}, rowCentre(2));
    QTest::keyClick(paperList(), Qt::Key_Return);
    EXPECT_EQ(requested.count(), 0);
    EXPECT_EQ(window.selectedPaper(), 3);
    click(app::names::kEnterExam);
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.first().first().toInt(), 3);
    EXPECT_TRUE(answers.texts().isEmpty());
}

// Larger than its design (maximized on a large screen), the window stretches no picture: the pages
// keep their size, centred, and only the bars widen, the status bar at the foot.
TEST_F(MainWindowTest, LargerThanItsDesignThePagesKeepTheirSizeAndOnlyTheBarsWiden) {
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    window.resize(1600, 900);
    QCoreApplication::processEvents();
    ASSERT_EQ(window.size(), QSize(1600, 900));
    auto* pages = control(app::names::kPages);
    EXPECT_EQ(pages->size(), QSize(940, 521));
    EXPECT_EQ(control(u"图片框1"_s)->size(), QSize(940, 510));
    EXPECT_NEAR(pages->mapTo(&window, QPoint()).x() + pages->width() / 2, 800, 2) << "centred";
    EXPECT_EQ(control(u"导航图片框"_s)->width(), 1600);
    const QRect status = control(app::names::kStatusBar)->geometry();
    EXPECT_EQ(status.bottom(), 899);
    EXPECT_EQ(status.width(), 1600);
}

TEST_F(MainWindowTest, MissingDocumentsLeaveTheViewersEmpty) {
    click(u"考试大纲"_s);
    click(u"备考宝典"_s);
    EXPECT_EQ(control<ui::HtmlViewer>(app::names::kSyllabusViewer)->browser(), nullptr);
    EXPECT_EQ(control<ui::HtmlViewer>(app::names::kHandbookViewer)->browser(), nullptr);
    EXPECT_FALSE(window.grab().isNull());
    EXPECT_EQ(control<ui::HtmlViewer>(app::names::kHandbookViewer)->textSize(), 2);
}

TEST_F(MainWindowTest, EscapeEndsTheProgram) {
    // Esc closes the window, and with it the program's event loop ends.
    QTimer::singleShot(0, &window, [this] {
        window.activateWindow();
        if (QTest::qWaitForWindowActive(&window)) QTest::keyClick(&window, Qt::Key_Escape);
    });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(99); }); // the loop did not end
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window.isVisible());
}

TEST(ChineseNumeral, WritesOneToNinetyNine) {
    EXPECT_EQ(app::chineseNumeral(1), u"一"_s);
    EXPECT_EQ(app::chineseNumeral(10), u"十"_s);
    EXPECT_EQ(app::chineseNumeral(11), u"十一"_s);
    EXPECT_EQ(app::chineseNumeral(20), u"二十"_s);
    EXPECT_EQ(app::chineseNumeral(35), u"三十五"_s);
}

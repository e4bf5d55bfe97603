// The main window's navigation bar walked by Tab: the button that has the focus shows it, so a
// keyboard user sees which page Enter opens.

#include "FocusShown.h"
#include "ScreenReader.h"
#include "app/MainWindow.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(NavigationFocus, TheFocusedNavigationButtonShowsAFocusFrame) {
    QTemporaryDir documents;
    app::MainWindow window(documents.path());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* practice = window.controls().widget(u"章节练习"_s);
    QWidget* exam = window.controls().widget(u"全真考场"_s);
    ASSERT_TRUE(tabTo(practice));
    const QImage practiceFocused = practice->grab().toImage();
    const QImage examPlain = exam->grab().toImage();
    ASSERT_TRUE(tabTo(exam));
    EXPECT_GT(clearlyChangedEdgeShare(examPlain, exam->grab().toImage()), 0.05);
    EXPECT_GT(clearlyChangedEdgeShare(practiceFocused, practice->grab().toImage()), 0.05)
        << "the frame leaves with the focus";
}

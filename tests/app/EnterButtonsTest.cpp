// 进入答题 and 进入考试 are alike for the keyboard: Tab reaches each from the choice before it,
// so practice and exam can both be started without the mouse.

#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"

#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(EnterButtons, TabReachesBothEnterButtonsFromTheChoicesBeforeThem) {
    QTemporaryDir documents;
    app::MainWindow window(documents.path());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&window] { return window.isActiveWindow(); }));

    QTest::mouseClick(window.findChild<QWidget*>(u"章节练习"_s), Qt::LeftButton);
    auto* lastType = window.findChild<QRadioButton*>(app::practiceChoices().last());
    lastType->setFocus(Qt::MouseFocusReason);
    // The round's choices beside the types come first: the chapter, 只做未答, 随机顺序.
    for (int choice = 0; choice < 4; ++choice)
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QWidget*>(app::names::kEnterPractice));

    QTest::mouseClick(window.findChild<QWidget*>(u"全真考场"_s), Qt::LeftButton);
    window.findChild<QTreeWidget*>(app::names::kPaperList)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.findChild<QWidget*>(app::names::kEnterExam));
}

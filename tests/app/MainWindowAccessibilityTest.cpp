// The main window as a screen reader and a keyboard reach it: its status bar, pages and pictures
// are named, and a navigation button works from the keyboard.

#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"

#include <QAccessible>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

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

// The browser engine, loaded as a plugin, draws through an OpenGL context shared with the
// program's. Made with the application, that context costs more than the whole start on a display;
// it is made as the browser loads, and without it the engine crashes on a display.
#include "ui/HtmlViewer.h"

#include <QFile>
#include <QOpenGLContext>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SharedOpenGLContext, IsMadeWhenTheBrowserLoadsNotWithTheApplication) {
    EXPECT_EQ(QOpenGLContext::globalShareContext(), nullptr);
    QTemporaryDir dir;
    QFile page(dir.filePath(u"a.html"_s));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly) && page.write("<p>x</p>") > 0);
    page.close();
    ui::HtmlViewer viewer;
    viewer.resize(300, 200);
    viewer.show();
    ASSERT_TRUE(viewer.navigate(page.fileName()).ok());
    ASSERT_NE(viewer.browser(), nullptr);
    EXPECT_NE(QOpenGLContext::globalShareContext(), nullptr);
}

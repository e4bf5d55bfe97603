// A document packed as the build packs the two reference documents, read in the viewer as a
// candidate reads it: its table of contents followed by a click, text found with Ctrl+F, the text
// size changed with Ctrl+= / Ctrl+- / Ctrl+0. Keys go through the viewer's platform window.

#include "packer/MhtPacker.h"
#include "ui/HtmlViewer.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A contents list at the top and its sections far below it, as in the reference documents.
QByteArray page() {
    QString html = u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>备考</title></head><body>"
                   u"<ul id=\"toc\"><li><a id=\"to-plan\" href=\"#plan\">复习计划</a></li></ul>"_s;
    for (int i = 0; i < 60; ++i)
        html += u"<p>会计要素第 %1 段。</p>"_s.arg(i);
    html += u"<h2 id=\"plan\">复习计划</h2><p>借贷记账法的记账规则：有借必有贷，借贷必相等。</p>"_s;
    for (int i = 0; i < 60; ++i)
        html += u"<p>结尾第 %1 段。</p>"_s.arg(i);
    html += u"</body></html>"_s;
    return html.toUtf8();
}

class HtmlViewerKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile source(dir.filePath(u"page.html"_s));
        ASSERT_TRUE(source.open(QIODevice::WriteOnly));
        source.write(page());
        source.close();
        const common::Outcome<QByteArray> packed = MhtPacker::pack(source.fileName());
        ASSERT_TRUE(packed.ok()) << packed.reason().toStdString();
        const QString archive = dir.filePath(u"page.mht"_s);
        ASSERT_TRUE(MhtPacker::writeArchive(archive, *packed).ok());

        viewer.resize(600, 400);
        viewer.show();
        viewer.activateWindow();
        QApplication::setActiveWindow(&viewer);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
        QSignalSpy finished(&viewer, &ui::HtmlViewer::loadFinished);
        ASSERT_TRUE(viewer.navigate(archive).ok());
        ASSERT_TRUE(finished.wait(30000));
        ASSERT_TRUE(finished.first().first().toBool());
        ASSERT_TRUE(QTest::qWaitFor([this] { return view()->focusProxy() != nullptr; }, 10000));
        // The candidate clicks into the document (on text, away from the contents link).
        QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(viewer.width() / 2, viewer.height() - 20));
        ASSERT_TRUE(QTest::qWaitFor([this] { return documentHasFocus(); }, 5000));
    }

    QWebEngineView* view() const { return qobject_cast<QWebEngineView*>(viewer.browser()); }
    QWindow* window() const { return viewer.windowHandle(); }
    bool documentHasFocus() const {
        QWidget* focus = QApplication::focusWidget();
        return focus && view()->isAncestorOf(focus);
    }
    QVariant script(const QString& code) const {
        QVariant result;
        bool answered = false;
        view()->page()->runJavaScript(code, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
            result = v;
            answered = true;
        });
        if (!QTest::qWaitFor([&] { return answered; }, 10000)) return {};
        return result;
    }
    // The find bar's text box and its "1/7" count.
    QLineEdit* findBox() const { return viewer.findChild<QLineEdit*>(u"findBox"_s); }
    QLabel* findCount() const { return viewer.findChild<QLabel*>(u"findCount"_s); }
    double scrollTop() const { return view()->page()->scrollPosition().y(); }
    void type(const QString& text) const {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, window(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    QTemporaryDir dir;
    ui::HtmlViewer viewer;
};

TEST_F(HtmlViewerKeysTest, AContentsLinkScrollsToItsSectionInTheArchive) {
    ASSERT_EQ(scrollTop(), 0.0);
    const QVariantList link =
        script(u"(() => { const r = document.getElementById('to-plan').getBoundingClientRect();"
               u" return [r.left + r.width / 2, r.top + r.height / 2]; })()"_s)
            .toList();
    ASSERT_EQ(link.size(), 2);
    const QPoint at(qRound(link[0].toDouble()), qRound(link[1].toDouble()));
    QWidget* surface = view()->focusProxy();
    QTest::mouseClick(surface->window()->windowHandle(), Qt::LeftButton, {},
                      surface->mapTo(surface->window(), at));
    EXPECT_TRUE(QTest::qWaitFor([this] { return scrollTop() > 500; }, 5000)) << "scrolled to " << scrollTop();
    const double sectionTop =
        script(u"document.getElementById('plan').getBoundingClientRect().top"_s).toDouble();
    EXPECT_LT(qAbs(sectionTop), 40.0) << "the section stands at the top";
    EXPECT_TRUE(script(u"document.body.innerText.includes('有借必有贷')"_s).toBool())
        << "still the same document, not an empty page";
}

TEST_F(HtmlViewerKeysTest, CtrlFFindsTextAndEscClosesOnlyTheFindBar) {
    QShortcut windowEscape(QKeySequence(Qt::Key_Escape), &viewer); // as every window of the program has
    QSignalSpy closing(&windowEscape, &QShortcut::activated);
    ASSERT_NE(findBox(), nullptr);
    ASSERT_NE(findCount(), nullptr);
    ASSERT_FALSE(findBox()->isVisible());
    QTest::keyClick(window(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(findBox()->isVisible());
    ASSERT_TRUE(findBox()->hasFocus());
    type(u"不在文中"_s);
    EXPECT_TRUE(QTest::qWaitFor([this] { return findCount()->text() == u"0/0"_s; }, 5000))
        << findCount()->text().toStdString();
    QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
    type(u"有借必有贷"_s);
    EXPECT_TRUE(QTest::qWaitFor([this] { return findCount()->text() == u"1/1"_s; }, 5000))
        << findCount()->text().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([this] { return scrollTop() > 500; }, 5000)) << "the match is shown";
    findCount()->clear();
    QTest::keyClick(window(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return findCount()->text() == u"1/1"_s; }, 5000))
        << "Enter finds again";

    QTest::keyClick(window(), Qt::Key_Escape);
    EXPECT_FALSE(findBox()->isVisible());
    EXPECT_EQ(closing.count(), 0) << "Esc in the find bar leaves the window open";
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([this] { return documentHasFocus(); }, 2000))
        << "the document has the keys again";
    EXPECT_TRUE(QTest::qWaitFor([this] { return view()->page()->selectedText() == u"有借必有贷"_s; }, 5000))
        << "the match found stays selected";
    QTest::keyClick(window(), Qt::Key_Escape);
    EXPECT_EQ(closing.count(), 1);
}

TEST_F(HtmlViewerKeysTest, CtrlPlusMinusAndZeroChangeTheTextSizeAsCtrlWheelDoes) {
    const double medium = view()->zoomFactor();
    ASSERT_DOUBLE_EQ(medium, 1.0);
    QWidget* surface = view()->focusProxy();
    const QPointF centre(surface->width() / 2.0, surface->height() / 2.0);
    QWheelEvent wheel(centre, surface->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(surface, &wheel);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view()->zoomFactor() > medium; }, 5000));
    const double wheelStep = view()->zoomFactor() - medium;
    view()->setZoomFactor(medium);

    QTest::keyClick(window(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_NEAR(view()->zoomFactor(), medium + wheelStep, 0.001);
    QTest::keyClick(window(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_NEAR(view()->zoomFactor(), medium + 2 * wheelStep, 0.001);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(window(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_NEAR(view()->zoomFactor(), medium - wheelStep, 0.001);
    QTest::keyClick(window(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view()->zoomFactor(), medium) << "back to the text size set";
    EXPECT_EQ(viewer.textSize(), 2);
}

} // namespace

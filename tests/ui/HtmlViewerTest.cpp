#include "ui/HtmlViewer.h"
#include "ui/ProgramFiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QColor kPictureColour(200, 30, 160);

QByteArray pngBytes() {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(kPictureColour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// An MHTML archive with a title, Chinese text, one picture by cid: and an outside picture and link.
QByteArray mhtml(const QString& outside) {
    const QString html = u"<html><head><meta charset=\"utf-8\"><title>试验文档</title></head><body>"
                         u"<h1>会计要素与会计等式</h1><p>资产＝负债＋所有者权益</p>"
                         u"<img src=\"cid:pic1@velmora\" width=\"60\" height=\"40\">"
                         u"<img src=\""_s +
                         outside + u"/outside.png\"><a href=\""_s + outside +
                         u"/page\">外部</a><script>alert('x');</script></body></html>"_s;
    QByteArray out;
    auto line = [&out](const QByteArray& text) { out += text + "\r\n"; };
    line("MIME-Version: 1.0");
    line("Content-Type: multipart/related; type=\"text/html\"; boundary=\"----b\"");
    line("");
    line("------b");
    line("Content-Type: text/html; charset=\"utf-8\"");
    line("Content-Transfer-Encoding: base64");
    line("Content-Location: http://velmora.local/doc.html");
    line("");
    const QByteArray body = html.toUtf8().toBase64();
    for (qsizetype i = 0; i < body.size(); i += 76)
        line(body.mid(i, 76));
    line("------b");
    line("Content-Type: image/png");
    line("Content-Transfer-Encoding: base64");
    line("Content-ID: <pic1@velmora>");
    line("");
    const QByteArray picture = pngBytes().toBase64();
    for (qsizetype i = 0; i < picture.size(); i += 76)
        line(picture.mid(i, 76));
    line("------b--");
    return out;
}

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
}

QWebEngineView* viewOf(const ui::HtmlViewer& viewer) {
    auto* view = qobject_cast<QWebEngineView*>(viewer.browser());
    EXPECT_NE(view, nullptr);
    return view;
}

bool loadAndWait(ui::HtmlViewer& viewer, const QString& path) {
    QSignalSpy finished(&viewer, &ui::HtmlViewer::loadFinished);
    if (!viewer.navigate(path).ok()) return false;
    if (!finished.wait(30000)) return false;
    QTest::qWait(800); // let the engine paint and issue any late subresource requests
    return finished.first().first().toBool();
}

QString plainText(QWebEnginePage* page) {
    QString text;
    bool done = false;
    page->toPlainText([&](const QString& result) {
        text = result;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000)) return u"(no answer from the page)"_s;
    return text;
}

bool showsColour(QWidget* widget, QColor colour) {
    const QImage shot = widget->grab().toImage();
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2) {
            const QColor c = shot.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) < 8 && qAbs(c.green() - colour.green()) < 8 &&
                qAbs(c.blue() - colour.blue()) < 8)
                return true;
        }
    return false;
}

// A local server that counts the connections made to it.
struct Outside {
    QTcpServer server;
    int connections = 0;
    Outside() {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            ++connections;
            delete server.nextPendingConnection();
        });
    }
    QString address() const { return u"http://127.0.0.1:%1"_s.arg(server.serverPort()); }
};

} // namespace

TEST(HtmlViewer, BrowserIsCreatedOnlyByNavigate) {
    ui::HtmlViewer viewer;
    viewer.resize(300, 200);
    viewer.show();
    EXPECT_EQ(viewer.browser(), nullptr);
    QTemporaryDir dir;
    EXPECT_FALSE(viewer.navigate(dir.filePath(u"absent.mht"_s)).ok());
    EXPECT_EQ(viewer.browser(), nullptr); // a missing document leaves the viewer empty
    EXPECT_FALSE(viewer.grab().isNull());
}

TEST(HtmlViewer, ShowsAnArchiveOfflineAndSilently) {
    Outside outside;
    ASSERT_TRUE(outside.server.isListening());
    QTemporaryDir dir;
    const QString path = write(dir, u"doc.mht"_s, mhtml(outside.address()));
    ui::HtmlViewer viewer;
    viewer.resize(500, 400);
    viewer.show();
    ASSERT_TRUE(loadAndWait(viewer, path));
    EXPECT_EQ(viewOf(viewer)->title(), u"试验文档"_s);
    EXPECT_TRUE(plainText(viewOf(viewer)->page()).contains(u"资产＝负债＋所有者权益"_s));
    EXPECT_TRUE(showsColour(&viewer, kPictureColour)); // the archived picture rendered
    EXPECT_EQ(outside.connections, 0);
}

TEST(HtmlViewer, RefusesEveryOutsideRequest) {
    // Even a page allowed to reach remote addresses gets nothing from outside: the profile refuses
    // each request before any name lookup or connection.
    Outside server;
    const QUrl named(u"http://outside.velmora.invalid/x.png"_s);
    const QUrl loopback(server.address() + u"/y.png"_s);
    QTemporaryDir dir;
    const QString html = u"<html><body><p>本地</p><img src=\""_s + named.toString() + u"\"><img src=\""_s +
                         loopback.toString() + u"\"></body></html>"_s;
    ui::HtmlViewer viewer;
    viewer.resize(300, 200);
    viewer.show();
    ASSERT_TRUE(loadAndWait(viewer, write(dir, u"blank.html"_s, "<p></p>")));
    viewOf(viewer)->page()->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls,
                                                     true);
    ASSERT_TRUE(loadAndWait(viewer, write(dir, u"page.html"_s, html.toUtf8())));
    const QList<QUrl> refused = ui::HtmlViewer::refusedRequests();
    EXPECT_TRUE(refused.contains(named));
    EXPECT_TRUE(refused.contains(loopback));
    EXPECT_EQ(server.connections, 0);
}

TEST(HtmlViewer, DamagedArchiveDoesNotCrash) {
    QTemporaryDir dir;
    const QString path =
        write(dir, u"broken.mht"_s, QByteArray("MIME-Version: 1.0\r\nContent-Type: multipart/"));
    ui::HtmlViewer viewer;
    viewer.resize(300, 200);
    viewer.show();
    QSignalSpy finished(&viewer, &ui::HtmlViewer::loadFinished);
    ASSERT_TRUE(viewer.navigate(path).ok());
    EXPECT_TRUE(finished.wait(30000));
    EXPECT_FALSE(viewer.grab().isNull());
}

TEST(HtmlViewer, TextSizeHasFiveSteps) {
    QTemporaryDir dir;
    ui::HtmlViewer viewer;
    viewer.resize(300, 200);
    EXPECT_EQ(viewer.textSize(), 2);
    ASSERT_TRUE(viewer.navigate(write(dir, u"a.html"_s, "<p>x</p>")).ok());
    const qreal medium = viewOf(viewer)->zoomFactor();
    viewer.setTextSize(4);
    const qreal largest = viewOf(viewer)->zoomFactor();
    viewer.setTextSize(0);
    const qreal smallest = viewOf(viewer)->zoomFactor();
    EXPECT_DOUBLE_EQ(medium, 1.0);
    EXPECT_GT(largest, medium);
    EXPECT_LT(smallest, medium);
    viewer.setTextSize(9);
    EXPECT_EQ(viewer.textSize(), 4);
    viewer.setTextSize(-3);
    EXPECT_EQ(viewer.textSize(), 0);
}

// The two documents packed by the build beside the test programs.
TEST(HtmlViewer, PackedDocumentsRender) {
    const QString names[] = {u"\\Velmora考试大纲.mht"_s, u"\\beikao.mht"_s};
    for (const QString& name : names) {
        const QString path = ui::programFile(name);
        if (!QFile::exists(path)) GTEST_SKIP() << "not built yet: " << path.toStdString();
        ui::HtmlViewer viewer;
        viewer.resize(934, 483);
        viewer.show();
        ASSERT_TRUE(loadAndWait(viewer, path)) << path.toStdString();
        EXPECT_FALSE(viewOf(viewer)->title().isEmpty());
        const QString text = plainText(viewOf(viewer)->page());
        EXPECT_GT(text.size(), 1000);
        EXPECT_TRUE(text.contains(u"会计"_s));
        // Pictures: the archived ones decoded, the outside one never fetched. Scripts of the document
        // itself are off, so the check runs in the application's own script world.
        QVariantList images;
        bool answered = false;
        viewOf(viewer)->page()->runJavaScript(
            u"Array.from(document.images).map(i => [i.src.startsWith('cid:'), i.naturalWidth])"_s,
            QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
                images = v.toList();
                answered = true;
            });
        ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, 10000));
        int archived = 0, outside = 0;
        for (const QVariant& image : images) {
            const QVariantList pair = image.toList();
            if (pair.value(0).toBool()) {
                EXPECT_GT(pair.value(1).toInt(), 0) << path.toStdString();
                ++archived;
            } else {
                EXPECT_EQ(pair.value(1).toInt(), 0) << path.toStdString();
                ++outside;
            }
        }
        EXPECT_GE(archived, 2) << path.toStdString();
        EXPECT_GE(outside, 1) << path.toStdString();
    }
}

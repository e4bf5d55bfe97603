// The embedded pictures against their table in assets/PICTURES.md: the windows code
// against that table, so a picture missing, unlisted, of the wrong size or format, or
// with a key colour that also paints part of the icon, is a fault.
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QSize>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct ListedPicture {
    QString resource;
    QSize size;
    bool keyed = false;
};

std::vector<ListedPicture> readTable() {
    QFile file(QString::fromUtf8(PICTURES_TABLE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QRegularExpression row(u"^\\| `(:/pictures/[^`]+)` \\| (\\d+)×(\\d+) \\| ([^|]*)\\|"_s);
    std::vector<ListedPicture> pictures;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const auto match = row.match(line);
        if (match.hasMatch())
            pictures.push_back({match.captured(1),
                                QSize(match.captured(2).toInt(), match.captured(3).toInt()),
                                match.captured(4).contains(u"; key"_s)});
    }
    return pictures;
}

QByteArray readResource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Marks every pixel of the key colour reachable from the border; any key pixel left
// over lies inside the icon and would be cut out with the background.
int keyPixelsInside(const QImage& image, QRgb key) {
    const int w = image.width(), h = image.height();
    std::vector<char> seen(static_cast<size_t>(w * h), 0);
    std::vector<QPoint> todo;
    for (int x = 0; x < w; ++x)
        todo.insert(todo.end(), {QPoint(x, 0), QPoint(x, h - 1)});
    for (int y = 0; y < h; ++y)
        todo.insert(todo.end(), {QPoint(0, y), QPoint(w - 1, y)});
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h) continue;
        char& mark = seen[static_cast<size_t>(p.y() * w + p.x())];
        if (mark || image.pixel(p) != key) continue;
        mark = 1;
        todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
    int inside = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            inside += !seen[static_cast<size_t>(y * w + x)] && image.pixel(x, y) == key;
    return inside;
}

TEST(Pictures, TableListsEveryEmbeddedPictureOnce) {
    const auto listed = readTable();
    ASSERT_FALSE(listed.empty());
    QSet<QString> names;
    for (const auto& picture : listed) {
        EXPECT_FALSE(names.contains(picture.resource)) << picture.resource.toStdString() << " listed twice";
        names.insert(picture.resource);
    }
    QStringList embedded;
    for (QDirIterator it(u":/pictures"_s, QDir::Files); it.hasNext();)
        embedded << it.next();
    EXPECT_EQ(embedded.size(), names.size());
    for (const QString& path : embedded)
        EXPECT_TRUE(names.contains(path)) << path.toStdString() << " is embedded but not listed";
}

TEST(Pictures, EachDecodesAtItsListedSizeAndFormat) {
    for (const auto& picture : readTable()) {
        SCOPED_TRACE(picture.resource.toStdString());
        const QByteArray bytes = readResource(picture.resource);
        ASSERT_FALSE(bytes.isEmpty()) << "not embedded";
        if (picture.resource.endsWith(u".jpg"_s)) {
            EXPECT_TRUE(bytes.startsWith("\xFF\xD8\xFF"));
        } else {
            ASSERT_TRUE(picture.resource.endsWith(u".bmp"_s));
            ASSERT_GT(bytes.size(), 30);
            EXPECT_TRUE(bytes.startsWith("BM"));
            EXPECT_EQ(bytes[28], 24) << "expected 24 bits per pixel";
            EXPECT_EQ(bytes[30], 0) << "expected no compression";
        }
        const QImage image = QImage::fromData(bytes);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), picture.size.width());
        EXPECT_EQ(image.height(), picture.size.height());
    }
}

TEST(Pictures, KeyColourOfTransparentIconsIsOnlyBackground) {
    int keyed = 0;
    for (const auto& picture : readTable()) {
        if (!picture.keyed) continue;
        ++keyed;
        SCOPED_TRACE(picture.resource.toStdString());
        const QImage image =
            QImage::fromData(readResource(picture.resource)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(image.isNull());
        const QRgb key = image.pixel(0, 0);
        EXPECT_EQ(key, qRgb(255, 0, 255));
        EXPECT_EQ(keyPixelsInside(image, key), 0);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += image.pixel(x, y) != key;
        EXPECT_GT(drawn, image.width() * image.height() / 8) << "icon nearly empty";
    }
    EXPECT_GT(keyed, 0);
}

} // namespace

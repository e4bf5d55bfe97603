#include "ui/Pictures.h"
#include "ui/JpegLoader.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A 40 × 30 JPEG: left half red, right half blue, written by Qt's own encoder.
QByteArray sampleJpeg() {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(220, 20, 20));
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            image.setPixelColor(x, y, QColor(20, 20, 220));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

// A picture large enough for the decoder's huge-page path: a colour gradient in 4:4:4.
QImage largeSample() {
    QImage image(1024, 666, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x / 4, y / 3, (x + y) / 7));
    return image;
}

QByteArray jpegOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 93);
    return bytes;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(bytes);
    return file.fileName();
}

bool near(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) < 30 && qAbs(a.green() - b.green()) < 30 && qAbs(a.blue() - b.blue()) < 30;
}

} // namespace

TEST(JpegLoader, DecodesSizeAndColours) {
    const QByteArray bytes = sampleJpeg();
    ASSERT_FALSE(bytes.isEmpty()) << "Qt's JPEG writer is needed to make the sample";
    const common::Outcome<QImage> result = ui::decodeJpeg(bytes);
    ASSERT_TRUE(result.ok()) << result.reason().toStdString();
    EXPECT_EQ(result->size(), QSize(40, 30));
    EXPECT_TRUE(near(result->pixelColor(5, 15), QColor(220, 20, 20)));
    EXPECT_TRUE(near(result->pixelColor(35, 15), QColor(20, 20, 220)));
}

TEST(JpegLoader, RejectedDataGivesAnErrorNotAnExit) {
    const QByteArray good = sampleJpeg();
    const QByteArray cases[] = {
        QByteArray(),                                               // nothing
        QByteArray("not a picture at all"),                         // no JPEG marker
        good.left(20),                                              // header cut short
        QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(64, '\x00'), // marker, then garbage
    };
    for (const QByteArray& bytes : cases) {
        const common::Outcome<QImage> result = ui::decodeJpeg(bytes);
        EXPECT_FALSE(result.ok());
        EXPECT_FALSE(result.reason().isEmpty());
    }
    // After all those failures the decoder still works.
    EXPECT_TRUE(ui::decodeJpeg(good).ok());
}

TEST(JpegLoader, ForgedHugeSizeIsRefused) {
    QByteArray bytes = sampleJpeg();
    // Patch the frame header (SOF0: FF C0, length, precision, height, width) to 60000 × 60000.
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    bytes[sof + 5] = char(0xEA);
    bytes[sof + 6] = char(0x60);
    bytes[sof + 7] = char(0xEA);
    bytes[sof + 8] = char(0x60);
    const common::Outcome<QImage> result = ui::decodeJpeg(bytes);
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.reason().isEmpty());
}

TEST(JpegLoader, LargePictureDecodesLikeQtsOwnReader) {
    const QByteArray bytes = jpegOf(largeSample());
    const common::Outcome<QImage> ours = ui::decodeJpeg(bytes);
    ASSERT_TRUE(ours.ok()) << ours.reason().toStdString();
    const QImage theirs = QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(ours->size(), theirs.size());
    int differing = 0;
    for (int y = 0; y < theirs.height(); ++y)
        for (int x = 0; x < theirs.width(); ++x)
            differing += !near(ours->pixelColor(x, y), theirs.pixelColor(x, y));
    EXPECT_EQ(differing, 0);
    // The image owns its memory: a copy outlives the original and writing to it detaches.
    QImage copy = ours.value();
    const QRgb before = ours->pixel(10, 10);
    copy.setPixel(10, 10, qRgb(1, 2, 3));
    EXPECT_EQ(ours->pixel(10, 10), before);
}

TEST(Pictures, PreloadedPicturesMatchDirectDecodingAndAreSharedSafely) {
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < 6; ++i)
        paths << writeFile(dir, u"p%1.jpg"_s.arg(i), i % 2 ? sampleJpeg() : jpegOf(largeSample()));
    paths << dir.filePath(u"missing.jpg"_s);
    QImage bitmap(7, 5, QImage::Format_RGB32);
    bitmap.fill(QColor(4, 5, 6));
    const QString bmpPath = dir.filePath(u"c.bmp"_s);
    ASSERT_TRUE(bitmap.save(bmpPath, "BMP"));
    paths << bmpPath;

    ui::preloadPictures(paths);
    ui::preloadPictures(paths); // asked again while the first thread may still be decoding
    // Other threads ask for the same pictures while they decode; each gets the one picture.
    std::vector<std::thread> askers;
    std::vector<QImage> seen(paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i)
        askers.emplace_back([&seen, &paths, i] { seen[i] = ui::loadPicture(paths[i]); });
    for (std::thread& asker : askers)
        asker.join();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QImage loaded = ui::loadPicture(paths[i]);
        EXPECT_EQ(loaded, seen[i]) << paths[i].toStdString();
        if (paths[i].endsWith(u".jpg"_s) && QFile::exists(paths[i])) {
            QFile file(paths[i]);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(loaded, ui::decodeJpeg(file.readAll()).value()) << paths[i].toStdString();
        }
    }
    EXPECT_TRUE(ui::loadPicture(dir.filePath(u"missing.jpg"_s)).isNull());
    EXPECT_EQ(ui::loadPicture(bmpPath).pixelColor(6, 4), QColor(4, 5, 6));
}

TEST(Pictures, MissingOrDamagedFilesGiveAnEmptyPicture) {
    QTemporaryDir dir;
    const QString damagedJpeg = dir.filePath(u"damaged.jpg"_s);
    const QString damagedBmp = dir.filePath(u"damaged.bmp"_s);
    QFile jpeg(damagedJpeg);
    ASSERT_TRUE(jpeg.open(QIODevice::WriteOnly));
    jpeg.write(sampleJpeg().left(100));
    jpeg.close();
    QFile bmp(damagedBmp);
    ASSERT_TRUE(bmp.open(QIODevice::WriteOnly));
    bmp.write("BM this is no bitmap");
    bmp.close();

    EXPECT_TRUE(ui::loadPicture(dir.filePath(u"absent.jpg"_s)).isNull());
    EXPECT_TRUE(ui::loadPicture(damagedJpeg).isNull());
    EXPECT_TRUE(ui::loadPicture(damagedBmp).isNull());
    EXPECT_TRUE(ui::loadPicture(QString()).isNull());
}

TEST(Pictures, LoadsJpegAndBmpFiles) {
    QTemporaryDir dir;
    const QString jpegPath = dir.filePath(u"a.jpg"_s);
    QFile jpeg(jpegPath);
    ASSERT_TRUE(jpeg.open(QIODevice::WriteOnly));
    jpeg.write(sampleJpeg());
    jpeg.close();
    QImage bitmap(7, 5, QImage::Format_RGB32);
    bitmap.fill(QColor(1, 2, 3));
    const QString bmpPath = dir.filePath(u"b.bmp"_s);
    ASSERT_TRUE(bitmap.save(bmpPath, "BMP"));

    EXPECT_EQ(ui::loadPicture(jpegPath).size(), QSize(40, 30));
    EXPECT_EQ(ui::loadPicture(bmpPath).pixelColor(6, 4), QColor(1, 2, 3));
}

TEST(Pictures, TopLeftColourBecomesTransparent) {
    QImage icon(4, 3, QImage::Format_RGB32);
    icon.fill(QColor(255, 0, 255));
    icon.setPixelColor(1, 1, QColor(10, 200, 10));
    icon.setPixelColor(3, 2, QColor(254, 0, 255)); // close to the key, but not it
    const QImage keyed = ui::withTransparentCorner(icon);
    EXPECT_EQ(keyed.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(keyed.pixelColor(2, 2).alpha(), 0);
    EXPECT_EQ(keyed.pixelColor(1, 1), QColor(10, 200, 10));
    EXPECT_EQ(keyed.pixelColor(3, 2).alpha(), 255);
    EXPECT_TRUE(ui::withTransparentCorner(QImage()).isNull());
}

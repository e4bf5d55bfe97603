#include "Pictures.h"
#include "JpegLoader.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

bool near(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) < 30 && qAbs(a.green() - b.green()) < 30 && qAbs(a.blue() - b.blue()) < 30;
}

} // namespace

TEST(JpegLoader, DecodesSizeAndColours) {
    const QByteArray bytes = sampleJpeg();
    ASSERT_FALSE(bytes.isEmpty()) << "Qt's JPEG writer is needed to make the sample";
    const ui::JpegResult result = ui::decodeJpeg(bytes);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.image.size(), QSize(40, 30));
    EXPECT_TRUE(near(result.image.pixelColor(5, 15), QColor(220, 20, 20)));
    EXPECT_TRUE(near(result.image.pixelColor(35, 15), QColor(20, 20, 220)));
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
        const ui::JpegResult result = ui::decodeJpeg(bytes);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.image.isNull());
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
    const ui::JpegResult result = ui::decodeJpeg(bytes);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.image.isNull());
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

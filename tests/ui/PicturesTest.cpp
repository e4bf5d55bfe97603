#include "ui/Pictures.h"
#include "ui/BmpLoader.h"
#include "ui/JpegLoader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
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

QByteArray bmpOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// The same bitmap with its rows stored top down, as a negative height says.
QByteArray topDown(const QByteArray& bottomUp, int width, int height) {
    const qsizetype stride = (qsizetype{width} * 3 + 3) / 4 * 4;
    const auto pixelsAt = static_cast<qsizetype>(static_cast<unsigned char>(bottomUp[10]));
    QByteArray bytes = bottomUp.left(pixelsAt);
    const qint32 negative = -height;
    std::memcpy(bytes.data() + 22, &negative, 4);
    for (int row = height - 1; row >= 0; --row)
        bytes += bottomUp.mid(pixelsAt + row * stride, stride);
    return bytes;
}

// Every bitmap the program shows, and odd sizes whose rows are padded, read as Qt's reader reads
// them: the pictures must not change by leaving Qt's reader.
TEST(BmpLoader, DecodesLikeQtsOwnReader) {
    QList<QByteArray> samples;
    for (const QString& name : QDir(u":/pictures"_s).entryList({u"*.bmp"_s})) {
        QFile file(u":/pictures/"_s + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        samples << file.readAll();
    }
    ASSERT_GE(samples.size(), 5);
    QImage odd(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            odd.setPixel(x, y, qRgb(40 * x, 80 * y, 7 + x + y));
    samples << bmpOf(odd) << topDown(bmpOf(odd), 5, 3);
    for (const QByteArray& bytes : samples) {
        ASSERT_TRUE(ui::isPlainBmp(bytes));
        const common::Outcome<QImage> ours = ui::decodeBmp(bytes);
        ASSERT_TRUE(ours.ok()) << ours.reason().toStdString();
        const QImage theirs = QImage::fromData(bytes, "BMP");
        EXPECT_EQ(ours->format(), theirs.format());
        EXPECT_EQ(ours.value(), theirs);
        EXPECT_EQ(ours->dotsPerMeterX(), theirs.dotsPerMeterX());
    }
    EXPECT_EQ(ui::decodeBmp(samples.last())->pixel(4, 0), odd.pixel(4, 0));
}

TEST(BmpLoader, DamagedOrForgedBitmapsGiveAnError) {
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QByteArray good = bmpOf(picture);
    QByteArray huge = good;
    const qint32 side = 100000;
    std::memcpy(huge.data() + 18, &side, 4);
    QByteArray pixelsPastTheEnd = good;
    const quint32 far = 0x7fffffff;
    std::memcpy(pixelsPastTheEnd.data() + 10, &far, 4);
    for (const QByteArray& bytes : {good.left(good.size() - 1), huge, pixelsPastTheEnd}) {
        ASSERT_TRUE(ui::isPlainBmp(bytes));
        EXPECT_FALSE(ui::decodeBmp(bytes).ok());
    }
    EXPECT_FALSE(ui::isPlainBmp(QByteArray("BM too short")));
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

    const QStringList claimed = ui::claimPictures(paths);
    EXPECT_TRUE(ui::claimPictures(paths).isEmpty()); // claimed once
    std::thread decoder([claimed] { ui::decodeClaimedPictures(claimed); });
    // Other threads ask for the same pictures while they decode, or before the decoding thread
    // reaches them; each gets the one picture.
    std::vector<std::thread> askers;
    std::vector<QImage> seen(paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i)
        askers.emplace_back([&seen, &paths, i] { seen[i] = ui::loadPicture(paths[i]); });
    for (std::thread& asker : askers)
        asker.join();
    decoder.join();
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

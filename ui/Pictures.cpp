#include "Pictures.h"

#include "JpegLoader.h"

#include <QFile>
#include <QHash>
#include <QLoggingCategory>

namespace ui {
namespace {

Q_LOGGING_CATEGORY(lcPictures, "velmora.pictures")

bool looksLikeJpeg(const QByteArray& bytes) {
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF;
}

QImage decode(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcPictures) << "picture missing:" << path;
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (path.endsWith(u".jpg", Qt::CaseInsensitive) || path.endsWith(u".jpeg", Qt::CaseInsensitive) ||
        looksLikeJpeg(bytes)) {
        JpegResult result = decodeJpeg(bytes);
        if (!result.ok()) qCWarning(lcPictures) << "picture damaged:" << path << result.error;
        return result.image;
    }
    QImage image;
    if (!image.loadFromData(bytes)) qCWarning(lcPictures) << "picture damaged:" << path;
    return image;
}

} // namespace

QImage loadPicture(const QString& path) {
    if (path.isEmpty()) return {};
    static QHash<QString, QImage> cache;
    auto found = cache.constFind(path);
    if (found != cache.constEnd()) return *found;
    QImage image = decode(path);
    cache.insert(path, image);
    return image;
}

QImage withTransparentCorner(const QImage& picture) {
    if (picture.isNull()) return picture;
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

} // namespace ui

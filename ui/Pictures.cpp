#include "ui/Pictures.h"

#include "ui/BmpLoader.h"
#include "ui/JpegLoader.h"

#include <QFile>
#include <QHash>
#include <QLoggingCategory>

#include <future>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace ui {
namespace {

Q_LOGGING_CATEGORY(lcPictures, "velmora.pictures")

bool looksLikeJpeg(const QByteArray& bytes) {
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF;
}

bool isJpegName(const QString& path) {
    return path.endsWith(u".jpg", Qt::CaseInsensitive) || path.endsWith(u".jpeg", Qt::CaseInsensitive);
}

// The kinds our own decoders read, which a thread may decode before the application exists.
bool isPreloadable(const QString& path) {
    return isJpegName(path) || path.endsWith(u".bmp", Qt::CaseInsensitive);
}

QImage orWarning(const QString& path, common::Outcome<QImage> decoded) {
    if (decoded) return std::move(decoded).value();
    qCWarning(lcPictures) << "picture damaged:" << path << decoded.reason();
    return {};
}

QImage decode(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcPictures) << "picture missing:" << path;
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (isJpegName(path) || looksLikeJpeg(bytes)) return orWarning(path, decodeJpeg(bytes));
    if (isPlainBmp(bytes)) return orWarning(path, decodeBmp(bytes));
    QImage image;
    if (!image.loadFromData(bytes)) qCWarning(lcPictures) << "picture damaged:" << path;
    return image;
}

// Every picture decoded, being decoded or claimed for decoding in this run. A claimed picture the
// claiming thread has not started on is decoded by whoever asks for it first, so a window is never
// kept waiting behind a larger picture it does not need yet.
class PictureCache {
public:
    static PictureCache& instance() {
        static PictureCache cache;
        return cache;
    }

    QImage get(const QString& path) {
        std::promise<QImage> decoding;
        std::shared_future<QImage> entry;
        bool mine = false;
        {
            const std::lock_guard lock(m_mutex);
            const auto found = m_entries.constFind(path);
            mine = found == m_entries.constEnd() || takeUnstarted(path, decoding);
            if (found == m_entries.constEnd()) m_entries.insert(path, decoding.get_future().share());
            entry = m_entries.value(path);
        }
        // Decoded outside the lock, so a preloading thread is never held up by it.
        if (mine) decoding.set_value(decode(path));
        return entry.get();
    }

    QStringList claim(const QStringList& paths) {
        const std::lock_guard lock(m_mutex);
        QStringList claimed;
        for (const QString& path : paths) {
            if (!isPreloadable(path) || m_entries.contains(path)) continue;
            std::promise<QImage> decoding;
            m_entries.insert(path, decoding.get_future().share());
            m_unstarted.emplace(path, std::move(decoding));
            claimed.append(path);
        }
        return claimed;
    }

    void decodeClaimed(const QStringList& claimed) {
        for (const QString& path : claimed) {
            std::promise<QImage> decoding;
            {
                const std::lock_guard lock(m_mutex);
                if (!takeUnstarted(path, decoding)) continue;
            }
            decoding.set_value(decode(path));
        }
    }

private:
    PictureCache() = default;

    // Moves the promise of a picture no thread has started on into `decoding`; under m_mutex.
    bool takeUnstarted(const QString& path, std::promise<QImage>& decoding) {
        const auto found = m_unstarted.find(path);
        if (found == m_unstarted.end()) return false;
        decoding = std::move(found->second);
        m_unstarted.erase(found);
        return true;
    }

    std::mutex m_mutex;
    QHash<QString, std::shared_future<QImage>> m_entries;
    std::unordered_map<QString, std::promise<QImage>> m_unstarted;
};

} // namespace

QImage loadPicture(const QString& path) {
    if (path.isEmpty()) return {};
    return PictureCache::instance().get(path);
}

QStringList claimPictures(const QStringList& paths) {
    return PictureCache::instance().claim(paths);
}

void decodeClaimedPictures(const QStringList& claimed) {
    PictureCache::instance().decodeClaimed(claimed);
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

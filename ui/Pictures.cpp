#include "ui/Pictures.h"

#include "ui/JpegLoader.h"

#include <QFile>
#include <QHash>
#include <QLoggingCategory>

#include <future>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

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

QImage decode(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcPictures) << "picture missing:" << path;
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (isJpegName(path) || looksLikeJpeg(bytes)) {
        common::Outcome<QImage> decoded = decodeJpeg(bytes);
        if (!decoded) {
            qCWarning(lcPictures) << "picture damaged:" << path << decoded.reason();
            return {};
        }
        return std::move(decoded).value();
    }
    QImage image;
    if (!image.loadFromData(bytes)) qCWarning(lcPictures) << "picture damaged:" << path;
    return image;
}

// Every picture decoded or being decoded in this run, shared by the threads that preload.
class PictureCache {
public:
    static PictureCache& instance() {
        static PictureCache cache;
        return cache;
    }

    ~PictureCache() {
        for (std::thread& thread : m_preloaders)
            thread.join();
    }

    QImage get(const QString& path) {
        std::promise<QImage> decoding;
        std::shared_future<QImage> entry;
        bool mine = false;
        {
            const std::lock_guard lock(m_mutex);
            const auto found = m_entries.constFind(path);
            mine = found == m_entries.constEnd();
            entry = mine ? decoding.get_future().share() : *found;
            if (mine) m_entries.insert(path, entry);
        }
        // Decoded outside the lock, so a preloading thread is never held up by it.
        if (mine) decoding.set_value(decode(path));
        return entry.get();
    }

    void preload(const QStringList& paths) {
        const std::lock_guard lock(m_mutex);
        std::vector<std::pair<QString, std::promise<QImage>>> claimed;
        for (const QString& path : paths) {
            if (!isJpegName(path) || m_entries.contains(path)) continue;
            std::promise<QImage> decoding;
            m_entries.insert(path, decoding.get_future().share());
            claimed.emplace_back(path, std::move(decoding));
        }
        if (claimed.empty()) return;
        std::vector<QString> names;
        for (const auto& entry : claimed)
            names.push_back(entry.first);
        try {
            m_preloaders.emplace_back([work = std::move(claimed)]() mutable {
                for (auto& [path, decoding] : work)
                    decoding.set_value(decode(path));
            });
        } catch (const std::system_error& error) {
            // No thread to be had: the pictures decode when first asked for instead.
            qCWarning(lcPictures) << "cannot preload pictures:" << error.what();
            for (const QString& name : names)
                m_entries.remove(name);
        }
    }

private:
    PictureCache() = default;

    std::mutex m_mutex;
    QHash<QString, std::shared_future<QImage>> m_entries;
    std::vector<std::thread> m_preloaders;
};

} // namespace

QImage loadPicture(const QString& path) {
    if (path.isEmpty()) return {};
    return PictureCache::instance().get(path);
}

void preloadPictures(const QStringList& paths) {
    PictureCache::instance().preload(paths);
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

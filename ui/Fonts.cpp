#include "ui/Fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLoggingCategory>

#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace ui {
namespace {

Q_LOGGING_CATEGORY(lcFonts, "velmora.fonts")

// On a cold start the face's file is the largest read before the first paint: the system reads it
// while Qt starts, and the main thread finds it in memory when it opens the face.
void readAheadSansFace() {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kSansFace.toUtf8().constData()));
    if (!pattern) return;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        const int descriptor = ::open(reinterpret_cast<const char*>(file), O_RDONLY | O_CLOEXEC);
        if (descriptor >= 0) {
            ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_WILLNEED);
            ::close(descriptor);
        }
    }
    FcPatternDestroy(match);
}

// One thread loads the font configuration while Qt starts, then waits: once installFonts has run,
// it fills Qt's list of the installed fonts while the first window is built, then does the work
// it was given to follow. Released and joined at exit at the latest, should installFonts never run.
class BackgroundFonts {
public:
    enum class Next { Wait, FillQtList, Stop };

    ~BackgroundFonts() { finish(); }

    void start(std::function<void()> afterwards) {
        if (m_thread.joinable()) return;
        m_thread = std::thread([this, afterwards = std::move(afterwards)] {
            if (!FcInit()) qCWarning(lcFonts) << "the font configuration did not load";
            {
                const std::lock_guard lock(m_mutex);
                m_configured = true;
            }
            m_changed.notify_all();
            readAheadSansFace();
            if (waitForNext() != Next::FillQtList) return;
            QFontDatabase::families();
            if (afterwards) afterwards();
        });
    }

    void release(Next next) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_next != Next::Wait) return;
            m_next = next;
        }
        m_changed.notify_all();
    }

    // Fontconfig, asked before this thread has loaded its configuration, would load a second one
    // beside it: twice the work on the path to the first paint.
    void waitForConfiguration() {
        if (!m_thread.joinable()) return;
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_configured; });
    }

    void finish() {
        release(Next::Stop);
        if (m_thread.joinable()) m_thread.join();
    }

private:
    Next waitForNext() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_next != Next::Wait; });
        return m_next;
    }

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Next m_next = Next::Wait;
    bool m_configured = false;
};

BackgroundFonts& backgroundFonts() {
    static BackgroundFonts fonts;
    return fonts;
}

} // namespace

void prepareFontsInBackground(std::function<void()> afterwards) {
    try {
        backgroundFonts().start(std::move(afterwards));
    } catch (const std::system_error& error) {
        qCWarning(lcFonts) << "cannot load fonts in the background:" << error.what();
    }
}

void installFonts() {
    QFont::insertSubstitution(QStringLiteral("宋体"), kSerifFace);
    QFont::insertSubstitution(QStringLiteral("SimSun"), kSerifFace);
    QFont::insertSubstitution(QStringLiteral("新宋体"), kSerifFace);
    QFont::insertSubstitution(QStringLiteral("微软雅黑"), kSansFace);
    QFont::insertSubstitution(QStringLiteral("Microsoft YaHei"), kSansFace);
    // The platform's dialog font on a Chinese desktop: a 12 px Chinese face.
    QFont gui(kSansFace);
    gui.setPixelSize(12);
    QApplication::setFont(gui);
    // Qt's font list is thread-safe; whichever thread needs it first fills it, the other waits.
    backgroundFonts().release(BackgroundFonts::Next::FillQtList);
}

void waitForFontConfiguration() {
    backgroundFonts().waitForConfiguration();
}

void finishFontLoading() {
    backgroundFonts().finish();
}

QFont fontFor(const Font& font) {
    if (font.pixels <= 0) {
        QFont gui = QApplication::font();
        gui.setBold(font.bold);
        return gui;
    }
    QFont result(font.face.isEmpty() ? kSansFace : font.face);
    result.setPixelSize(font.pixels);
    result.setBold(font.bold);
    return result;
}

} // namespace ui

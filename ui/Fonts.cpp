#include "ui/Fonts.h"

#include <QApplication>
#include <QLoggingCategory>

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

namespace ui {
namespace {

Q_LOGGING_CATEGORY(lcFonts, "velmora.fonts")

// Joined at exit at the latest, should installFonts never run.
struct FontConfigLoader {
    std::thread thread;
    ~FontConfigLoader() {
        if (thread.joinable()) thread.join();
    }
};

std::thread& fontConfigLoader() {
    static FontConfigLoader loader;
    return loader.thread;
}

} // namespace

void prepareFontsInBackground() {
    std::thread& loader = fontConfigLoader();
    if (loader.joinable()) return;
    try {
        // The same loading Qt's font database starts with; done here, Qt finds it finished.
        loader = std::thread([] {
            if (!FcInit()) qCWarning(lcFonts) << "the font configuration did not load";
        });
    } catch (const std::system_error& error) {
        qCWarning(lcFonts) << "cannot load fonts in the background:" << error.what();
    }
}

void installFonts() {
    // Two threads loading the configuration at once would each load it whole.
    if (fontConfigLoader().joinable()) fontConfigLoader().join();
    QFont::insertSubstitution(QStringLiteral("宋体"), kSerifFace);
    QFont::insertSubstitution(QStringLiteral("SimSun"), kSerifFace);
    QFont::insertSubstitution(QStringLiteral("新宋体"), kSerifFace);
    QFont::insertSubstitution(QStringLiteral("微软雅黑"), kSansFace);
    QFont::insertSubstitution(QStringLiteral("Microsoft YaHei"), kSansFace);
    // The platform's dialog font on a Chinese desktop: a 12 px Chinese face.
    QFont gui(kSansFace);
    gui.setPixelSize(12);
    QApplication::setFont(gui);
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

#include "Fonts.h"

#include <QApplication>

namespace ui {

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

#include "Zoom.h"

#include "Fonts.h"

#include <QWidget>

namespace question {

void zoomFonts(const ui::Built& controls, const ui::Declaration& declared, const QStringList& zoomed,
               const Zoom& zoom) {
    for (const QString& name : zoomed) {
        ui::Font font = ui::findDeclared(declared, name)->font;
        font.pixels = zoom.pixels(font.pixels);
        controls.widget(name)->setFont(ui::fontFor(font));
    }
}

} // namespace question

#include "question/Zoom.h"

#include "question/QuestionPageNames.h"
#include "ui/Fonts.h"

#include <QAbstractButton>
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

void ZoomedText::attach(QWidget* window, const ui::Built& controls, ui::Declaration declared) {
    m_controls = &controls;
    m_declared = std::move(declared);
    const auto button = [&](const QString& name) { return controls.get<QAbstractButton>(name); };
    QObject::connect(button(names::kZoomOut), &QAbstractButton::clicked, window, [this] { out(); });
    QObject::connect(button(names::kZoomReset), &QAbstractButton::clicked, window, [this] { reset(); });
    QObject::connect(button(names::kZoomIn), &QAbstractButton::clicked, window, [this] { in(); });
}

void ZoomedText::in() {
    m_zoom.in();
    apply();
}

void ZoomedText::out() {
    m_zoom.out();
    apply();
}

void ZoomedText::reset() {
    m_zoom.reset();
    apply();
}

void ZoomedText::apply() {
    if (m_controls) zoomFonts(*m_controls, m_declared, m_zoomed, m_zoom);
}

} // namespace question

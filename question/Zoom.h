#pragma once

#include "ui/Declaration.h"
#include "ui/WindowBuilder.h"

#include <QStringList>

#include <algorithm>
#include <utility>

namespace question {

// The zoom of a question on screen, counted in steps from the declared font sizes: each step makes
// the question text and the option captions two pixels larger, between a window's limits.
class Zoom {
public:
    static constexpr int kPixelsPerStep = 2;

    constexpr Zoom(int fewestSteps, int mostSteps) : m_fewest(fewestSteps), m_most(mostSteps) {}

    void in() { m_step = std::min(m_step + 1, m_most); }
    void out() { m_step = std::max(m_step - 1, m_fewest); }
    void reset() { m_step = 0; }
    int step() const { return m_step; }
    // The size of a font declared `declaredPixels` high at this zoom.
    constexpr int pixels(int declaredPixels) const { return declaredPixels + m_step * kPixelsPerStep; }

private:
    int m_fewest;
    int m_most;
    int m_step = 0;
};

// Gives the named controls their declared fonts at `zoom`.
void zoomFonts(const ui::Built& controls, const ui::Declaration& declared, const QStringList& zoomed,
               const Zoom& zoom);

// The question text and option captions of a window, at the zoom its buttons 缩小, 默认 and 放大 set.
class ZoomedText {
public:
    ZoomedText(Zoom zoom, QStringList zoomed) : m_zoom(zoom), m_zoomed(std::move(zoomed)) {}

    // Connects the window's zoom buttons, which live as long as the window and `controls`.
    void attach(QWidget* window, const ui::Built& controls, ui::Declaration declared);
    void in();
    void out();
    void reset();
    const Zoom& zoom() const { return m_zoom; }

private:
    void apply();

    Zoom m_zoom;
    QStringList m_zoomed;
    const ui::Built* m_controls = nullptr;
    ui::Declaration m_declared;
};

} // namespace question

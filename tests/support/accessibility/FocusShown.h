#pragma once

// Whether a control shows the keyboard focus where the eye looks for it: along its edges.
#include <QImage>

#include <cstdlib>

// The share of the pixels in the band along the edges, `band` wide, that change clearly between
// two grabs of one control: a colour step a candidate sees, not a tint.
inline double clearlyChangedEdgeShare(const QImage& before, const QImage& after, int band = 4) {
    const QImage a = before.convertToFormat(QImage::Format_RGB32);
    const QImage b = after.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size() || a.isNull()) return 0;
    int edge = 0;
    int changed = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (x >= band && y >= band && x < a.width() - band && y < a.height() - band) continue;
            ++edge;
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int step =
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
            if (step >= 150) ++changed;
        }
    }
    return double(changed) / edge;
}

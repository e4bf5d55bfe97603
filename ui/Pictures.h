#pragma once

#include <QImage>
#include <QString>

namespace ui {

// The picture at `path` (a resource like ":/pictures/x.jpg" or a file): JPEG through our libjpeg
// loader, anything else (BMP) through QImage. A missing or damaged picture gives a null image,
// so the control shows no picture. Decoded pictures are kept for the run.
QImage loadPicture(const QString& path);

// The picture with every pixel of its top-left pixel's colour made transparent.
QImage withTransparentCorner(const QImage& picture);

} // namespace ui

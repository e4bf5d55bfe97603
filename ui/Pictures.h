#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace ui {

// The picture at `path` (a resource like ":/pictures/x.jpg" or a file): JPEG through our libjpeg
// loader, anything else (BMP) through QImage. A missing or damaged picture gives a null image,
// so the control shows no picture. Decoded pictures are kept for the run.
// Thread-safe; a picture being preloaded is waited for, never decoded twice.
QImage loadPicture(const QString& path);

// Starts decoding the JPEGs among `paths` on a thread of its own, so a window can be built while
// its pictures decode; other pictures would need Qt's image plugins, which belong to the main
// thread, and load when first asked for. A picture already known is not decoded again.
void preloadPictures(const QStringList& paths);

// The picture with every pixel of its top-left pixel's colour made transparent.
QImage withTransparentCorner(const QImage& picture);

} // namespace ui

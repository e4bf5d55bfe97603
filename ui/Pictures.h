#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace ui {

// The picture at `path` (a resource like ":/pictures/x.jpg" or a file): JPEG and plain BMP through
// our own decoders, anything else through QImage. A missing or damaged picture gives a null image,
// so the control shows no picture. Decoded pictures are kept for the run.
// Thread-safe; a picture being preloaded is waited for, never decoded twice.
QImage loadPicture(const QString& path);

// Starts decoding the JPEGs and BMPs among `paths` on a thread of its own, in their order, so a
// window can be built while its pictures decode; other kinds would need Qt's image plugins, which
// are not to be loaded before the application exists, and load when first asked for. A picture
// already known is not decoded again.
void preloadPictures(const QStringList& paths);

// The picture with every pixel of its top-left pixel's colour made transparent.
QImage withTransparentCorner(const QImage& picture);

} // namespace ui

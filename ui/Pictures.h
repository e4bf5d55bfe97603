#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace ui {

// The picture at `path` (a resource like ":/pictures/x.jpg" or a file): JPEG and plain BMP through
// our own decoders, anything else through QImage. A missing or damaged picture gives a null image,
// so the control shows no picture. Decoded pictures are kept for the run.
// Thread-safe; a picture being decoded is waited for, never decoded twice.
QImage loadPicture(const QString& path);

// Claims the JPEGs and BMPs among `paths` for a thread that will decode them with
// decodeClaimedPictures, so a window can be built while its pictures decode; other kinds would need
// Qt's image plugins, which are not to be loaded before the application exists, and load when first
// asked for. A picture already known is not claimed again. Returns the pictures claimed.
QStringList claimPictures(const QStringList& paths);

// Decodes claimed pictures, in their order, on the calling thread; one that another thread has
// already needed, and so decoded, is passed over.
void decodeClaimedPictures(const QStringList& claimed);

// The picture with every pixel of its top-left pixel's colour made transparent.
QImage withTransparentCorner(const QImage& picture);

} // namespace ui

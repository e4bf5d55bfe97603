#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace ui {

// A decoded JPEG, or the reason it could not be decoded.
struct JpegResult {
    QImage image; // null on error
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Decodes JPEG bytes with libjpeg. A damaged or truncated file gives an error, never an exit:
// libjpeg's default handler would end the process.
JpegResult decodeJpeg(const QByteArray& bytes);

} // namespace ui

#pragma once

#include "common/Outcome.h"

#include <QByteArray>
#include <QImage>

namespace ui {

// Whether the bytes are a Windows bitmap of the kind the program's pictures are: uncompressed,
// 24 bits a pixel. Those decodeBmp reads; any other kind is left to Qt's reader.
bool isPlainBmp(const QByteArray& bytes);

// Decodes a plain bitmap into the image Qt's own reader gives, without Qt's image-format plugins:
// looking those up costs several milliseconds of start-up, and must not run on a thread before the
// application exists. A damaged or truncated file gives an error.
common::Outcome<QImage> decodeBmp(const QByteArray& bytes);

} // namespace ui

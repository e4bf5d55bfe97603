#pragma once

#include "common/Outcome.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace ui {

// Decodes JPEG bytes with libjpeg. A damaged or truncated file gives an error, never an exit:
// libjpeg's default handler would end the process.
common::Outcome<QImage> decodeJpeg(const QByteArray& bytes);

} // namespace ui

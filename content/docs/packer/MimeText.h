#pragma once

#include <QByteArray>

// Pieces of a MIME body as the browser's MHTML reader expects them: CRLF only.
namespace MimeText {

inline constexpr char kCrlf[] = "\r\n";
inline constexpr int kBase64LineLength = 76;

// Base64 of the bytes, cut into lines of at most 76 characters, each ended by CRLF.
QByteArray base64Lines(const QByteArray& bytes);

} // namespace MimeText

#include "packer/MimeText.h"

namespace MimeText {

QByteArray base64Lines(const QByteArray& bytes) {
    const QByteArray encoded = bytes.toBase64();
    QByteArray lines;
    lines.reserve(encoded.size() + (encoded.size() / kBase64LineLength + 1) * 2);
    for (qsizetype at = 0; at < encoded.size(); at += kBase64LineLength) {
        lines += encoded.mid(at, kBase64LineLength);
        lines += kCrlf;
    }
    return lines;
}

} // namespace MimeText

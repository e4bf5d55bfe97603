#include "MhtParts.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

// Splits "Name: value" lines up to the first empty line; returns the offset after it.
qsizetype readHeaders(const QByteArray& text, qsizetype at, QMap<QByteArray, QByteArray>* headers) {
    while (at < text.size()) {
        const qsizetype end = text.indexOf("\r\n", at);
        if (end < 0) return -1;
        const QByteArray line = text.mid(at, end - at);
        at = end + 2;
        if (line.isEmpty()) return at;
        const qsizetype colon = line.indexOf(':');
        if (colon < 0) return -1;
        headers->insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    }
    return -1;
}

QByteArray boundaryOf(const QByteArray& contentType) {
    static const QRegularExpression pattern(u"boundary=\"([^\"]+)\""_s);
    return pattern.match(QString::fromLatin1(contentType)).captured(1).toLatin1();
}

} // namespace

MhtArchive readMht(const QByteArray& archive) {
    MhtArchive result;
    qsizetype at = readHeaders(archive, 0, &result.headers);
    if (at < 0) return result.error = u"archive headers not ended by an empty line"_s, result;
    result.boundary = boundaryOf(result.headers.value("content-type"));
    if (result.boundary.isEmpty()) return result.error = u"no boundary"_s, result;
    const QByteArray delimiter = "--" + result.boundary;
    at = archive.indexOf(delimiter + "\r\n", at);
    while (at >= 0) {
        at += delimiter.size() + 2;
        MhtPart part;
        at = readHeaders(archive, at, &part.headers);
        if (at < 0) return result.error = u"part headers not ended"_s, result;
        const qsizetype next = archive.indexOf("\r\n" + delimiter, at);
        if (next < 0) return result.error = u"part not ended by a delimiter"_s, result;
        part.rawBody = archive.mid(at, next - at);
        if (part.headers.value("content-transfer-encoding") == "base64")
            part.body = QByteArray::fromBase64(QByteArray(part.rawBody).replace("\r\n", ""),
                                               QByteArray::AbortOnBase64DecodingErrors);
        result.parts.append(part);
        at = next + 2;
        if (archive.mid(at + delimiter.size(), 2) == "--") {
            result.closed = true;
            break;
        }
        if (archive.mid(at + delimiter.size(), 2) != "\r\n")
            return result.error = u"bad delimiter line"_s, result;
    }
    return result;
}

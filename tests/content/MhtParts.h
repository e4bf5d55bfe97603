#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// An independent reading of an MHTML archive, so the tests do not trust the packer's own pieces.
struct MhtPart {
    QMap<QByteArray, QByteArray> headers; // names lower-cased
    QByteArray rawBody;                   // as stored, CRLF line breaks included
    QByteArray body;                      // decoded
};

struct MhtArchive {
    QMap<QByteArray, QByteArray> headers;
    QByteArray boundary;
    QList<MhtPart> parts;
    bool closed = false; // the closing delimiter was found
    QString error;
};

MhtArchive readMht(const QByteArray& archive);

#pragma once

#include <QByteArray>
#include <QString>

// Packs one HTML page and the local pictures it shows into a single MHTML archive
// (multipart/related) that a browser opens without touching the network.
class MhtPacker final {
public:
    struct Result {
        QByteArray archive;
        QString error; // empty when packing succeeded
        bool ok() const { return error.isEmpty(); }
    };

    static constexpr char kBoundary[] = "----=_VelmoraPart_7d3c1a";

    static Result pack(const QString& htmlPath);

    // Writes the archive so that the destination holds either the whole archive or what it held before.
    static QString writeArchive(const QString& outputPath, const QByteArray& archive);
};

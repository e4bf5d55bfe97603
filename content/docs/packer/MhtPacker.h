#pragma once

#include "common/Outcome.h"

#include <QByteArray>
#include <QString>

// Packs one HTML page and the local pictures it shows into a single MHTML archive
// (multipart/related) that a browser opens without touching the network.
class MhtPacker final {
public:
    static constexpr char kBoundary[] = "----=_VelmoraPart_7d3c1a";

    // The archive, or why the page or one of its pictures cannot be packed.
    static common::Outcome<QByteArray> pack(const QString& htmlPath);

    // Writes the archive so that the destination holds either the whole archive or what it held before.
    static common::Outcome<> writeArchive(const QString& outputPath, const QByteArray& archive);
};

// mhtpack: packs an HTML page and its local pictures into an MHTML archive.
// Usage: mhtpack PAGE.html ARCHIVE.mht
#include "packer/MhtPacker.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "mhtpack: %s\n", message.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mhtpack PAGE.html ARCHIVE.mht\n");
        return 2;
    }
    const common::Outcome<QByteArray> packed = MhtPacker::pack(args.at(1));
    if (!packed) return fail(packed.reason());
    if (const common::Outcome<> written = MhtPacker::writeArchive(args.at(2), *packed); !written)
        return fail(written.reason());
    return 0;
}

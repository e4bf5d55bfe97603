#include "packer/MhtPacker.h"

#include "packer/MimeText.h"
#include "packer/PictureRefs.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace {

common::Outcome<QByteArray> readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return common::Failure{u"cannot read %1: %2"_s.arg(path, file.errorString())};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return common::Failure{u"cannot read %1: %2"_s.arg(path, file.errorString())};
    return bytes;
}

QByteArray pictureType(const QString& filePath) {
    const QString suffix = QFileInfo(filePath).suffix().toLower();
    if (suffix == u"png"_s) return "image/png";
    if (suffix == u"jpg"_s || suffix == u"jpeg"_s) return "image/jpeg";
    if (suffix == u"gif"_s) return "image/gif";
    if (suffix == u"bmp"_s) return "image/bmp";
    if (suffix == u"svg"_s) return "image/svg+xml";
    return {};
}

QByteArray partHeader(const QByteArray& type, const QByteArray& extra) {
    QByteArray header = "--"_ba + MhtPacker::kBoundary + MimeText::kCrlf;
    header += "Content-Type: "_ba + type + MimeText::kCrlf;
    header += "Content-Transfer-Encoding: base64"_ba + MimeText::kCrlf;
    header += extra;
    header += MimeText::kCrlf;
    return header;
}

QByteArray archiveHeader() {
    QByteArray header = "MIME-Version: 1.0"_ba + MimeText::kCrlf;
    header += "Content-Type: multipart/related; type=\"text/html\"; boundary=\""_ba + MhtPacker::kBoundary +
              "\""_ba + MimeText::kCrlf;
    header += MimeText::kCrlf;
    return header;
}

} // namespace

common::Outcome<QByteArray> MhtPacker::pack(const QString& htmlPath) {
    const common::Outcome<QByteArray> pageBytes = readFile(htmlPath);
    OUTCOME_TRY(pageBytes);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString page = utf8(*pageBytes);
    if (utf8.hasError()) return common::Failure{u"%1 is not UTF-8 text"_s.arg(htmlPath)};

    if (const QStringList dangling = PictureRefs::unpackedReferences(page); !dangling.isEmpty())
        return common::Failure{
            u"%1: local addresses the archive cannot carry: %2"_s.arg(htmlPath, dangling.join(u", "_s))};
    PictureRefs refs(QFileInfo(htmlPath).absolutePath());
    const QByteArray packedPage = refs.rewrite(page).toUtf8();

    QByteArray archive = archiveHeader();
    archive += partHeader("text/html; charset=\"utf-8\"", {});
    archive += MimeText::base64Lines(packedPage);
    for (const PictureRef& ref : refs.refs()) {
        const QByteArray type = pictureType(ref.filePath);
        if (type.isEmpty())
            return common::Failure{u"%1: picture \"%2\" has a file type the archive cannot carry"_s.arg(
                htmlPath, ref.reference)};
        const common::Outcome<QByteArray> picture = readFile(ref.filePath);
        if (!picture)
            return common::Failure{
                u"%1: picture \"%2\" is missing (%3)"_s.arg(htmlPath, ref.reference, picture.reason())};
        archive += MimeText::kCrlf;
        archive += partHeader(type, "Content-ID: <"_ba + ref.contentId.toUtf8() + ">"_ba + MimeText::kCrlf);
        archive += MimeText::base64Lines(*picture);
    }
    archive += MimeText::kCrlf;
    archive += "--"_ba + kBoundary + "--"_ba + MimeText::kCrlf;
    return archive;
}

common::Outcome<> MhtPacker::writeArchive(const QString& outputPath, const QByteArray& archive) {
    QSaveFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(archive) != archive.size() || !file.commit())
        return common::Failure{u"cannot write %1: %2"_s.arg(outputPath, file.errorString())};
    return {};
}

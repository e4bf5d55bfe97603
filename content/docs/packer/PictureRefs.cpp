#include "packer/PictureRefs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

// A start tag, and inside it a src attribute in any of HTML's three quoting styles.
const QRegularExpression kTag(u"<[A-Za-z][A-Za-z0-9]*\\b[^>]*>"_s);
const QRegularExpression kSrc(u"(\\ssrc\\s*=\\s*)(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"'>]+))"_s,
                              QRegularExpression::CaseInsensitiveOption);
// Links and CSS addresses, only checked: the archive carries pictures named by src alone.
const QRegularExpression kHref(u"\\shref\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"'>]+))"_s,
                               QRegularExpression::CaseInsensitiveOption);
const QRegularExpression kCssUrl(u"url\\(\\s*(?:\"([^\"]*)\"|'([^']*)'|([^)\\s]*))\\s*\\)"_s,
                                 QRegularExpression::CaseInsensitiveOption);

// The value of whichever quoting alternative matched.
QString attributeValue(const QRegularExpressionMatch& match) {
    for (int group = 1; group <= match.lastCapturedIndex(); ++group)
        if (match.capturedStart(group) >= 0) return match.captured(group);
    return {};
}

// Content-IDs are addr-specs; keep the file name readable but within a safe alphabet.
QString safeIdPart(const QString& fileName) {
    QString part;
    for (const QChar c : fileName)
        part += (c.isLetterOrNumber() && c.unicode() < 128) || c == u'.' || c == u'-' ? c : u'_';
    return part;
}

} // namespace

PictureRefs::PictureRefs(const QString& pageFolder) : m_pageFolder(pageFolder) {}

bool PictureRefs::isOutsideAddress(const QString& reference) {
    if (reference.startsWith(u"//"_s)) return true;
    const QUrl url(reference);
    // A one-letter scheme is a drive letter, not an address.
    return url.scheme().size() > 1;
}

const PictureRef& PictureRefs::refFor(const QString& reference) {
    for (const PictureRef& ref : m_refs)
        if (ref.reference == reference) return ref;
    QString path = reference.section(u'#', 0, 0).section(u'?', 0, 0);
    path = QUrl::fromPercentEncoding(path.toUtf8());
    const QString filePath = QDir::cleanPath(QDir(m_pageFolder).filePath(path));
    const QString id =
        u"picture%1.%2@velmora"_s.arg(m_refs.size() + 1).arg(safeIdPart(QFileInfo(path).fileName()));
    m_refs.append({reference, filePath, id});
    return m_refs.last();
}

QStringList PictureRefs::unpackedReferences(const QString& html) {
    QStringList found;
    for (auto tags = kTag.globalMatch(html); tags.hasNext();) {
        const QString target = attributeValue(kHref.match(tags.next().captured()));
        if (!target.isEmpty() && !target.startsWith(u'#') && !isOutsideAddress(target)) found.append(target);
    }
    for (auto urls = kCssUrl.globalMatch(html); urls.hasNext();) {
        const QString target = attributeValue(urls.next());
        if (!target.isEmpty() && !isOutsideAddress(target)) found.append(target);
    }
    return found;
}

QString PictureRefs::rewrite(const QString& html) {
    QString out;
    qsizetype copied = 0;
    for (auto tags = kTag.globalMatch(html); tags.hasNext();) {
        const auto tag = tags.next();
        QString text = tag.captured();
        const auto src = kSrc.match(text);
        if (!src.hasMatch()) continue;
        int valueGroup = 2;
        while (src.capturedStart(valueGroup) < 0)
            ++valueGroup;
        const QString value = src.captured(valueGroup);
        if (value.isEmpty() || isOutsideAddress(value)) continue;
        const PictureRef& ref = refFor(value);
        text = text.left(src.capturedStart(0)) + src.captured(1) + u"\"cid:"_s + ref.contentId + u'"' +
               text.mid(src.capturedEnd(0));
        out += QStringView(html).mid(copied, tag.capturedStart() - copied);
        out += text;
        copied = tag.capturedEnd();
    }
    out += QStringView(html).mid(copied);
    return out;
}

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One local picture that a page names in a src attribute.
struct PictureRef {
    QString reference; // the attribute value as written in the page
    QString filePath;  // where the picture lies, resolved against the page's folder
    QString contentId; // the Content-ID without angle brackets; the page refers to it as cid:<contentId>
};

// Finds the local pictures of a page and rewrites their references to cid: addresses.
// Outside addresses (http:, https:, data:, cid:, //host) are left as written: the archive never
// carries them, and the browser must not fetch them either.
class PictureRefs final {
public:
    explicit PictureRefs(const QString& pageFolder);

    // Returns the page with every local src attribute pointing at its cid: address.
    // Each distinct reference yields one entry of refs(), in order of first appearance.
    QString rewrite(const QString& html);

    const QList<PictureRef>& refs() const { return m_refs; }

    static bool isOutsideAddress(const QString& reference);

    // Local addresses the archive would leave dangling: href targets other than a fragment of the page
    // itself (other pages, style sheets) and CSS url(...) targets. A page holding any of them cannot be
    // packed.
    static QStringList unpackedReferences(const QString& html);

private:
    const PictureRef& refFor(const QString& reference);

    QString m_pageFolder;
    QList<PictureRef> m_refs;
};

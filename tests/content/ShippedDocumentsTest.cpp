#include "MhtParts.h"
#include "packer/MhtPacker.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

int hanCount(const QString& text) {
    int count = 0;
    for (const QChar c : text)
        count += c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF;
    return count;
}

QString withoutTags(const QString& html) {
    static const QRegularExpression styles(u"<style[^>]*>.*?</style>"_s,
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tags(u"<[^>]*>"_s);
    return QString(html).remove(styles).remove(tags);
}

class ShippedDocument : public ::testing::TestWithParam<const char*> {};

} // namespace

// The two documents the program shows: they must pack, carry all their pictures, and offer real reading.
TEST_P(ShippedDocument, PacksWithAllPicturesAndEnoughText) {
    const QString source = QString::fromUtf8(DOCS_SOURCE_DIR) + u'/' + QString::fromUtf8(GetParam());
    const common::Outcome<QByteArray> packed = MhtPacker::pack(source);
    ASSERT_TRUE(packed.ok()) << packed.reason().toStdString();
    const MhtArchive archive = readMht(*packed);
    ASSERT_TRUE(archive.error.isEmpty() && archive.closed);
    ASSERT_GE(archive.parts.size(), 3); // the page and at least two pictures

    const QString page = QString::fromUtf8(archive.parts[0].body);
    static const QRegularExpression title(u"<title>([^<]+)</title>"_s);
    EXPECT_TRUE(title.match(page).hasMatch());
    EXPECT_GE(hanCount(withoutTags(page)), 3000);

    for (qsizetype i = 1; i < archive.parts.size(); ++i) {
        const MhtPart& part = archive.parts[i];
        EXPECT_TRUE(part.body.startsWith("\x89PNG\r\n\x1a\n")) << i;
        const QByteArray id = part.headers.value("content-id");
        EXPECT_TRUE(page.contains(u"\"cid:"_s + QString::fromLatin1(id.mid(1, id.size() - 2)) + u'"')) << i;
    }
    // Exactly one outside link and one outside picture: the viewer must show the page without them.
    static const QRegularExpression outsideLink(u"<a\\s[^>]*href=\"https?://"_s);
    static const QRegularExpression outsidePicture(u"<img\\s[^>]*src=\"https?://"_s);
    EXPECT_EQ(page.count(outsideLink), 1);
    EXPECT_EQ(page.count(outsidePicture), 1);
}

INSTANTIATE_TEST_SUITE_P(Docs, ShippedDocument, ::testing::Values("dagang.html", "beikao.html"));

// The build leaves both archives beside the program, under the names the main window opens, packed from the
// current sources.
TEST(ShippedArchives, BuildWritesThemBesideTheProgram) {
    const QString bin = QString::fromUtf8(VELMORA_BIN_DIR);
    const QList<std::pair<QString, QString>> docs = {{u"dagang.html"_s, u"Velmora考试大纲.mht"_s},
                                                     {u"beikao.html"_s, u"beikao.mht"_s}};
    for (const auto& [page, archiveName] : docs) {
        QFile built(bin + u'/' + archiveName);
        ASSERT_TRUE(built.open(QIODevice::ReadOnly)) << archiveName.toStdString();
        const common::Outcome<QByteArray> fresh =
            MhtPacker::pack(QString::fromUtf8(DOCS_SOURCE_DIR) + u'/' + page);
        ASSERT_TRUE(fresh.ok());
        EXPECT_EQ(built.readAll(), *fresh) << archiveName.toStdString() << " is stale";
    }
}

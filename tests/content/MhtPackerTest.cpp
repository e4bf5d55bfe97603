#include "packer/MhtPacker.h"
#include "MhtParts.h"
#include "packer/MimeText.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray randomBytes(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.section(u'/', 0, -2));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Every line break is CRLF: no lone LF and no lone CR anywhere.
bool onlyCrlf(const QByteArray& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    }
    return true;
}

class PackedPage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_png = randomBytes(5000, 1);
        m_jpg = randomBytes(1234, 2);
        writeFile(path(u"pictures/chart.png"_s), m_png);
        writeFile(path(u"pictures/photo.jpg"_s), m_jpg);
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void writePage(const QString& html) { writeFile(path(u"page.html"_s), html.toUtf8()); }

    QTemporaryDir m_dir;
    QByteArray m_png;
    QByteArray m_jpg;
};

const QString kPage =
    u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>会计基础</title></head>\n"
    u"<body><h1>借贷记账法</h1><img src=\"pictures/chart.png\">\r\n<img src='pictures/photo.jpg'>"
    u"<img src=\"pictures/chart.png\"><img src=\"http://www.mof.gov.cn/logo.png\"></body></html>\n"_s;

} // namespace

TEST(MimeText, Base64LinesAreShortCrlfEndedAndDecodeBack) {
    for (const int size : {0, 1, 56, 57, 58, 3000}) {
        const QByteArray bytes = randomBytes(size, size);
        const QByteArray lines = MimeText::base64Lines(bytes);
        EXPECT_TRUE(onlyCrlf(lines)) << size;
        for (const QByteArray& line : lines.split('\n'))
            EXPECT_LE(line.size(), MimeText::kBase64LineLength + 1);
        EXPECT_EQ(QByteArray::fromBase64(QByteArray(lines).replace("\r\n", "")), bytes) << size;
        if (size > 0) {
            EXPECT_TRUE(lines.endsWith("\r\n"));
        }
    }
}

TEST_F(PackedPage, ArchiveIsWellFormedMultipartWithCrlfOnly) {
    writePage(kPage);
    const common::Outcome<QByteArray> packed = MhtPacker::pack(path(u"page.html"_s));
    ASSERT_TRUE(packed.ok()) << packed.reason().toStdString();
    EXPECT_TRUE(onlyCrlf(*packed));
    EXPECT_TRUE(packed->startsWith("MIME-Version: 1.0\r\n"));

    const MhtArchive archive = readMht(*packed);
    ASSERT_TRUE(archive.error.isEmpty()) << archive.error.toStdString();
    EXPECT_TRUE(archive.headers.value("content-type").startsWith("multipart/related; type=\"text/html\";"));
    EXPECT_EQ(archive.boundary, QByteArray(MhtPacker::kBoundary));
    EXPECT_TRUE(archive.closed);
    EXPECT_TRUE(packed->endsWith("--"_ba + MhtPacker::kBoundary + "--\r\n"_ba));
    ASSERT_EQ(archive.parts.size(), 3); // the page, then each distinct picture once
    EXPECT_EQ(archive.parts[0].headers.value("content-type"), "text/html; charset=\"utf-8\"");
    for (const MhtPart& part : archive.parts) {
        EXPECT_EQ(part.headers.value("content-transfer-encoding"), "base64");
        for (const QByteArray& line : part.rawBody.split('\n'))
            EXPECT_LE(line.size(), 77);
        // The boundary must never occur inside a body.
        EXPECT_FALSE(part.rawBody.contains(archive.boundary));
    }
}

TEST_F(PackedPage, EveryPictureIsCarriedByteForByteAndReferencedByCid) {
    writePage(kPage);
    const common::Outcome<QByteArray> packed = MhtPacker::pack(path(u"page.html"_s));
    ASSERT_TRUE(packed.ok()) << packed.reason().toStdString();
    const MhtArchive archive = readMht(*packed);
    ASSERT_EQ(archive.parts.size(), 3);
    const QString page = QString::fromUtf8(archive.parts[0].body);
    EXPECT_TRUE(page.contains(u"<title>会计基础</title>"_s));
    EXPECT_FALSE(page.contains(u"pictures/"_s)); // no local reference survives
    EXPECT_TRUE(page.contains(u"src=\"http://www.mof.gov.cn/logo.png\""_s));

    const QList<QByteArray> expected = {m_png, m_jpg};
    const QList<QByteArray> types = {"image/png", "image/jpeg"};
    for (int i = 1; i < 3; ++i) {
        const MhtPart& part = archive.parts[i];
        EXPECT_EQ(part.body, expected[i - 1]);
        EXPECT_EQ(part.headers.value("content-type"), types[i - 1]);
        QByteArray id = part.headers.value("content-id");
        ASSERT_TRUE(id.startsWith('<') && id.endsWith('>')) << id.constData();
        id = id.mid(1, id.size() - 2);
        EXPECT_TRUE(page.contains(u"src=\"cid:"_s + QString::fromLatin1(id) + u'"')) << id.constData();
    }
}

TEST_F(PackedPage, MissingPictureIsNamedInTheError) {
    writePage(u"<img src=\"pictures/chart.png\"><img src=\"pictures/gone.png\">"_s);
    const common::Outcome<QByteArray> packed = MhtPacker::pack(path(u"page.html"_s));
    EXPECT_FALSE(packed.ok());
    EXPECT_TRUE(packed.reason().contains(u"pictures/gone.png"_s)) << packed.reason().toStdString();
}

TEST_F(PackedPage, BadInputsAreErrors) {
    EXPECT_TRUE(MhtPacker::pack(path(u"absent.html"_s)).reason().contains(u"absent.html"_s));

    writeFile(path(u"notes.txt"_s), "plain");
    writePage(u"<img src=\"notes.txt\">"_s);
    EXPECT_TRUE(MhtPacker::pack(path(u"page.html"_s)).reason().contains(u"file type"_s));

    writePage(u"<img src=\"pictures/chart.png\"><a href=\"chapter2.html\">下一章</a>"_s);
    EXPECT_TRUE(MhtPacker::pack(path(u"page.html"_s)).reason().contains(u"chapter2.html"_s));

    writeFile(path(u"page.html"_s), "<p>\xb5\xc7\xbc\xc7</p>"); // GBK bytes, not UTF-8
    EXPECT_TRUE(MhtPacker::pack(path(u"page.html"_s)).reason().contains(u"UTF-8"_s));
}

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString stderrText;
};

ToolRun mhtpack(const QStringList& args) {
    QProcess process;
    process.start(QString::fromUtf8(MHTPACK_PATH), args);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(MhtpackTool, WritesTheArchiveAndExitsZero) {
    QTemporaryDir dir;
    writeFile(dir.filePath(u"a.png"_s), "\x89PNG fake");
    writeFile(dir.filePath(u"page.html"_s), "<img src=\"a.png\">");
    const QString out = dir.filePath(u"文档.mht"_s);
    const ToolRun run = mhtpack({dir.filePath(u"page.html"_s), out});
    EXPECT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
    EXPECT_TRUE(readFile(out).startsWith("MIME-Version: 1.0\r\n"));
}

TEST(MhtpackTool, FailureExitsNonZeroSaysWhyAndLeavesNoFile) {
    QTemporaryDir dir;
    writeFile(dir.filePath(u"page.html"_s), "<img src=\"missing.png\">");
    const QString out = dir.filePath(u"out.mht"_s);
    ToolRun run = mhtpack({dir.filePath(u"page.html"_s), out});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.stderrText.contains(u"missing.png"_s)) << run.stderrText.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    run = mhtpack({dir.filePath(u"nothing.html"_s), out});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.stderrText.contains(u"nothing.html"_s)) << run.stderrText.toStdString();
    EXPECT_FALSE(QFile::exists(out));
    // Nothing half-written lies about either: no temporary file beside the destination.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"page.html"_s});
}

TEST(MhtpackTool, FailureKeepsThePreviousArchiveWhole) {
    QTemporaryDir dir;
    const QString out = dir.filePath(u"out.mht"_s);
    writeFile(out, "previous archive");
    writeFile(dir.filePath(u"page.html"_s), "<img src=\"missing.png\">");
    EXPECT_NE(mhtpack({dir.filePath(u"page.html"_s), out}).exitCode, 0);
    EXPECT_EQ(readFile(out), "previous archive");

    writeFile(dir.filePath(u"ok.html"_s), "<p>ok</p>");
    const ToolRun run = mhtpack({dir.filePath(u"ok.html"_s), dir.filePath(u"no/such/folder/out.mht"_s)});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.stderrText.contains(u"cannot write"_s)) << run.stderrText.toStdString();
}

TEST(MhtpackTool, WrongArgumentsShowUsage) {
    const ToolRun run = mhtpack({u"only-one.html"_s});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.stderrText.contains(u"usage"_s));
}

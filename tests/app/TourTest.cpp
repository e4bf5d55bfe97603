// The screenshot tour answers questions in every window; it must do so in a copy of the bank and
// leave the bank the build ships exactly as built.

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

TEST(Tour, LeavesTheShippedBankAsBuilt) {
    const QString bank = QFileInfo(QStringLiteral(VELMORA_TOUR)).absolutePath() + u"/qvtb.mdb"_s;
    const QByteArray before = digest(bank);
    ASSERT_FALSE(before.isEmpty());
    const QDateTime modified = QFileInfo(bank).lastModified();

    QTemporaryDir pictures;
    QProcess tour;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"QTWEBENGINE_DISABLE_SANDBOX"_s, u"1"_s);
    tour.setProcessEnvironment(environment);
    tour.setProcessChannelMode(QProcess::MergedChannels);
    tour.start(QStringLiteral(VELMORA_TOUR), {pictures.path()});
    ASSERT_TRUE(tour.waitForFinished(120000));
    const QByteArray log = tour.readAll();
    EXPECT_EQ(tour.exitCode(), 0) << log.toStdString();
    EXPECT_TRUE(log.contains("practice-single")) << "the tour answered practice questions";

    EXPECT_EQ(digest(bank), before);
    EXPECT_EQ(QFileInfo(bank).lastModified(), modified);
    EXPECT_FALSE(QFile::exists(bank + u"-journal"_s)) << "no journal beside the shipped bank";
}

#include "app/UserBank.h"

#include "app/BankFolder.h"
#include "bank/BankCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace app {
namespace {

Q_LOGGING_CATEGORY(lcUserBank, "velmora.userbank", QtInfoMsg)

QString versionOf(const QString& bank) {
    QFile file(bank + UserBank::kVersionSuffix);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(file.readAll().trimmed());
}

// Writes `bytes` under a temporary name beside `target`, then moves it into place.
common::Outcome<> writeInPlace(BankFolder& folder, const QString& target, const QByteArray& bytes) {
    const QString draft = target + u".new"_s;
    common::Outcome<> written = folder.writeNew(draft, bytes);
    if (written) written = folder.replace(draft, target);
    if (!written) static_cast<void>(folder.remove(draft));
    return written;
}

common::Outcome<> copyFiles(BankFolder& folder, const QString& shippedBank, const QString& version) {
    QFile shipped(shippedBank);
    if (!shipped.open(QIODevice::ReadOnly))
        return common::Failure{u"cannot read %1 : %2"_s.arg(shippedBank, shipped.errorString())};
    // A journal left by an interrupted write belongs to the old copy; played back into the new one it
    // would overwrite its pages. The copy's version goes last: a start killed before it copies again.
    const QString bank = UserBank::kFileName;
    OUTCOME_TRY(folder.remove(bank + u"-journal"_s));
    OUTCOME_TRY(writeInPlace(folder, bank, shipped.readAll()));
    return writeInPlace(folder, bank + UserBank::kVersionSuffix, version.toLatin1() + '\n');
}

// Copies the shipped bank and its version into the folder; a failure is logged with its reason.
bool copyBank(BankFolder& folder, const QString& shippedBank, const QString& version) {
    const common::Outcome<> copied = copyFiles(folder, shippedBank, version);
    if (!copied) qCWarning(lcUserBank).noquote() << copied.reason();
    return copied.ok();
}

// True when no other process holds the bank's lock (the engine locks the file for each statement);
// the lock is then held until `lock` is closed.
bool lockExclusively(const BankFolder& folder, int& lock) {
    lock = ::openat(folder.fd(), QFile::encodeName(UserBank::kFileName).constData(),
                    O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    return lock >= 0 && ::flock(lock, LOCK_EX | LOCK_NB) == 0;
}

// The folder of the per-user copy, made when missing.
common::Outcome<BankFolder> userFolder(const QString& userBank) {
    const QString directory = QFileInfo(userBank).absolutePath();
    if (!QFileInfo(userBank).isAbsolute() || QFileInfo(userBank).fileName() != UserBank::kFileName ||
        !QDir().mkpath(directory))
        return common::Failure{u"cannot make the folder of "_s + userBank};
    return BankFolder::open(directory);
}

} // namespace

QString UserBank::choosePath(const QString& programDirectory, const QString& userDirectory) {
    const QFileInfo beside(QDir(programDirectory).filePath(kFileName));
    if (beside.isFile() && beside.isWritable() && QFileInfo(programDirectory).isWritable())
        return beside.absoluteFilePath();
    return QDir(userDirectory).filePath(kFileName);
}

QString UserBank::userDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

common::Outcome<> UserBank::prepare(const QString& shippedBank, const QString& userBank) {
    const bool haveCopy = QFileInfo(userBank).isFile();
    if (!QFileInfo(shippedBank).isFile()) {
        if (haveCopy) return {};
        return common::Failure{bank::bankUnusable(u"找不到题库文件"_s, shippedBank)};
    }
    const common::Failure cannotMake{bank::bankUnusable(u"无法建立题库文件"_s, userBank)};
    const QString version = versionOf(shippedBank);
    if (haveCopy && versionOf(userBank) == version) return {};
    common::Outcome<BankFolder> folder = userFolder(userBank);
    if (!folder) {
        qCWarning(lcUserBank).noquote() << folder.reason();
        return cannotMake;
    }
    int lock = -1;
    const bool free = !haveCopy || lockExclusively(*folder, lock);
    const bool copied = free && copyBank(*folder, shippedBank, version);
    if (lock >= 0) ::close(lock);
    if (!free)
        qCInfo(lcUserBank).noquote() << userBank << "is in use; the newer bank replaces it at a later start";
    else if (!copied && haveCopy)
        qCWarning(lcUserBank).noquote() << "the newer bank could not replace" << userBank << "; it stays";
    if (copied || QFileInfo(userBank).isFile()) return {};
    return cannotMake;
}

common::Outcome<QString> UserBank::restore(const QString& shippedBank, const QString& userBank) {
    const common::Failure cannotRestore{bank::bankUnusable(u"题库文件已损坏，也无法重新建立"_s, userBank)};
    common::Outcome<BankFolder> folder = userFolder(userBank);
    common::Outcome<QString> aside = folder ? folder->setAside(kFileName) : common::Failure{folder.reason()};
    if (!aside) {
        qCWarning(lcUserBank).noquote() << aside.reason();
        return cannotRestore;
    }
    qCWarning(lcUserBank).noquote() << userBank << "is damaged; set aside as" << *aside;
    if (!copyBank(*folder, shippedBank, versionOf(shippedBank))) return cannotRestore;
    return folder->filePath(*aside);
}

} // namespace app

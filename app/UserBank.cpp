#include "app/UserBank.h"

#include "app/BankCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
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

// An open descriptor that closes itself.
class Descriptor final {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool syncDirectory(const QString& directory) {
    const Descriptor dir(
        ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.get() >= 0 && ::fsync(dir.get()) == 0;
}

// A temporary file beside `target` holding `bytes`, synced; empty when it could not be written.
QString writeDraft(const QString& target, const QByteArray& bytes) {
    const QString draft = target + u".new"_s;
    QFile file(draft);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
        file.flush() && ::fsync(file.handle()) == 0)
        return draft;
    qCWarning(lcUserBank).noquote() << "cannot write" << draft << ":" << file.errorString();
    file.remove();
    return {};
}

bool putInPlace(const QString& draft, const QString& target) {
    if (std::rename(QFile::encodeName(draft).constData(), QFile::encodeName(target).constData()) != 0) {
        qCWarning(lcUserBank).noquote() << "cannot rename" << draft << ":" << std::strerror(errno);
        QFile::remove(draft);
        return false;
    }
    return syncDirectory(QFileInfo(target).absolutePath());
}

bool copyBank(const QString& shippedBank, const QString& userBank, const QString& version) {
    QFile shipped(shippedBank);
    if (!shipped.open(QIODevice::ReadOnly)) {
        qCWarning(lcUserBank).noquote() << "cannot read" << shippedBank << ":" << shipped.errorString();
        return false;
    }
    const QString draft = writeDraft(userBank, shipped.readAll());
    if (draft.isEmpty()) return false;
    // A journal left by an interrupted write belongs to the old copy; played back into the new one it
    // would overwrite its pages. The copy's version goes last: a start killed before it copies again.
    QFile::remove(userBank + u"-journal"_s);
    if (!putInPlace(draft, userBank)) return false;
    const QString versionFile = userBank + UserBank::kVersionSuffix;
    const QString versionDraft = writeDraft(versionFile, version.toLatin1() + '\n');
    return !versionDraft.isEmpty() && putInPlace(versionDraft, versionFile);
}

// True when no other process holds the bank's lock (the engine locks the file for each statement);
// the lock is then held until `lock` goes.
bool lockExclusively(const QString& bank, std::unique_ptr<Descriptor>& lock) {
    lock = std::make_unique<Descriptor>(::open(QFile::encodeName(bank).constData(), O_RDONLY | O_CLOEXEC));
    return lock->get() >= 0 && ::flock(lock->get(), LOCK_EX | LOCK_NB) == 0;
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
        return common::Failure{bankUnusable(u"找不到题库文件"_s, shippedBank)};
    }
    const common::Failure cannotMake{bankUnusable(u"无法建立题库文件"_s, userBank)};
    if (!QFileInfo(userBank).isAbsolute()) return cannotMake;
    const QString version = versionOf(shippedBank);
    if (haveCopy && versionOf(userBank) == version) return {};
    if (!QDir().mkpath(QFileInfo(userBank).absolutePath())) return cannotMake;
    std::unique_ptr<Descriptor> lock;
    if (haveCopy && !lockExclusively(userBank, lock)) {
        qCInfo(lcUserBank).noquote() << userBank << "is in use; the newer bank replaces it at a later start";
        return {};
    }
    if (copyBank(shippedBank, userBank, version) || QFileInfo(userBank).isFile()) return {};
    return cannotMake;
}

} // namespace app

#include "app/BankFolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace app {
namespace {

QByteArray encoded(const QString& name) {
    return QFile::encodeName(name);
}

bool writeWhole(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

} // namespace

common::Outcome<BankFolder> BankFolder::open(const QString& directory) {
    const int fd = ::open(encoded(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return common::Failure{
            u"cannot open the folder %1: %2"_s.arg(directory, QString::fromLocal8Bit(std::strerror(errno)))};
    return BankFolder(fd, directory);
}

BankFolder::~BankFolder() {
    if (m_fd >= 0) ::close(m_fd);
}

BankFolder::BankFolder(BankFolder&& other) noexcept : m_fd(other.m_fd), m_path(std::move(other.m_path)) {
    other.m_fd = -1;
}

QString BankFolder::filePath(const QString& name) const {
    return QDir(m_path).filePath(name);
}

// What failed and the system's reason, for the log: "cannot write …: No space left on device".
common::Failure BankFolder::failure(const QString& what, const QString& name) const {
    return common::Failure{
        u"cannot %1 %2: %3"_s.arg(what, filePath(name), QString::fromLocal8Bit(std::strerror(errno)))};
}

common::Outcome<> BankFolder::writeNew(const QString& name, const QByteArray& bytes) {
    OUTCOME_TRY(remove(name));
    const int fd =
        ::openat(m_fd, encoded(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return failure(u"create"_s, name);
    const bool written = writeWhole(fd, bytes) && ::fsync(fd) == 0;
    const common::Failure failed = failure(u"write"_s, name);
    ::close(fd);
    if (written) return {};
    static_cast<void>(remove(name)); // the write's reason is the one to tell
    return failed;
}

common::Outcome<> BankFolder::replace(const QString& from, const QString& to) {
    if (::renameat(m_fd, encoded(from).constData(), m_fd, encoded(to).constData()) != 0)
        return failure(u"rename %1 to"_s.arg(filePath(from)), to);
    if (::fsync(m_fd) != 0) return failure(u"sync the folder of"_s, to);
    return {};
}

common::Outcome<QString> BankFolder::setAside(const QString& name) {
    for (int n = 1;; ++n) {
        const QString aside = u"%1.damaged-%2"_s.arg(name).arg(n);
        if (::renameat2(m_fd, encoded(name).constData(), m_fd, encoded(aside).constData(),
                        RENAME_NOREPLACE) == 0) {
            if (::fsync(m_fd) != 0) return failure(u"sync the folder of"_s, aside);
            return aside;
        }
        if (errno != EEXIST) return failure(u"set aside"_s, name);
    }
}

common::Outcome<> BankFolder::remove(const QString& name) {
    if (::unlinkat(m_fd, encoded(name).constData(), 0) == 0 || errno == ENOENT) return {};
    return failure(u"remove"_s, name);
}

} // namespace app

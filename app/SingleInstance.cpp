#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace app {
namespace {

Q_LOGGING_CATEGORY(lcInstance, "velmora.instance", QtInfoMsg)

// How long a later copy waits for the first one, which may itself be starting and not yet listening.
constexpr int kAttempts = 20;
constexpr int kAttemptMilliseconds = 150;

// The same bank reached by any path (a link, "..", a relative path) gives the same key.
QString bankKey(const QString& bankPath) {
    const QFileInfo file(bankPath);
    const QString canonical = file.canonicalFilePath();
    const QByteArray path = (canonical.isEmpty() ? file.absoluteFilePath() : canonical).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(16));
}

} // namespace

SingleInstance::SingleInstance(const QString& bankPath, const QString& directory)
    : m_lockPath(bankPath + kLockSuffix),
      m_socketPath(QDir(directory).filePath(u"velmora-%1.socket"_s.arg(bankKey(bankPath)))) {
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            Q_EMIT raiseRequested();
        }
    });
}

SingleInstance::~SingleInstance() {
    if (m_lock >= 0) ::close(m_lock);
}

QString SingleInstance::runtimeDirectory() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

// The lock is held for the whole run and goes with the process, so a killed copy leaves none behind.
// It is never taken through a link.
bool SingleInstance::lockBank() {
    QDir().mkpath(QFileInfo(m_lockPath).absolutePath());
    const int fd =
        ::open(QFile::encodeName(m_lockPath).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_lock = fd;
        return true;
    }
    const int error = errno;
    ::close(fd);
    errno = error;
    return false;
}

SingleInstance::Claim SingleInstance::claim() {
    if (lockBank()) {
        // A socket left by a copy that was killed would refuse the name.
        QLocalServer::removeServer(m_socketPath);
        if (!m_server.listen(m_socketPath))
            qCWarning(lcInstance).noquote()
                << "cannot listen at" << m_socketPath << ":" << m_server.errorString();
        return Claim::First;
    }
    if (errno != EWOULDBLOCK) {
        // No lock can be made there (no permission, a link in its place): one copy cannot be
        // enforced, and refusing to start would help nobody.
        qCWarning(lcInstance).noquote() << "cannot lock" << m_lockPath << ":" << std::strerror(errno);
        return Claim::First;
    }
    return askFirstToRaise() ? Claim::Raised : Claim::Unreachable;
}

bool SingleInstance::askFirstToRaise() {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(kAttemptMilliseconds)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(kAttemptMilliseconds);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(kAttemptMilliseconds);
    }
    return false;
}

} // namespace app

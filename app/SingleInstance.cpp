#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
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

// The socket's address, or none when the path does not fit one.
bool socketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path)) return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    return true;
}

} // namespace

SingleInstance::SingleInstance(const QString& bankPath, const QString& directory)
    : m_lockPath(bankPath + kLockSuffix),
      m_socketPath(QDir(directory).filePath(u"velmora-%1.socket"_s.arg(bankKey(bankPath)))) {}

SingleInstance::~SingleInstance() {
    if (m_server >= 0) {
        ::close(m_server);
        ::unlink(QFile::encodeName(m_socketPath).constData());
    }
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
        listen();
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

// Without a server this copy still runs; later copies are then told that it runs.
void SingleInstance::listen() {
    sockaddr_un address;
    const auto refused = [this](const char* reason) {
        qCWarning(lcInstance).noquote() << "cannot listen at" << m_socketPath << ":" << reason;
    };
    if (!socketAddress(m_socketPath, address)) return refused("the path is too long for a socket");
    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (server < 0) return refused(std::strerror(errno));
    // A socket left by a copy that was killed would refuse the name; the lock says it is gone.
    ::unlink(address.sun_path);
    if (::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(server, SOMAXCONN) != 0) {
        const int error = errno;
        ::close(server);
        return refused(std::strerror(error));
    }
    m_server = server;
    m_requests = new QSocketNotifier(server, QSocketNotifier::Read, this);
    connect(m_requests, &QSocketNotifier::activated, this, &SingleInstance::acceptRequests);
}

// A connection is the whole request: the later copy asks for nothing else.
void SingleInstance::acceptRequests() {
    while (true) {
        const int connection = ::accept4(m_server, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) return;
        ::close(connection);
        Q_EMIT raiseRequested();
    }
}

bool SingleInstance::askFirstToRaise() {
    sockaddr_un address;
    if (!socketAddress(m_socketPath, address)) return false;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (socket < 0) return false;
        const bool reached =
            ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (reached) (void)::send(socket, "raise\n", 6, MSG_NOSIGNAL);
        ::close(socket);
        if (reached) return true;
        QThread::msleep(kAttemptMilliseconds);
    }
    return false;
}

} // namespace app

#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace app {

// One copy of the program per bank, so that no copy clears a table another is answering in. The
// first copy holds a lock on a file beside the bank (`qvtb.mdb.lock`), which every session of the
// user reaches whatever its runtime directory, and listens on a local server in its runtime
// directory, named for the bank's canonical path; a later copy asks it to bring its window to the
// front, and one of another session, which cannot reach it, is told that the program runs.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        First,      // this copy holds the bank
        Raised,     // another copy holds it and was asked to come to the front
        Unreachable // another copy holds it but did not answer
    };

    static inline const QString kLockSuffix = QStringLiteral(".lock");

    // `directory` is where the server lives: the user's runtime directory by default.
    explicit SingleInstance(const QString& bankPath, const QString& directory = runtimeDirectory());
    ~SingleInstance() override;
    static QString runtimeDirectory();

    Claim claim();
    // Whether this copy holds the lock beside the bank: only then may it replace the bank.
    bool holdsBank() const { return m_lock >= 0; }

Q_SIGNALS:
    // A later copy asked this one to come to the front.
    void raiseRequested();

private:
    bool askFirstToRaise();
    bool lockBank();
    void listen();
    void acceptRequests();

    QString m_lockPath;
    QString m_socketPath;
    int m_lock = -1;   // the descriptor whose lock this copy holds
    int m_server = -1; // the listening socket, a plain local socket: the program needs no network library
    QSocketNotifier* m_requests = nullptr;
};

} // namespace app

#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace app {

// One copy of the program per bank, so that no copy clears a table another is answering in. The
// first copy holds a lock file and a local server in the runtime directory, both named for the
// bank's canonical path; a later copy asks it to bring its window to the front.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        First,      // this copy holds the bank
        Raised,     // another copy holds it and was asked to come to the front
        Unreachable // another copy holds it but did not answer
    };

    // `directory` is where the lock and the server live: the user's runtime directory by default.
    explicit SingleInstance(const QString& bankPath, const QString& directory = runtimeDirectory());
    static QString runtimeDirectory();

    Claim claim();

Q_SIGNALS:
    // A later copy asked this one to come to the front.
    void raiseRequested();

private:
    bool askFirstToRaise();

    QString m_socketPath;
    QLockFile m_lock;
    QLocalServer m_server;
};

} // namespace app

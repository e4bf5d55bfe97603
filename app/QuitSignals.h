#pragma once

#include <QObject>

class QSocketNotifier;

namespace app {

// SIGTERM (shutdown), SIGHUP (logout) and SIGINT (Ctrl+C) end the program in order instead of
// killing it mid-statement: the session-end flag is set, every window closes as on its close button
// without asking (an exam in progress is kept for the next start), and the event loop quits. The
// handler only writes to a pipe; the notifier acts on the user-interface thread.
class QuitSignals final : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

private:
    void quitInOrder();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace app

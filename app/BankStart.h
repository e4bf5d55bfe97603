#pragma once

#include "common/Outcome.h"

#include <QObject>
#include <QString>

#include <future>
#include <mutex>
#include <thread>

namespace app {

// The bank as the program finds it at start.
struct StartingBank {
    common::Outcome<> usable;
    // What was done unasked (a damaged copy replaced, a journal that did not belong set aside), to
    // tell once; may be empty.
    QString notice;
};

// Makes or upgrades the per-user copy (`bankPath` other than `shippedBank`) and checks the bank. A
// damaged per-user copy is set aside and copied again from the shipped bank. Only the copy of the
// program that `holdsBank` (SingleInstance) replaces a bank that is there; without the claim the
// bank is used as it is.
StartingBank prepareBank(const QString& shippedBank, const QString& bankPath, bool holdsBank);

// prepareBank, once: on a thread that `start` begins once the main window is painted (on a machine
// of two cores the check would otherwise slow the building of the window), or by the first that
// needs the bank before that. `prepared` comes on the owner's thread when the result is there.
class BankPreparation final : public QObject {
    Q_OBJECT
public:
    BankPreparation(QString shippedBank, QString bankPath, bool holdsBank, QObject* parent = nullptr);
    ~BankPreparation() override; // waits for the thread

    // Begins the work on a thread; where none can be started, or the work is done, here.
    void start();
    // The result: waits for the thread, or works it out here when nothing has begun it.
    const StartingBank& result();

Q_SIGNALS:
    void prepared();

private:
    bool claim();
    void prepare();

    const QString m_shippedBank;
    const QString m_bankPath;
    const bool m_holdsBank;
    std::mutex m_mutex;
    bool m_claimed = false;
    std::promise<StartingBank> m_promise;
    std::shared_future<StartingBank> m_result = m_promise.get_future().share();
    std::thread m_thread;
};

// Told once when a damaged copy was replaced.
QString bankRestoredNotice(const QString& asidePath);

} // namespace app

#include "jet/statements/Transactions.h"

namespace jet {

// Waits until no other connection's transaction is open; the owner of a failed one hears of its
// failure until it ends it.
Status Transactions::enter(std::unique_lock<std::mutex>& lock, Owner owner) {
    while (m_transaction && m_transaction->owner != owner) {
        if (m_transaction->thread == std::this_thread::get_id())
            return Status::invalid("another connection of this thread has a transaction open");
        m_idle.wait(lock);
    }
    if (inside(owner) && !m_transaction->failure.ok())
        return Status::invalid("the transaction was rolled back: " + m_transaction->failure.message());
    return {};
}

Status Transactions::begin(Owner owner) {
    std::unique_lock lock(m_mutex);
    if (inside(owner)) return Status::invalid("a transaction is already open on this connection");
    JET_TRY(enter(lock, owner));
    JET_TRY(m_pager.beginWrite());
    m_transaction = Transaction{owner, std::this_thread::get_id(), {}};
    return {};
}

Status Transactions::commit(Owner owner) {
    std::unique_lock lock(m_mutex);
    if (!inside(owner)) return Status::invalid("no transaction is open on this connection");
    const Status failure = m_transaction->failure;
    m_transaction.reset();
    m_idle.notify_all();
    if (!failure.ok()) return Status::invalid("the transaction was rolled back: " + failure.message());
    return m_pager.commit();
}

void Transactions::rollback(Owner owner) {
    std::unique_lock lock(m_mutex);
    if (!inside(owner)) return;
    if (m_transaction->failure.ok()) m_pager.abort();
    m_transaction.reset();
    m_idle.notify_all();
}

std::vector<std::string> Transactions::takeNotices() {
    std::lock_guard guard(m_mutex);
    return m_pager.takeNotices();
}

Status Transactions::write(Owner owner, const std::function<Status()>& apply) {
    std::unique_lock lock(m_mutex);
    JET_TRY(enter(lock, owner));
    if (inside(owner)) {
        Status s = apply();
        if (!s.ok()) {
            m_pager.abort();
            m_transaction->failure = s;
        }
        return s;
    }
    JET_TRY(m_pager.beginWrite());
    Status s = apply();
    if (!s.ok()) {
        m_pager.abort();
        return s;
    }
    return m_pager.commit();
}

} // namespace jet

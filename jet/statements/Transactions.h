#pragma once

// Who uses a file's pager when. A transaction makes several updates of one connection (its owner)
// one: reads inside it see its updates, nothing reaches the file before commit, and a failed
// update, a rollback or an abandoned transaction forgets them all. It holds the file's exclusive
// lock throughout, so other processes wait; other connections of the process wait too (on another
// thread), or are refused (on the owner's thread, where waiting could never end). Every use of the
// pager goes through here, under one lock.
#include "jet/Status.h"
#include "jet/file/Pager.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace jet {

class Transactions {
public:
    // Who sends a statement: a connection's number, or 0 for none.
    using Owner = std::uint64_t;

    explicit Transactions(Pager& pager) : m_pager(pager) {}

    Status begin(Owner owner);
    // Writes the transaction's updates whole, or reports why none was written.
    Status commit(Owner owner);
    void rollback(Owner owner);
    std::vector<std::string> takeNotices();

    // Runs `read` once `owner` may go ahead, with the pager's shared lock held unless the read is
    // part of the owner's transaction, which holds the exclusive lock already.
    template <typename Read> auto read(Owner owner, Read&& read) -> decltype(read()) {
        std::unique_lock lock(m_mutex);
        JET_TRY(enter(lock, owner));
        ReadScope scope(m_pager, inside(owner));
        JET_TRY(scope.status());
        return read();
    }
    // Runs `apply` as one update of `owner`: inside its transaction, where a failure rolls the whole
    // transaction back (a half-applied update cannot be undone alone), or else committed on its own.
    Status write(Owner owner, const std::function<Status()>& apply);

private:
    struct Transaction {
        Owner owner = 0;
        std::thread::id thread;
        Status failure; // set when an update failed: everything was rolled back
    };
    class ReadScope {
    public:
        ReadScope(Pager& pager, bool inTransaction)
            : m_pager(pager), m_owned(!inTransaction), m_status(m_owned ? pager.beginRead() : Status{}) {}
        ~ReadScope() {
            if (m_owned && m_status.ok()) m_pager.endRead();
        }
        const Status& status() const { return m_status; }

    private:
        Pager& m_pager;
        bool m_owned;
        Status m_status;
    };

    Status enter(std::unique_lock<std::mutex>& lock, Owner owner);
    bool inside(Owner owner) const { return m_transaction && m_transaction->owner == owner; }

    Pager& m_pager;
    std::mutex m_mutex;
    std::condition_variable m_idle;
    std::optional<Transaction> m_transaction;
};

} // namespace jet

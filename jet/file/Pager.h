#pragma once

// The page cache of one file, shared by every connection of the process, and the transaction
// around it (one update, or several committed as one).
//
// States: Idle → Reading (shared lock) → Idle; Idle → Writing (exclusive lock) → Idle by commit
// or abort. A failed rollback leaves the pager Failed: every later call fails until reopened.
// Statements lock the database file itself (flock: shared to read, exclusive to write), so
// writers of different processes never interleave; a lock another process keeps fails the
// statement with Busy after a bounded wait. Before a statement reads anything the pager
// plays back a hot journal (or sets aside one that does not belong, noting it) and, if another
// process committed since (the journal's count moved, or the file's length), drops its cached
// pages.
#include "jet/file/File.h"
#include "jet/file/Journal.h"
#include "jet/file/PageStore.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace jet {

class Pager final : public PageStore {
public:
    // `lockWait` bounds each wait for another process's lock on the file.
    static Result<std::unique_ptr<Pager>> open(const std::string& path,
                                               std::chrono::milliseconds lockWait = kStatementLockWait);
    Pager(std::unique_ptr<File> database, Journal::Opener journal, Journal::Keeper keeper = {});

    Status beginRead();
    void endRead();
    Status beginWrite();
    // Journals the original images, writes the changed pages and syncs; whole or not at all.
    Status commit();
    // Forgets every change of the current statement.
    void abort();
    // Rises whenever cached pages were dropped or their changes forgotten, so that layers above drop
    // what they derived.
    std::uint64_t generation() const { return m_generation; }
    bool writable() const { return m_database->writable(); }
    // What the pager did unasked (a journal set aside), each told once.
    std::vector<std::string> takeNotices() { return std::exchange(m_notices, {}); }

    std::uint32_t pageCount() const override { return m_pageCount; }
    Result<ConstPageSpan> read(std::uint32_t page) override;
    Result<ConstPageSpan> readPassing(std::uint32_t page, PageSpan buffer) override;
    Result<PageSpan> modify(std::uint32_t page) override;
    Result<std::uint32_t> append() override;

private:
    enum class State { Idle, Reading, Writing, Failed };

    Status begin(LockMode mode);
    Status recoverHotJournal(LockMode held);
    Status refresh();
    void dropCache();
    void unlock();
    std::set<std::uint32_t> dirtyPages() const;
    Status writeBack();
    Status fail(const Status& cause);

    std::unique_ptr<File> m_database;
    Journal m_journal;
    State m_state = State::Idle;
    std::unordered_map<std::uint32_t, std::unique_ptr<PageImage>> m_cache;
    std::map<std::uint32_t, PageImage> m_originals;
    std::set<std::uint32_t> m_appended;
    std::uint32_t m_pageCount = 0;
    std::uint32_t m_originalPageCount = 0;
    std::uint64_t m_fileSize = ~0ull;
    std::uint64_t m_counter = ~0ull;
    std::uint64_t m_generation = 0;
    std::string m_failure;
    std::vector<std::string> m_notices;
};

} // namespace jet

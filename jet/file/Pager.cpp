#include "jet/file/Pager.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace jet {

namespace {

using format::kPageSize;

constexpr std::size_t kCacheLimit = 8192; // pages kept between statements

std::uint64_t offsetOf(std::uint32_t page) {
    return static_cast<std::uint64_t>(page) * kPageSize;
}

} // namespace

Result<std::unique_ptr<Pager>> Pager::open(const std::string& path, std::chrono::milliseconds lockWait) {
    // A link given as the database's path was chosen by the caller; its journal lives beside the
    // file it leads to. Nothing is followed after this.
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::canonical(path, ec);
    std::string name;
    JET_ASSIGN_OR_RETURN(auto folder, Folder::of(ec ? path : resolved.string(), name));
    JET_ASSIGN_OR_RETURN(auto database, PosixFile::open(folder, name, false, lockWait));
    auto opener = [folder, journal = name + "-journal"](bool create) {
        return PosixFile::open(folder, journal, create);
    };
    auto keeper = [folder, stem = name + "-journal.set-aside"](ByteView bytes) {
        return PosixFile::keep(folder, stem, bytes);
    };
    auto pager = std::make_unique<Pager>(std::move(database), opener, keeper);
    JET_TRY(pager->beginRead());
    pager->endRead();
    return pager;
}

Pager::Pager(std::unique_ptr<File> database, Journal::Opener journal, Journal::Keeper keeper)
    : m_database(std::move(database)), m_journal(std::move(journal), std::move(keeper)) {}

Status Pager::fail(const Status& cause) {
    m_state = State::Failed;
    m_failure = cause.message();
    dropCache();
    unlock();
    return Status::failed("rollback failed, reopen the database: " + cause.message());
}

void Pager::unlock() {
    (void)m_database->lock(LockMode::Unlocked); // releasing cannot leave anything inconsistent
}

void Pager::dropCache() {
    m_cache.clear();
    ++m_generation;
}

Status Pager::recoverHotJournal(LockMode held) {
    JET_ASSIGN_OR_RETURN(auto hot, m_journal.hot());
    if (!hot) return {};
    if (!writable()) return Status::io("the database needs its journal played back but cannot be written");
    if (held != LockMode::Exclusive) JET_TRY(m_database->lock(LockMode::Exclusive));
    auto played = m_journal.playBack(*m_database, true);
    if (!played.ok()) return fail(played.status());
    if (!played->empty())
        m_notices.push_back("a journal beside the file did not belong to it and was not applied; kept as " +
                            played.value());
    dropCache();
    m_counter = ~0ull; // others must drop their pages too
    if (held != LockMode::Exclusive) JET_TRY(m_database->lock(held));
    return {};
}

Status Pager::refresh() {
    JET_ASSIGN_OR_RETURN(auto counter, m_journal.counter());
    JET_ASSIGN_OR_RETURN(auto size, m_database->size());
    if (counter != m_counter || size != m_fileSize) dropCache();
    m_counter = counter;
    m_fileSize = size;
    if (m_fileSize / kPageSize >= format::kMaxPages)
        return Status::corrupt("file is larger than a Jet database can be");
    m_pageCount = static_cast<std::uint32_t>(m_fileSize / kPageSize);
    m_originalPageCount = m_pageCount;
    return {};
}

Status Pager::begin(LockMode mode) {
    if (m_state == State::Failed)
        return Status::failed("an earlier rollback failed, reopen the database: " + m_failure);
    if (m_state != State::Idle) return Status::invalid("a statement is already running on this database");
    JET_TRY(m_database->lock(mode));
    Status s = recoverHotJournal(mode);
    if (s.ok()) s = refresh();
    if (!s.ok()) {
        if (m_state != State::Failed) unlock();
        return s;
    }
    m_state = mode == LockMode::Exclusive ? State::Writing : State::Reading;
    return {};
}

Status Pager::beginRead() {
    return begin(LockMode::Shared);
}

void Pager::endRead() {
    if (m_state != State::Reading) return;
    if (m_cache.size() > kCacheLimit) dropCache();
    unlock();
    m_state = State::Idle;
}

Status Pager::beginWrite() {
    if (!writable()) return Status::io("the database is read-only");
    return begin(LockMode::Exclusive);
}

Result<ConstPageSpan> Pager::read(std::uint32_t page) {
    if (m_state != State::Reading && m_state != State::Writing)
        return Status::invalid("pages are read only inside a statement");
    if (page >= m_pageCount)
        return Status::corrupt("page " + std::to_string(page) + " is beyond the end of the file");
    auto found = m_cache.find(page);
    if (found == m_cache.end()) {
        auto image = std::make_unique<PageImage>(kPageSize);
        JET_TRY(m_database->readAt(offsetOf(page), *image));
        found = m_cache.emplace(page, std::move(image)).first;
    }
    return ConstPageSpan(found->second->data(), kPageSize);
}

Result<ConstPageSpan> Pager::readPassing(std::uint32_t page, PageSpan buffer) {
    if (m_state != State::Reading && m_state != State::Writing)
        return Status::invalid("pages are read only inside a statement");
    if (page >= m_pageCount)
        return Status::corrupt("page " + std::to_string(page) + " is beyond the end of the file");
    auto found = m_cache.find(page);
    if (found != m_cache.end()) return ConstPageSpan(found->second->data(), kPageSize);
    JET_TRY(m_database->readAt(offsetOf(page), buffer));
    return ConstPageSpan(buffer);
}

Result<PageSpan> Pager::modify(std::uint32_t page) {
    if (m_state != State::Writing) return Status::invalid("pages are changed only inside an update");
    JET_ASSIGN_OR_RETURN(auto view, read(page));
    auto& image = *m_cache.at(page);
    if (page < m_originalPageCount && !m_originals.contains(page)) m_originals.emplace(page, image);
    if (page >= m_originalPageCount) m_appended.insert(page);
    return PageSpan(image.data(), kPageSize);
}

Result<std::uint32_t> Pager::append() {
    if (m_state != State::Writing) return Status::invalid("pages are added only inside an update");
    if (m_pageCount + 1 >= format::kMaxPages)
        return Status::invalid("the database has reached its largest size");
    const std::uint32_t page = m_pageCount++;
    m_cache[page] = std::make_unique<PageImage>(kPageSize, 0);
    m_appended.insert(page);
    return page;
}

std::set<std::uint32_t> Pager::dirtyPages() const {
    std::set<std::uint32_t> dirty(m_appended);
    for (const auto& entry : m_originals)
        dirty.insert(entry.first);
    return dirty;
}

Status Pager::writeBack() {
    for (std::uint32_t page : dirtyPages())
        JET_TRY(m_database->writeAt(offsetOf(page), *m_cache.at(page)));
    return m_database->sync();
}

Status Pager::commit() {
    if (m_state != State::Writing) return Status::invalid("no update is running");
    if (m_originals.empty() && m_appended.empty()) {
        unlock();
        m_state = State::Idle;
        return {};
    }
    // The new statement count tells other processes to drop their cached pages.
    const std::uint64_t counter = m_counter + 1;
    std::vector<Journal::Record> records;
    for (std::uint32_t page : dirtyPages()) {
        auto original = m_originals.find(page);
        records.push_back(
            {page, original == m_originals.end() ? nullptr : &original->second, m_cache.at(page).get()});
    }
    Status s = m_journal.write(m_originalPageCount, m_pageCount, records, counter);
    if (!s.ok()) {
        abort();
        return s;
    }
    s = writeBack();
    if (!s.ok()) {
        auto played = m_journal.playBack(*m_database, false);
        if (!played.ok()) return fail(played.status());
        abort();
        return s;
    }
    // The statement is durable now. Should clearing fail, the journal stays hot and the next
    // statement (of any process) finds it complete and keeps it, so this is not a failure.
    (void)m_journal.clear(counter);
    m_counter = counter;
    m_fileSize = offsetOf(m_pageCount);
    m_originals.clear();
    m_appended.clear();
    if (m_cache.size() > kCacheLimit) dropCache();
    unlock();
    m_state = State::Idle;
    return {};
}

void Pager::abort() {
    if (m_state != State::Writing) return;
    for (auto& [page, image] : m_originals)
        *m_cache.at(page) = std::move(image);
    for (std::uint32_t page : m_appended)
        m_cache.erase(page);
    m_originals.clear();
    m_appended.clear();
    m_pageCount = m_originalPageCount;
    ++m_generation; // what was derived from the forgotten changes goes with them
    unlock();
    m_state = State::Idle;
}

} // namespace jet

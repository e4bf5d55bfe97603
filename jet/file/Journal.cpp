#include "jet/file/Journal.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <random>

namespace jet {

namespace {

// Header: magic, nonce, page counts before and after, record count, checksum, transaction count.
constexpr char kMagic[8] = {'V', 'J', 'E', 'T', 'J', 'N', 'L', '3'};
constexpr std::size_t kHeaderSize = 40;
constexpr std::size_t kCounterOffset = 24;
constexpr std::size_t kChecksummed = 20; // magic .. record count
// Disks write whole sectors, so a page caught in the middle of being written is, sector by
// sector, either what it was or what it became.
constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kSectors = format::kPageSize / kSectorSize;
// Record: page, the checksum of each new sector, the original image, the record's checksum.
constexpr std::size_t kSumsOffset = 4;
constexpr std::size_t kOriginalOffset = kSumsOffset + 8 * kSectors;
constexpr std::size_t kRecordData = kOriginalOffset + format::kPageSize;
constexpr std::size_t kRecordSize = kRecordData + 4;
constexpr std::uint32_t kMaxRecords = format::kMaxPages;

std::uint32_t fnv32(std::uint32_t hash, ByteView bytes) {
    for (auto b : bytes) {
        hash ^= b;
        hash *= 16777619u;
    }
    return hash;
}

std::uint64_t sectorSum(ByteView image) {
    std::uint64_t hash = 14695981039346656037ull;
    for (auto b : image) {
        hash ^= b;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::uint32_t recordSum(std::uint32_t nonce, ByteView data) {
    std::array<std::uint8_t, 4> salt{};
    put32(salt, 0, nonce);
    return fnv32(fnv32(2166136261u, salt), data);
}

struct Header {
    std::uint32_t nonce = 0;
    std::uint32_t pageCount = 0;
    std::uint32_t newPageCount = 0;
    std::uint32_t records = 0;
};

std::array<std::uint8_t, kHeaderSize> encodeHeader(const Header& h, std::uint64_t counter) {
    std::array<std::uint8_t, kHeaderSize> out{};
    std::memcpy(out.data(), kMagic, sizeof kMagic);
    put32(out, 8, h.nonce);
    put32(out, 12, h.pageCount);
    put32(out, 16, h.records);
    put64(out, kCounterOffset, counter);
    put32(out, 32, h.newPageCount);
    put32(out, 36,
          fnv32(fnv32(2166136261u, ByteView(out).first(kChecksummed)), ByteView(out).subspan(32, 4)));
    return out;
}

Result<std::optional<Header>> readHeader(File& file) {
    JET_ASSIGN_OR_RETURN(auto size, file.size());
    if (size < kHeaderSize) return std::optional<Header>{};
    std::array<std::uint8_t, kHeaderSize> raw{};
    JET_TRY(file.readAt(0, raw));
    const std::uint32_t sum =
        fnv32(fnv32(2166136261u, ByteView(raw).first(kChecksummed)), ByteView(raw).subspan(32, 4));
    if (std::memcmp(raw.data(), kMagic, sizeof kMagic) != 0 || get32(raw, 36) != sum)
        return std::optional<Header>{};
    Header h{get32(raw, 8), get32(raw, 12), get32(raw, 32), get32(raw, 16)};
    if (h.records > kMaxRecords) return std::optional<Header>{};
    return std::optional<Header>{h};
}

// The records of a hot journal, or none when one does not check out (invariant 5).
Result<std::vector<Bytes>> readRecords(File& journal, const Header& h) {
    std::vector<Bytes> records;
    for (std::uint32_t i = 0; i < h.records; ++i) {
        Bytes record(kRecordSize);
        if (!journal.readAt(kHeaderSize + static_cast<std::uint64_t>(i) * kRecordSize, record).ok() ||
            get32(record, kRecordData) != recordSum(h.nonce, ByteView(record).first(kRecordData)))
            return std::vector<Bytes>{};
        if (get32(record, 0) >= std::max(h.pageCount, h.newPageCount))
            return Status::corrupt("journal record names a page beyond the statement's file");
        records.push_back(std::move(record));
    }
    return records;
}

ByteView sector(ByteView page, std::size_t s) {
    return page.subspan(s * kSectorSize, kSectorSize);
}

bool newSector(ByteView record, ByteView page, std::size_t s) {
    return sectorSum(sector(page, s)) == get64(record, kSumsOffset + 8 * s);
}

std::uint64_t offsetOf(std::uint32_t page) {
    return static_cast<std::uint64_t>(page) * format::kPageSize;
}

Result<bool> complete(File& database, const Header& h, const std::vector<Bytes>& records) {
    JET_ASSIGN_OR_RETURN(auto size, database.size());
    if (size != offsetOf(h.newPageCount)) return false;
    Bytes page(format::kPageSize);
    for (const auto& record : records) {
        JET_TRY(database.readAt(offsetOf(get32(record, 0)), page));
        for (std::size_t s = 0; s < kSectors; ++s)
            if (!newSector(record, page, s)) return false;
    }
    return true;
}

// Whether the file is in a state that the journal's transaction, partly written, leaves it in
// (invariant 7).
Result<bool> belongs(File& database, const Header& h, const std::vector<Bytes>& records) {
    JET_ASSIGN_OR_RETURN(auto size, database.size());
    if (size < offsetOf(h.pageCount) || size > offsetOf(std::max(h.pageCount, h.newPageCount))) return false;
    Bytes page(format::kPageSize);
    for (const auto& record : records) {
        const std::uint32_t number = get32(record, 0);
        const bool appended = number >= h.pageCount;
        // An appended page not (or not wholly) written yet: the file simply ends before it.
        if (appended && offsetOf(number) + format::kPageSize > size) continue;
        JET_TRY(database.readAt(offsetOf(number), page));
        const ByteView original = ByteView(record).subspan(kOriginalOffset, format::kPageSize);
        for (std::size_t s = 0; s < kSectors; ++s) {
            if (newSector(record, page, s)) continue;
            const ByteView now = sector(page, s);
            const bool old = appended ? std::all_of(now.begin(), now.end(), [](auto b) { return b == 0; })
                                      : std::equal(now.begin(), now.end(), sector(original, s).begin());
            if (!old) return false;
        }
    }
    return true;
}

} // namespace

Journal::Journal(Opener opener, Keeper keeper)
    : m_opener(std::move(opener)), m_keeper(std::move(keeper)), m_nonce(std::random_device{}()) {}

// The handle opened to look may be read-only (another user's journal, say): writing opens anew,
// so that a journal that becomes writable is written and one that is not fails with the reason.
Result<File*> Journal::file(bool forWriting) {
    if (!m_file || (forWriting && !m_file->writable())) {
        JET_ASSIGN_OR_RETURN(m_file, m_opener(forWriting));
    }
    return m_file.get();
}

Result<std::string> Journal::setAside(File& journal) {
    JET_ASSIGN_OR_RETURN(auto size, journal.size());
    Bytes bytes(size);
    JET_TRY(journal.readAt(0, bytes));
    if (!m_keeper) return Status::unsupported("a journal that does not belong cannot be set aside here");
    return m_keeper(bytes);
}

Status Journal::write(std::uint32_t originalPageCount, std::uint32_t newPageCount,
                      const std::vector<Record>& records, std::uint64_t counter) {
    JET_ASSIGN_OR_RETURN(auto f, file(true));
    ++m_nonce;
    Bytes buffer(kHeaderSize + records.size() * kRecordSize, 0);
    const auto header = encodeHeader(
        {m_nonce, originalPageCount, newPageCount, static_cast<std::uint32_t>(records.size())}, counter);
    std::copy(header.begin(), header.end(), buffer.begin());
    std::size_t at = kHeaderSize;
    for (const auto& record : records) {
        put32(buffer, at, record.page);
        for (std::size_t s = 0; s < kSectors; ++s)
            put64(buffer, at + kSumsOffset + 8 * s, sectorSum(sector(*record.current, s)));
        if (record.original)
            std::copy(record.original->begin(), record.original->end(),
                      buffer.begin() + static_cast<std::ptrdiff_t>(at + kOriginalOffset));
        put32(buffer, at + kRecordData, recordSum(m_nonce, ByteView(buffer).subspan(at, kRecordData)));
        at += kRecordSize;
    }
    JET_TRY(f->writeAt(0, buffer));
    return f->sync();
}

Status Journal::clear(std::uint64_t counter) {
    JET_ASSIGN_OR_RETURN(auto f, file(true));
    std::array<std::uint8_t, kHeaderSize> cleared{};
    put64(cleared, kCounterOffset, counter);
    return f->writeAt(0, cleared);
}

Result<bool> Journal::hot() {
    auto f = file(false);
    if (!f.ok()) return f.status().code() == Code::NotFound ? Result<bool>(false) : Result<bool>(f.status());
    JET_ASSIGN_OR_RETURN(auto header, readHeader(*f.value()));
    return header.has_value();
}

Result<std::uint64_t> Journal::counter() {
    auto f = file(false);
    if (!f.ok())
        return f.status().code() == Code::NotFound ? Result<std::uint64_t>(std::uint64_t{0})
                                                   : Result<std::uint64_t>(f.status());
    JET_ASSIGN_OR_RETURN(auto size, f.value()->size());
    if (size < kHeaderSize) return std::uint64_t{0};
    std::array<std::uint8_t, 8> raw{};
    JET_TRY(f.value()->readAt(kCounterOffset, raw));
    return get64(raw, 0);
}

Result<std::string> Journal::playBack(File& database, bool found) {
    auto looked = file(false);
    if (!looked.ok())
        return looked.status().code() == Code::NotFound ? Result<std::string>(std::string())
                                                        : Result<std::string>(looked.status());
    JET_ASSIGN_OR_RETURN(auto header, readHeader(*looked.value()));
    if (!header.has_value()) return std::string();
    // Nothing is restored unless the journal can be cleared afterwards (invariant 8).
    JET_ASSIGN_OR_RETURN(auto f, file(true));
    File& journal = *f;
    const Header h = *header;
    std::array<std::uint8_t, 8> counter{};
    JET_TRY(journal.readAt(kCounterOffset, counter));
    JET_ASSIGN_OR_RETURN(auto records, readRecords(journal, h));
    std::string keptAs;
    const bool written = records.size() == h.records;
    JET_ASSIGN_OR_RETURN(auto own, written&& found ? belongs(database, h, records) : Result<bool>(true));
    if (!own) {
        JET_ASSIGN_OR_RETURN(keptAs, setAside(journal));
    }
    JET_ASSIGN_OR_RETURN(auto done, written&& found ? complete(database, h, records) : Result<bool>(false));
    if (written && own && !done) {
        for (const auto& record : records) {
            const std::uint32_t page = get32(record, 0);
            if (page < h.pageCount)
                JET_TRY(database.writeAt(offsetOf(page),
                                         ByteView(record).subspan(kOriginalOffset, format::kPageSize)));
        }
        JET_TRY(database.truncate(offsetOf(h.pageCount)));
        JET_TRY(database.sync());
    }
    // Counted as a transaction of its own, so that every process drops what it cached; synced so
    // that a restored file is never undone by the same journal found hot again.
    JET_TRY(clear(get64(counter, 0) + 1));
    JET_TRY(journal.sync());
    return keptAs;
}

} // namespace jet

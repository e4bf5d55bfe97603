#include "Journal.h"

#include <array>
#include <cstring>
#include <random>

namespace jet {

namespace {

constexpr char kMagic[8] = {'V', 'J', 'E', 'T', 'J', 'N', 'L', '1'};
constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRecordSize = 4 + format::kPageSize + 4;
constexpr std::uint32_t kMaxRecords = format::kMaxPages;

std::uint32_t fnv(std::uint32_t hash, ByteView bytes) {
    for (auto b : bytes) {
        hash ^= b;
        hash *= 16777619u;
    }
    return hash;
}

std::uint32_t recordSum(std::uint32_t nonce, ByteView pageNumberAndImage) {
    std::array<std::uint8_t, 4> salt{};
    put32(salt, 0, nonce);
    return fnv(fnv(2166136261u, salt), pageNumberAndImage);
}

struct Header {
    std::uint32_t nonce = 0;
    std::uint32_t pageCount = 0;
    std::uint32_t records = 0;
};

std::array<std::uint8_t, kHeaderSize> encodeHeader(const Header& h, std::uint64_t counter) {
    std::array<std::uint8_t, kHeaderSize> out{};
    put64(out, 24, counter);
    std::memcpy(out.data(), kMagic, sizeof kMagic);
    put32(out, 8, h.nonce);
    put32(out, 12, h.pageCount);
    put32(out, 16, h.records);
    put32(out, 20, fnv(2166136261u, ByteView(out).first(20)));
    return out;
}

Result<std::optional<Header>> readHeader(File& file) {
    auto size = file.size();
    if (!size.ok()) return size.status();
    if (size.value() < kHeaderSize) return std::optional<Header>{};
    std::array<std::uint8_t, kHeaderSize> raw{};
    JET_TRY(file.readAt(0, raw));
    if (std::memcmp(raw.data(), kMagic, sizeof kMagic) != 0 ||
        get32(raw, 20) != fnv(2166136261u, ByteView(raw).first(20)))
        return std::optional<Header>{};
    Header h{get32(raw, 8), get32(raw, 12), get32(raw, 16)};
    if (h.records > kMaxRecords) return std::optional<Header>{};
    return std::optional<Header>{h};
}

} // namespace

Result<File*> Journal::file(bool create) {
    if (!m_file) {
        auto opened = m_opener(create);
        if (!opened.ok()) return opened.status();
        m_file = std::move(opened.value());
        m_nonce = std::random_device{}();
    }
    return m_file.get();
}

Status Journal::write(std::uint32_t originalPageCount, const std::map<std::uint32_t, PageImage>& originals,
                      std::uint64_t counter) {
    auto f = file(true);
    if (!f.ok()) return f.status();
    ++m_nonce;
    Bytes buffer(kHeaderSize + originals.size() * kRecordSize);
    const auto header =
        encodeHeader({m_nonce, originalPageCount, static_cast<std::uint32_t>(originals.size())}, counter);
    std::copy(header.begin(), header.end(), buffer.begin());
    std::size_t at = kHeaderSize;
    for (const auto& [page, image] : originals) {
        put32(buffer, at, page);
        std::copy(image.begin(), image.end(), buffer.begin() + static_cast<std::ptrdiff_t>(at + 4));
        put32(buffer, at + 4 + format::kPageSize,
              recordSum(m_nonce, ByteView(buffer).subspan(at, 4 + format::kPageSize)));
        at += kRecordSize;
    }
    JET_TRY(f.value()->writeAt(0, buffer));
    return f.value()->sync();
}

Status Journal::clear(std::uint64_t counter) {
    auto f = file(true);
    if (!f.ok()) return f.status();
    std::array<std::uint8_t, kHeaderSize> cleared{};
    put64(cleared, 24, counter);
    JET_TRY(f.value()->writeAt(0, cleared));
    return f.value()->sync();
}

Result<bool> Journal::hot() {
    auto f = file(false);
    if (!f.ok()) return f.status().code() == Code::NotFound ? Result<bool>(false) : Result<bool>(f.status());
    auto header = readHeader(*f.value());
    if (!header.ok()) return header.status();
    return header->has_value();
}

Result<std::uint64_t> Journal::counter() {
    auto f = file(false);
    if (!f.ok())
        return f.status().code() == Code::NotFound ? Result<std::uint64_t>(std::uint64_t{0})
                                                   : Result<std::uint64_t>(f.status());
    auto size = f.value()->size();
    if (!size.ok()) return size.status();
    if (size.value() < kHeaderSize) return std::uint64_t{0};
    std::array<std::uint8_t, 8> raw{};
    JET_TRY(f.value()->readAt(24, raw));
    return get64(raw, 0);
}

Result<bool> Journal::playBack(File& database) {
    auto f = file(false);
    if (!f.ok()) return f.status().code() == Code::NotFound ? Result<bool>(false) : Result<bool>(f.status());
    File& journal = *f.value();
    auto header = readHeader(journal);
    if (!header.ok()) return header.status();
    if (!header->has_value()) return false;
    const Header h = *header.value();
    std::array<std::uint8_t, 8> counter{};
    JET_TRY(journal.readAt(24, counter));
    Bytes record(kRecordSize);
    for (std::uint32_t i = 0; i < h.records; ++i) {
        // A record that does not check out was never completed: the database was not yet touched.
        if (!journal.readAt(kHeaderSize + static_cast<std::uint64_t>(i) * kRecordSize, record).ok()) break;
        if (get32(record, 4 + format::kPageSize) !=
            recordSum(h.nonce, ByteView(record).first(4 + format::kPageSize)))
            break;
        const std::uint32_t page = get32(record, 0);
        if (page >= h.pageCount)
            return Status::corrupt("journal record names a page beyond the original file");
        JET_TRY(database.writeAt(static_cast<std::uint64_t>(page) * format::kPageSize,
                                 ByteView(record).subspan(4, format::kPageSize)));
    }
    JET_TRY(database.truncate(static_cast<std::uint64_t>(h.pageCount) * format::kPageSize));
    JET_TRY(database.sync());
    // Counted as a statement of its own, so that every process drops what it cached.
    JET_TRY(clear(get64(counter, 0) + 1));
    return true;
}

} // namespace jet

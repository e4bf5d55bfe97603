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

std::array<std::uint8_t, kHeaderSize> encodeHeader(const Header& h) {
    std::array<std::uint8_t, kHeaderSize> out{};
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

Journal::Journal(std::unique_ptr<File> file) : m_file(std::move(file)), m_nonce(std::random_device{}()) {}

Status Journal::write(std::uint32_t originalPageCount, const std::map<std::uint32_t, PageImage>& originals) {
    if (!m_file) return Status::io("the database is read-only");
    ++m_nonce;
    Bytes buffer(kHeaderSize + originals.size() * kRecordSize);
    const auto header =
        encodeHeader({m_nonce, originalPageCount, static_cast<std::uint32_t>(originals.size())});
    std::copy(header.begin(), header.end(), buffer.begin());
    std::size_t at = kHeaderSize;
    for (const auto& [page, image] : originals) {
        put32(buffer, at, page);
        std::copy(image.begin(), image.end(), buffer.begin() + static_cast<std::ptrdiff_t>(at + 4));
        put32(buffer, at + 4 + format::kPageSize,
              recordSum(m_nonce, ByteView(buffer).subspan(at, 4 + format::kPageSize)));
        at += kRecordSize;
    }
    JET_TRY(m_file->writeAt(0, buffer));
    return m_file->sync();
}

Status Journal::clear() {
    if (!m_file) return Status::io("the database is read-only");
    const std::array<std::uint8_t, kHeaderSize> zeros{};
    JET_TRY(m_file->writeAt(0, zeros));
    return m_file->sync();
}

Result<bool> Journal::hot() {
    if (!m_file) return false;
    auto header = readHeader(*m_file);
    if (!header.ok()) return header.status();
    return header->has_value();
}

Result<bool> Journal::playBack(File& database) {
    if (!m_file) return false;
    auto header = readHeader(*m_file);
    if (!header.ok()) return header.status();
    if (!header->has_value()) return false;
    const Header h = *header.value();
    Bytes record(kRecordSize);
    for (std::uint32_t i = 0; i < h.records; ++i) {
        // A record that does not check out was never completed: the database was not yet touched.
        if (!m_file->readAt(kHeaderSize + static_cast<std::uint64_t>(i) * kRecordSize, record).ok()) break;
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
    JET_TRY(clear());
    return true;
}

} // namespace jet

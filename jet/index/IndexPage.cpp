#include "jet/index/IndexPage.h"

#include <algorithm>
#include <string>

namespace jet {

namespace {

using namespace format;

constexpr std::uint8_t kPageMarker = 0x01;
constexpr std::size_t kBitmapBytes = kIndexEntriesOffset - kIndexBitmapOffset;

std::uint32_t get32BE(ByteView b, std::size_t at) {
    return (static_cast<std::uint32_t>(b[at]) << 24) | (static_cast<std::uint32_t>(b[at + 1]) << 16) |
           (static_cast<std::uint32_t>(b[at + 2]) << 8) | b[at + 3];
}

} // namespace

RowId IndexPage::leafRow(const Bytes& entry) {
    const std::size_t at = entry.size() - 4;
    return RowId{get32BE(entry, at) >> 8, entry[at + 3]};
}

std::uint32_t IndexPage::child(const Bytes& entry) {
    return get32BE(entry, entry.size() - 4);
}

Bytes IndexPage::nodeEntry(const Bytes& leafEntry, std::uint32_t child) {
    Bytes out = leafEntry;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(child >> shift));
    return out;
}

Result<IndexPage> IndexPage::parse(ConstPageSpan page) {
    if ((page[0] != kPageIndexNode && page[0] != kPageIndexLeaf) || page[1] != kPageMarker)
        return Status::corrupt("not an index page");
    IndexPage out;
    out.leaf = page[0] == kPageIndexLeaf;
    out.owner = get32(page, kDataOwnerOffset);
    out.prev = get32(page, kIndexPrevOffset);
    out.next = get32(page, kIndexNextOffset);
    out.tail = get32(page, kIndexTailOffset);
    const std::size_t prefix = get16(page, kIndexPrefixOffset);
    const std::size_t smallest = out.leaf ? 4 : 8;
    std::size_t start = 0;
    for (std::size_t end = 0; end < kBitmapBytes * 8; ++end) {
        if (!((page[kIndexBitmapOffset + end / 8] >> (end % 8)) & 1)) continue;
        if (end > kCapacity || end <= start)
            return Status::corrupt("index entry boundary " + std::to_string(end) + " is impossible");
        Bytes entry;
        if (!out.entries.empty()) {
            const Bytes& first = out.entries.front();
            entry.assign(first.begin(), first.begin() + static_cast<std::ptrdiff_t>(prefix));
        }
        entry.insert(entry.end(), page.begin() + static_cast<std::ptrdiff_t>(kIndexEntriesOffset + start),
                     page.begin() + static_cast<std::ptrdiff_t>(kIndexEntriesOffset + end));
        if (out.entries.empty() && prefix > entry.size())
            return Status::corrupt("index prefix of " + std::to_string(prefix) +
                                   " bytes is longer than the first entry");
        if (entry.size() < smallest) return Status::corrupt("index entry is too short");
        out.entries.push_back(std::move(entry));
        start = end;
    }
    return out;
}

std::size_t IndexPage::prefixLength() const {
    if (entries.size() < 2) return 0;
    const Bytes& a = entries.front();
    const Bytes& b = entries.back();
    const auto diff = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    // The last four bytes of every entry tell entries apart; they are never shared.
    const std::size_t shared = static_cast<std::size_t>(diff.first - a.begin());
    return std::min({shared, a.size() - 4, b.size() - 4});
}

std::size_t IndexPage::storedSize() const {
    std::size_t size = 0;
    for (const Bytes& e : entries)
        size += e.size();
    const std::size_t prefix = prefixLength();
    return entries.empty() ? 0 : size - prefix * (entries.size() - 1);
}

Status IndexPage::write(PageSpan page) const {
    if (storedSize() > kCapacity)
        return Status::unsupported("index entries need " + std::to_string(storedSize()) +
                                   " bytes, a page holds " + std::to_string(kCapacity));
    std::fill(page.begin(), page.end(), std::uint8_t{0});
    page[0] = leaf ? kPageIndexLeaf : kPageIndexNode;
    page[1] = kPageMarker;
    put32(page, kDataOwnerOffset, owner);
    put32(page, kIndexPrevOffset, prev);
    put32(page, kIndexNextOffset, next);
    put32(page, kIndexTailOffset, tail);
    const std::size_t prefix = prefixLength();
    put16(page, kIndexPrefixOffset, static_cast<std::uint16_t>(prefix));
    std::size_t at = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t skip = i == 0 ? 0 : prefix;
        std::copy(entries[i].begin() + static_cast<std::ptrdiff_t>(skip), entries[i].end(),
                  page.begin() + static_cast<std::ptrdiff_t>(kIndexEntriesOffset + at));
        at += entries[i].size() - skip;
        page[kIndexBitmapOffset + at / 8] |= static_cast<std::uint8_t>(1u << (at % 8));
    }
    put16(page, kDataFreeSpaceOffset, static_cast<std::uint16_t>(kCapacity - at));
    return Status::okStatus();
}

} // namespace jet

#include "jet/index/CreateIndexLeaf.h"

#include "jet/Format.h"
#include "jet/index/IndexPage.h"

#include <algorithm>
#include <string>

namespace jet {

namespace {

constexpr std::uint8_t kPageMarker = 0x01;
constexpr std::size_t kEntrySpace = format::kPageSize - format::kIndexEntriesOffset;

// The bitmap marks the offset just past each entry, counted from the first entry.
void markEnd(PageSpan page, std::size_t end) {
    page[format::kIndexBitmapOffset + end / 8] |= static_cast<std::uint8_t>(1u << (end % 8));
}

// Every entry whole, as Jet lays out the catalog's indexes of a new file.
void writeWhole(PageSpan page, std::uint32_t tdefPage, const std::vector<Bytes>& entries, std::size_t used) {
    std::fill(page.begin(), page.end(), std::uint8_t{0});
    page[0] = format::kPageIndexLeaf;
    page[1] = kPageMarker;
    put16(page, format::kDataFreeSpaceOffset, static_cast<std::uint16_t>(kEntrySpace - used));
    put32(page, format::kDataOwnerOffset, tdefPage);
    std::size_t at = 0;
    for (const Bytes& e : entries) {
        std::copy(e.begin(), e.end(),
                  page.begin() + static_cast<std::ptrdiff_t>(format::kIndexEntriesOffset + at));
        at += e.size();
        markEnd(page, at);
    }
}

} // namespace

Status CreateIndexLeaf::write(PageSpan page, std::uint32_t tdefPage, std::vector<Bytes> entries) {
    std::sort(entries.begin(), entries.end());
    std::size_t used = 0;
    for (const Bytes& e : entries)
        used += e.size();
    if (used <= kEntrySpace) {
        writeWhole(page, tdefPage, entries, used);
        return Status::okStatus();
    }
    // Too many to store whole: the prefix they share is written once, as the engine stores its own
    // leaves, so a table of a few hundred numbered rows keys its numbers in one page.
    IndexPage leaf;
    leaf.owner = tdefPage;
    leaf.entries = std::move(entries);
    if (leaf.storedSize() > IndexPage::kCapacity)
        return Status::unsupported("index of table page " + std::to_string(tdefPage) + " needs " +
                                   std::to_string(leaf.storedSize()) +
                                   " bytes, more than one leaf page holds");
    return leaf.write(page);
}

} // namespace jet

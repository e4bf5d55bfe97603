#include "jet/pages/UsageMap.h"

#include "jet/pages/DataPage.h"

#include <algorithm>

namespace jet {

namespace {

using namespace format;

Result<RowSlot> mapSlot(PageStore& store, RowId map) {
    if (map.page == 0 || map.page >= store.pageCount())
        return Status::corrupt("usage map pointer to page " + std::to_string(map.page) +
                               " is outside the file");
    JET_ASSIGN_OR_RETURN(auto view, store.read(map.page));
    JET_ASSIGN_OR_RETURN(auto slot, DataPage::slot(view, map.row));
    if (slot.length() < 1 || slot.deleted()) return Status::corrupt("usage map row is empty");
    return slot;
}

Result<ByteView> readRow(PageStore& store, RowId map) {
    JET_ASSIGN_OR_RETURN(auto slot, mapSlot(store, map));
    return DataPage::bytes(store.read(map.page).value(), slot);
}

Result<std::span<std::uint8_t>> writeRow(PageStore& store, RowId map) {
    JET_ASSIGN_OR_RETURN(auto slot, mapSlot(store, map));
    JET_ASSIGN_OR_RETURN(auto page, store.modify(map.page));
    return page.subspan(slot.start, slot.length());
}

bool bit(std::span<const std::uint8_t> bitmap, std::size_t k) {
    return (bitmap[k / 8] >> (k % 8)) & 1;
}
void setBit(std::span<std::uint8_t> bitmap, std::size_t k, bool on) {
    if (on)
        bitmap[k / 8] = static_cast<std::uint8_t>(bitmap[k / 8] | (1u << (k % 8)));
    else
        bitmap[k / 8] = static_cast<std::uint8_t>(bitmap[k / 8] & ~(1u << (k % 8)));
}

Status checkMapPage(PageStore& store, std::uint32_t page) {
    if (page >= store.pageCount())
        return Status::corrupt("usage map page " + std::to_string(page) + " is outside the file");
    JET_ASSIGN_OR_RETURN(auto view, store.read(page));
    if (view[0] != kPageUsageMap)
        return Status::corrupt("page " + std::to_string(page) + " is not a usage map page");
    return {};
}

Result<ByteView> readBitmap(PageStore& store, std::uint32_t page) {
    JET_TRY(checkMapPage(store, page));
    return ByteView(store.read(page).value()).subspan(kMapPageBitmapOffset);
}

Result<std::span<std::uint8_t>> writeBitmap(PageStore& store, std::uint32_t page) {
    JET_TRY(checkMapPage(store, page));
    JET_ASSIGN_OR_RETURN(auto w, store.modify(page));
    return w.subspan(kMapPageBitmapOffset);
}

Result<std::vector<std::uint32_t>> referencePages(PageStore& store, std::span<const std::uint8_t> row) {
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; 1 + 4 * i + 4 <= row.size(); ++i) {
        const std::uint32_t mapPage = get32(row, 1 + 4 * i);
        if (mapPage == 0) continue;
        JET_ASSIGN_OR_RETURN(auto bitmap, readBitmap(store, mapPage));
        for (std::size_t k = 0; k < bitmap.size() * 8; ++k)
            if (bit(bitmap, k)) out.push_back(static_cast<std::uint32_t>(i * kPagesPerMapPage + k));
    }
    return out;
}

std::vector<std::uint32_t> inlinePages(std::span<const std::uint8_t> row) {
    std::vector<std::uint32_t> out;
    if (row.size() < kMapInlineHeader) return out;
    const std::uint32_t start = get32(row, 1);
    const auto bitmap = row.subspan(kMapInlineHeader);
    for (std::size_t k = 0; k < bitmap.size() * 8; ++k)
        if (bit(bitmap, k)) out.push_back(start + static_cast<std::uint32_t>(k));
    return out;
}

Status setReference(PageStore& store, std::span<std::uint8_t> row, std::uint32_t page, bool on,
                    const UsageMap::Allocate& allocate) {
    const std::size_t index = page / kPagesPerMapPage;
    if (1 + 4 * index + 4 > row.size())
        return Status::unsupported("usage map cannot reach page " + std::to_string(page));
    if (get32(row, 1 + 4 * index) == 0) {
        if (!on) return {};
        JET_ASSIGN_OR_RETURN(auto fresh, allocate());
        // Allocation only flips bits in place, so `row` still points at this map's bytes.
        put32(row, 1 + 4 * index, fresh);
    }
    JET_ASSIGN_OR_RETURN(auto bitmap, writeBitmap(store, get32(row, 1 + 4 * index)));
    setBit(bitmap, page % kPagesPerMapPage, on);
    return {};
}

// Rewrites an inline map as a reference map of the same row length.
Status promote(PageStore& store, std::span<std::uint8_t> row, const UsageMap::Allocate& allocate) {
    const std::vector<std::uint32_t> set = inlinePages(row);
    std::fill(row.begin(), row.end(), 0);
    row[0] = kMapReference;
    for (std::uint32_t page : set)
        JET_TRY(setReference(store, row, page, true, allocate));
    return {};
}

// Moves an inline window to `newStart`; set bits keep their pages, newly covered pages take `fill`.
bool slide(std::span<std::uint8_t> row, std::uint32_t newStart, bool fill) {
    const std::uint64_t start = get32(row, 1);
    auto bitmap = row.subspan(kMapInlineHeader);
    const std::size_t bits = bitmap.size() * 8;
    std::vector<bool> next(bits, fill);
    for (std::size_t k = 0; k < bits; ++k) {
        const std::uint64_t page = newStart + k;
        if (page >= start && page < start + bits) next[k] = bit(bitmap, page - start);
    }
    for (std::size_t k = 0; k < bits; ++k) {
        const std::uint64_t page = start + k;
        const bool kept = page >= newStart && page < static_cast<std::uint64_t>(newStart) + bits;
        if (bit(bitmap, k) && !kept && !fill) return false; // a set bit of an owned map would be lost
    }
    for (std::size_t k = 0; k < bits; ++k)
        setBit(bitmap, k, next[k]);
    put32(row, 1, newStart);
    return true;
}

} // namespace

Result<std::vector<std::uint32_t>> UsageMap::pages(PageStore& store, RowId map) {
    JET_ASSIGN_OR_RETURN(const ByteView row, readRow(store, map));
    if (row[0] == kMapInline) return inlinePages(row);
    if (row[0] == kMapReference) return referencePages(store, row);
    return Status::corrupt("usage map of unknown kind " + std::to_string(row[0]));
}

Result<bool> UsageMap::test(PageStore& store, RowId map, std::uint32_t page, bool outside) {
    JET_ASSIGN_OR_RETURN(const ByteView row, readRow(store, map));
    if (row[0] == kMapInline) {
        if (row.size() < kMapInlineHeader) return Status::corrupt("inline usage map is too short");
        const std::uint32_t start = get32(row, 1);
        const std::size_t bits = (row.size() - kMapInlineHeader) * 8;
        if (page < start) return false;
        if (page - start >= bits) return outside;
        return bit(row.subspan(kMapInlineHeader), page - start);
    }
    if (row[0] != kMapReference)
        return Status::corrupt("usage map of unknown kind " + std::to_string(row[0]));
    const std::size_t index = page / kPagesPerMapPage;
    if (1 + 4 * index + 4 > row.size() || get32(row, 1 + 4 * index) == 0) return false;
    JET_ASSIGN_OR_RETURN(auto bitmap, readBitmap(store, get32(row, 1 + 4 * index)));
    return bit(bitmap, page % kPagesPerMapPage);
}

Status UsageMap::set(PageStore& store, RowId map, std::uint32_t page, bool on, bool outside,
                     const Allocate& allocate) {
    JET_ASSIGN_OR_RETURN(const std::span<std::uint8_t> row, writeRow(store, map));
    if (row[0] == kMapReference) return setReference(store, row, page, on, allocate);
    if (row[0] != kMapInline || row.size() < kMapInlineHeader + 1)
        return Status::corrupt("usage map of unknown kind " + std::to_string(row[0]));
    const std::uint32_t start = get32(row, 1);
    const std::size_t bits = (row.size() - kMapInlineHeader) * 8;
    if (page >= start && page - start < bits) {
        setBit(row.subspan(kMapInlineHeader), page - start, on);
        return {};
    }
    const bool current = page < start ? false : outside;
    if (current == on) return {};
    // Out of the window: slide it (up for the global map, to the lowest set page otherwise).
    std::uint32_t newStart = page;
    if (outside) {
        newStart = page + 1 >= bits ? static_cast<std::uint32_t>(page + 1 - bits) : 0;
        newStart = std::max(newStart, start);
    } else {
        for (std::uint32_t p : inlinePages(row))
            newStart = std::min(newStart, p);
    }
    if (page >= newStart && page - newStart < bits && slide(row, newStart, outside)) {
        setBit(row.subspan(kMapInlineHeader), page - newStart, on);
        return {};
    }
    if (outside) return Status::unsupported("global usage map cannot move to page " + std::to_string(page));
    JET_TRY(promote(store, row, allocate));
    return setReference(store, row, page, on, allocate);
}

Bytes UsageMap::makeInline(std::uint32_t start, std::size_t bitmapBytes,
                           const std::vector<std::uint32_t>& pages) {
    Bytes row(kMapInlineHeader + bitmapBytes, 0);
    row[0] = kMapInline;
    put32(row, 1, start);
    for (std::uint32_t page : pages)
        if (page >= start && page - start < bitmapBytes * 8)
            setBit(std::span<std::uint8_t>(row).subspan(kMapInlineHeader), page - start, true);
    return row;
}

} // namespace jet

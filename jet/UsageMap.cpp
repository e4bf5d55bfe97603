#include "jet/UsageMap.h"

#include "jet/DataPage.h"

#include <algorithm>

namespace jet {

namespace {

using namespace format;

Result<RowSlot> mapSlot(PageStore& store, RowId map) {
    if (map.page == 0 || map.page >= store.pageCount())
        return Status::corrupt("usage map pointer to page " + std::to_string(map.page) +
                               " is outside the file");
    auto view = store.read(map.page);
    if (!view.ok()) return view.status();
    auto slot = DataPage::slot(view.value(), map.row);
    if (!slot.ok()) return slot.status();
    if (slot->length() < 1 || slot->deleted()) return Status::corrupt("usage map row is empty");
    return slot;
}

Result<ByteView> readRow(PageStore& store, RowId map) {
    auto slot = mapSlot(store, map);
    if (!slot.ok()) return slot.status();
    return DataPage::bytes(store.read(map.page).value(), slot.value());
}

Result<std::span<std::uint8_t>> writeRow(PageStore& store, RowId map) {
    auto slot = mapSlot(store, map);
    if (!slot.ok()) return slot.status();
    auto page = store.modify(map.page);
    if (!page.ok()) return page.status();
    return page->subspan(slot->start, slot->length());
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
    auto view = store.read(page);
    if (!view.ok()) return view.status();
    if (view.value()[0] != kPageUsageMap)
        return Status::corrupt("page " + std::to_string(page) + " is not a usage map page");
    return {};
}

Result<ByteView> readBitmap(PageStore& store, std::uint32_t page) {
    JET_TRY(checkMapPage(store, page));
    return ByteView(store.read(page).value()).subspan(kMapPageBitmapOffset);
}

Result<std::span<std::uint8_t>> writeBitmap(PageStore& store, std::uint32_t page) {
    JET_TRY(checkMapPage(store, page));
    auto w = store.modify(page);
    if (!w.ok()) return w.status();
    return w->subspan(kMapPageBitmapOffset);
}

Result<std::vector<std::uint32_t>> referencePages(PageStore& store, std::span<const std::uint8_t> row) {
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; 1 + 4 * i + 4 <= row.size(); ++i) {
        const std::uint32_t mapPage = get32(row, 1 + 4 * i);
        if (mapPage == 0) continue;
        auto bitmap = readBitmap(store, mapPage);
        if (!bitmap.ok()) return bitmap.status();
        for (std::size_t k = 0; k < bitmap->size() * 8; ++k)
            if (bit(bitmap.value(), k)) out.push_back(static_cast<std::uint32_t>(i * kPagesPerMapPage + k));
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

// Rewrites an inline map as a reference map of the same row length.
Status promote(PageStore& store, std::span<std::uint8_t> row, const UsageMap::Allocate& allocate) {
    const std::vector<std::uint32_t> set = inlinePages(row);
    const std::size_t slots = (row.size() - 1) / 4;
    std::fill(row.begin(), row.end(), 0);
    row[0] = kMapReference;
    for (std::uint32_t page : set) {
        const std::size_t index = page / kPagesPerMapPage;
        if (index >= slots) return Status::unsupported("usage map cannot reach page " + std::to_string(page));
        if (get32(row, 1 + 4 * index) == 0) {
            auto fresh = allocate();
            if (!fresh.ok()) return fresh.status();
            put32(row, 1 + 4 * index, fresh.value());
        }
        auto bitmap = writeBitmap(store, get32(row, 1 + 4 * index));
        if (!bitmap.ok()) return bitmap.status();
        setBit(bitmap.value(), page % kPagesPerMapPage, true);
    }
    return {};
}

Status setReference(PageStore& store, std::span<std::uint8_t> row, std::uint32_t page, bool on,
                    const UsageMap::Allocate& allocate) {
    const std::size_t index = page / kPagesPerMapPage;
    if (1 + 4 * index + 4 > row.size())
        return Status::unsupported("usage map cannot reach page " + std::to_string(page));
    if (get32(row, 1 + 4 * index) == 0) {
        if (!on) return {};
        auto fresh = allocate();
        if (!fresh.ok()) return fresh.status();
        // Allocation only flips bits in place, so `row` still points at this map's bytes.
        put32(row, 1 + 4 * index, fresh.value());
    }
    auto bitmap = writeBitmap(store, get32(row, 1 + 4 * index));
    if (!bitmap.ok()) return bitmap.status();
    setBit(bitmap.value(), page % kPagesPerMapPage, on);
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
    auto located = readRow(store, map);
    if (!located.ok()) return located.status();
    const ByteView row = located.value();
    if (row[0] == kMapInline) return inlinePages(row);
    if (row[0] == kMapReference) return referencePages(store, row);
    return Status::corrupt("usage map of unknown kind " + std::to_string(row[0]));
}

Result<bool> UsageMap::test(PageStore& store, RowId map, std::uint32_t page, bool outside) {
    auto located = readRow(store, map);
    if (!located.ok()) return located.status();
    const ByteView row = located.value();
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
    auto bitmap = readBitmap(store, get32(row, 1 + 4 * index));
    if (!bitmap.ok()) return bitmap.status();
    return bit(bitmap.value(), page % kPagesPerMapPage);
}

Status UsageMap::set(PageStore& store, RowId map, std::uint32_t page, bool on, bool outside,
                     const Allocate& allocate) {
    auto located = writeRow(store, map);
    if (!located.ok()) return located.status();
    const std::span<std::uint8_t> row = located.value();
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

#include "jet/pages/DataPage.h"

#include <algorithm>
#include <cstring>

namespace jet {

namespace {

using namespace format;

std::size_t slotTableEnd(unsigned rows) {
    return kDataRowTableOffset + 2 * static_cast<std::size_t>(rows);
}

std::uint16_t rawSlot(ConstPageSpan page, unsigned row) {
    return get16(page, kDataRowTableOffset + 2 * row);
}

// Offsets must not rise from one slot to the next, or row extents overlap.
Status checkOrder(ConstPageSpan page, unsigned rows) {
    std::size_t previous = kPageSize;
    for (unsigned i = 0; i < rows; ++i) {
        const std::size_t start = rawSlot(page, i) & kRowOffsetMask;
        if (start > previous || start < slotTableEnd(rows))
            return Status::corrupt("row " + std::to_string(i) + " of a data page lies outside its place");
        previous = start;
    }
    return {};
}

std::size_t lowestStart(ConstPageSpan page, unsigned rows) {
    return rows == 0 ? kPageSize : rawSlot(page, rows - 1) & kRowOffsetMask;
}

void storeFreeSpace(PageSpan page, unsigned rows) {
    put16(page, kDataFreeSpaceOffset,
          static_cast<std::uint16_t>(lowestStart(page, rows) - slotTableEnd(rows)));
}

} // namespace

void DataPage::format(PageSpan page, std::uint32_t owner) {
    std::fill(page.begin(), page.end(), 0);
    page[0] = kPageData;
    page[1] = 0x01;
    put32(page, kDataOwnerOffset, owner);
    storeFreeSpace(page, 0);
}

std::uint32_t DataPage::owner(ConstPageSpan page) {
    return get32(page, kDataOwnerOffset);
}

Result<unsigned> DataPage::rowCount(ConstPageSpan page) {
    const unsigned rows = get16(page, kDataRowCountOffset);
    if (page[0] != kPageData) return Status::corrupt("page is not a data page");
    if (rows > kMaxRowsPerPage || slotTableEnd(rows) > kPageSize)
        return Status::corrupt("data page claims " + std::to_string(rows) + " rows");
    return rows;
}

Result<RowSlot> DataPage::slot(ConstPageSpan page, unsigned row) {
    JET_ASSIGN_OR_RETURN(auto rows, rowCount(page));
    if (row >= rows) return Status::corrupt("row " + std::to_string(row) + " is beyond the rows of its page");
    const std::uint16_t raw = rawSlot(page, row);
    RowSlot s;
    s.flags = raw & static_cast<std::uint16_t>(~kRowOffsetMask);
    s.start = raw & kRowOffsetMask;
    s.end = row == 0 ? kPageSize : rawSlot(page, row - 1) & kRowOffsetMask;
    // Offsets have 13 bits, so a damaged one can point past the page's 4096 bytes.
    if (s.start < slotTableEnd(rows) || s.start > s.end || s.end > kPageSize) {
        if (s.deleted()) return RowSlot{0, 0, s.flags}; // a deleted slot's bytes are never read
        return Status::corrupt("row " + std::to_string(row) + " has an impossible extent");
    }
    return s;
}

ByteView DataPage::bytes(ConstPageSpan page, const RowSlot& slot) {
    return ByteView(page).subspan(slot.start, slot.length());
}

Result<std::size_t> DataPage::freeSpace(ConstPageSpan page) {
    JET_ASSIGN_OR_RETURN(auto rows, rowCount(page));
    JET_TRY(checkOrder(page, rows));
    return lowestStart(page, rows) - slotTableEnd(rows);
}

Result<unsigned> DataPage::addRow(PageSpan page, ByteView row, std::uint16_t flags) {
    JET_ASSIGN_OR_RETURN(const unsigned n, rowCount(page));
    JET_TRY(checkOrder(page, n));
    if (n >= kMaxRowsPerPage) return Status::invalid("data page has no free slot");
    const std::size_t top = lowestStart(page, n);
    if (top < slotTableEnd(n + 1) + row.size()) return Status::invalid("data page has no room for the row");
    const std::size_t start = top - row.size();
    std::copy(row.begin(), row.end(), page.begin() + static_cast<std::ptrdiff_t>(start));
    put16(page, kDataRowTableOffset + 2 * n, static_cast<std::uint16_t>(start | flags));
    put16(page, kDataRowCountOffset, static_cast<std::uint16_t>(n + 1));
    storeFreeSpace(page, n + 1);
    return n;
}

Status DataPage::replaceRow(PageSpan page, unsigned row, ByteView bytes, std::uint16_t flags) {
    JET_ASSIGN_OR_RETURN(const unsigned n, rowCount(page));
    JET_TRY(checkOrder(page, n));
    if (row >= n) return Status::corrupt("row " + std::to_string(row) + " is beyond the rows of its page");
    const std::size_t start = rawSlot(page, row) & kRowOffsetMask;
    const std::size_t end = row == 0 ? kPageSize : rawSlot(page, row - 1) & kRowOffsetMask;
    const std::size_t top = lowestStart(page, n);
    const auto grow = static_cast<std::ptrdiff_t>(bytes.size()) - static_cast<std::ptrdiff_t>(end - start);
    if (static_cast<std::ptrdiff_t>(top) - grow < static_cast<std::ptrdiff_t>(slotTableEnd(n)))
        return Status::invalid("data page has no room for the row");
    // Rows stored below this one move down (or up) by the change in length.
    const std::size_t newTop = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(top) - grow);
    std::memmove(page.data() + newTop, page.data() + top, start - top);
    if (newTop > top)
        std::fill(page.begin() + static_cast<std::ptrdiff_t>(top),
                  page.begin() + static_cast<std::ptrdiff_t>(newTop), 0);
    for (unsigned i = row + 1; i < n; ++i) {
        const std::uint16_t raw = rawSlot(page, i);
        const auto moved = static_cast<std::ptrdiff_t>(raw & kRowOffsetMask) - grow;
        put16(page, kDataRowTableOffset + 2 * i,
              static_cast<std::uint16_t>(static_cast<std::uint16_t>(moved) | (raw & ~kRowOffsetMask)));
    }
    const std::size_t newStart = end - bytes.size();
    std::copy(bytes.begin(), bytes.end(), page.begin() + static_cast<std::ptrdiff_t>(newStart));
    put16(page, kDataRowTableOffset + 2 * row, static_cast<std::uint16_t>(newStart | flags));
    storeFreeSpace(page, n);
    return {};
}

} // namespace jet

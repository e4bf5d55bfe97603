#pragma once

// Rows on a data page: the slot table, implicit row extents, adding and resizing rows in place.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/file/PageStore.h"

#include <cstddef>
#include <cstdint>

namespace jet {

struct RowSlot {
    std::size_t start = 0; // first byte of the row inside the page
    std::size_t end = 0;   // one past its last byte
    std::uint16_t flags = 0;

    std::size_t length() const { return end - start; }
    bool deleted() const { return (flags & format::kRowDeleted) == format::kRowDeleted; }
    bool overflow() const { return (flags & format::kRowDeleted) == format::kRowOverflow; }
    bool lookup() const { return (flags & format::kRowDeleted) == format::kRowLookup; }
};

class DataPage {
public:
    // An empty data page owned by a table definition page (or kLongValueOwner).
    static void format(PageSpan page, std::uint32_t owner);

    static std::uint32_t owner(ConstPageSpan page);
    // The slot count after checking that the slot table fits the page.
    static Result<unsigned> rowCount(ConstPageSpan page);
    // A slot after checking that its extent lies inside the page and after the slot table.
    static Result<RowSlot> slot(ConstPageSpan page, unsigned row);
    static ByteView bytes(ConstPageSpan page, const RowSlot& slot);
    // Free bytes between the slot table and the lowest row, recomputed from the rows themselves.
    static Result<std::size_t> freeSpace(ConstPageSpan page);

    static Result<unsigned> addRow(PageSpan page, ByteView row, std::uint16_t flags);
    // Replaces a row's bytes, shifting the rows stored below it; fails when the page lacks room.
    static Status replaceRow(PageSpan page, unsigned row, ByteView bytes, std::uint16_t flags);
};

} // namespace jet

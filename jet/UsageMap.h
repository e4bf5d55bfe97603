#pragma once

// Usage maps: bitmaps of page numbers kept inline in a row or on reference pages (type 5).
#include "Bytes.h"
#include "PageStore.h"
#include "Status.h"

#include <cstdint>
#include <vector>

namespace jet {

class UsageMap {
public:
    // Pages whose bit is set, checked against the file's length.
    static Result<std::vector<std::uint32_t>> pages(PageStore& store, RowId map);
    // Whether a page's bit is set; pages outside an inline window read as `outside`.
    static Result<bool> test(PageStore& store, RowId map, std::uint32_t page, bool outside);
    // Sets or clears one page's bit, sliding an inline window when every set bit still fits.
    // `outside` is what pages beyond the window mean (true for the global map: free).
    static Status set(PageStore& store, RowId map, std::uint32_t page, bool on, bool outside);

    // An inline map row covering `bitmapBytes`·8 pages from `start`, with the given pages set.
    static Bytes makeInline(std::uint32_t start, std::size_t bitmapBytes,
                            const std::vector<std::uint32_t>& pages);
};

} // namespace jet

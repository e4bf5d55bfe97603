#pragma once

// Usage maps: bitmaps of page numbers kept inline in a row or on reference pages (type 5).
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/file/PageStore.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace jet {

class UsageMap {
public:
    // Pages whose bit is set, checked against the file's length.
    static Result<std::vector<std::uint32_t>> pages(PageStore& store, RowId map);
    // Whether a page's bit is set; pages outside an inline window read as `outside`.
    static Result<bool> test(PageStore& store, RowId map, std::uint32_t page, bool outside);
    using Allocate = std::function<Result<std::uint32_t>()>;

    // Sets or clears one page's bit. An inline window slides when every set bit still fits, and
    // otherwise the map becomes a reference map on pages from `allocate`. `outside` is what pages
    // above an inline window mean (true for the global map: free); pages below it are in use.
    static Status set(PageStore& store, RowId map, std::uint32_t page, bool on, bool outside,
                      const Allocate& allocate);

    // An inline map row covering `bitmapBytes`·8 pages from `start`, with the given pages set.
    static Bytes makeInline(std::uint32_t start, std::size_t bitmapBytes,
                            const std::vector<std::uint32_t>& pages);
};

} // namespace jet

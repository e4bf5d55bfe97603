#pragma once

// The pages of one file as the layers above the pager see them: checked reads, journalled writes.
#include "jet/Bytes.h"
#include "jet/Format.h"
#include "jet/Status.h"

#include <cstdint>
#include <span>

namespace jet {

using PageSpan = std::span<std::uint8_t, format::kPageSize>;
using ConstPageSpan = std::span<const std::uint8_t, format::kPageSize>;

class PageStore {
public:
    virtual ~PageStore() = default;

    virtual std::uint32_t pageCount() const = 0;
    // The page's bytes; they stay valid until the current statement ends.
    virtual Result<ConstPageSpan> read(std::uint32_t page) = 0;
    // The page's bytes for one look, in `buffer` unless already held: reading a whole table this
    // way leaves the cache as it was. They stay valid until `buffer` is used again.
    virtual Result<ConstPageSpan> readPassing(std::uint32_t page, PageSpan buffer) {
        (void)buffer;
        return read(page);
    }
    // The page made writable; its original image is kept for the journal first.
    virtual Result<PageSpan> modify(std::uint32_t page) = 0;
    // A new zeroed page at the end of the file.
    virtual Result<std::uint32_t> append() = 0;
};

} // namespace jet

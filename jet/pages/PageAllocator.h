#pragma once

// New pages go at the end of the file, as Access and Jackcess place them, and are marked in use
// in the global usage map (page 1, row 0; a set bit there means free).
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/file/PageStore.h"

#include <cstdint>

namespace jet {

class PageAllocator {
public:
    explicit PageAllocator(PageStore& store) : m_store(store) {}

    // A zeroed page, in use.
    Result<std::uint32_t> blankPage();
    // An empty data page of `owner` (a table definition page or kLongValueOwner), added to the
    // owned and free-space maps given (a zero map pointer is skipped).
    Result<std::uint32_t> dataPage(std::uint32_t owner, RowId ownedMap, RowId freeMap);

    // A usage-map page (type 5), in use: what a map that outgrows its row moves to.
    Result<std::uint32_t> mapPage();

private:
    PageStore& m_store;
};

} // namespace jet

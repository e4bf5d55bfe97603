#pragma once

// Appends rows to a table's data pages in order, opening a new page when the current one is full.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/catalog/CreateImage.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace jet {

class CreateRowPacker {
public:
    // Pages are stamped with `owner` (a definition page or format::kLongValueOwner). A packer may
    // start on a page reserved for it; later pages are appended to the image.
    CreateRowPacker(CreateImage& image, std::uint32_t owner, std::optional<std::uint32_t> firstPage = {});

    Result<RowId> add(ByteView row);

    // Every page the packer filled, in order; the owned map.
    const std::vector<std::uint32_t>& pages() const { return m_pages; }
    // Pages that may still take rows: the free-space map. Earlier pages were left because full.
    std::vector<std::uint32_t> pagesWithRoom() const;

private:
    Status openPage();

    CreateImage& m_image;
    std::uint32_t m_owner;
    std::optional<std::uint32_t> m_reserved;
    std::vector<std::uint32_t> m_pages;
};

} // namespace jet

#pragma once

// Memo values of a new table: kept inline in the row when short, else on long-value pages of the
// column's own, as one row or as a chain of rows.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/catalog/CreateImage.h"
#include "jet/pages/CreateRowPacker.h"

#include <cstdint>

namespace jet {

class CreateLongValue {
public:
    explicit CreateLongValue(CreateImage& image);

    // The 12-byte header with the value inline behind it.
    static Bytes inlineValue(ByteView stored);
    // Writes the value to this column's long-value pages and returns the header that points to it.
    Result<Bytes> store(ByteView stored);

    // The column's long-value pages, for its usage maps.
    const std::vector<std::uint32_t>& pages() const { return m_packer.pages(); }
    std::vector<std::uint32_t> pagesWithRoom() const { return m_packer.pagesWithRoom(); }

private:
    CreateRowPacker m_packer;
};

} // namespace jet

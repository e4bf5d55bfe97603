#include "jet/pages/CreateRowPacker.h"

#include "jet/pages/DataPage.h"

namespace jet {

CreateRowPacker::CreateRowPacker(CreateImage& image, std::uint32_t owner,
                                 std::optional<std::uint32_t> firstPage)
    : m_image(image), m_owner(owner), m_reserved(firstPage) {}

Status CreateRowPacker::openPage() {
    std::uint32_t number = 0;
    if (m_reserved) {
        number = *m_reserved;
        m_reserved.reset();
    } else {
        JET_ASSIGN_OR_RETURN(number, m_image.append());
    }
    DataPage::format(m_image.page(number), m_owner);
    m_pages.push_back(number);
    return Status::okStatus();
}

Result<RowId> CreateRowPacker::add(ByteView row) {
    if (row.size() + 2 > format::kPageSize - format::kDataRowTableOffset)
        return Status::invalid("a row of " + std::to_string(row.size()) + " bytes cannot fit any page");
    if (!m_pages.empty()) {
        auto added = DataPage::addRow(m_image.page(m_pages.back()), row, 0);
        if (added.ok()) return RowId{m_pages.back(), added.value()};
    }
    JET_TRY(openPage());
    JET_ASSIGN_OR_RETURN(auto added, DataPage::addRow(m_image.page(m_pages.back()), row, 0));
    return RowId{m_pages.back(), added};
}

std::vector<std::uint32_t> CreateRowPacker::pagesWithRoom() const {
    if (m_pages.empty()) return {};
    return {m_pages.back()};
}

} // namespace jet

#include "jet/catalog/CreateImage.h"

namespace jet {

CreateImage::CreateImage(std::uint32_t reserved) : m_pages(reserved) {}

Result<std::uint32_t> CreateImage::append() {
    if (m_pages.size() >= format::kMaxPages)
        return Status::unsupported("the new file would pass the 2 GB limit of an Access file");
    m_pages.emplace_back();
    m_pages.back().fill(0);
    return pageCount() - 1;
}

} // namespace jet

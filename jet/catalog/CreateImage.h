#pragma once

// The pages of a file being created, held in memory until the whole file is written at once.
#include "jet/Status.h"
#include "jet/file/PageStore.h"

#include <array>
#include <cstdint>
#include <deque>

namespace jet {

class CreateImage {
public:
    // Starts with `reserved` zeroed pages, filled in later by their owners.
    explicit CreateImage(std::uint32_t reserved);

    std::uint32_t pageCount() const { return static_cast<std::uint32_t>(m_pages.size()); }
    // A new zeroed page at the end; refused once the file would pass 2 GB.
    Result<std::uint32_t> append();
    // Spans stay valid while pages are appended.
    PageSpan page(std::uint32_t number) { return PageSpan(m_pages.at(number)); }
    ConstPageSpan page(std::uint32_t number) const { return ConstPageSpan(m_pages.at(number)); }

private:
    std::deque<std::array<std::uint8_t, format::kPageSize>> m_pages;
};

} // namespace jet

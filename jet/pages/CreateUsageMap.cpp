#include "jet/pages/CreateUsageMap.h"

#include "jet/Format.h"
#include "jet/pages/UsageMap.h"

#include <algorithm>

namespace jet {

namespace {

constexpr std::uint32_t kInlineWindow = format::kDefaultInlineBitmap * 8;
// The reference row has the same 69 bytes as an inline one: the type byte and 17 page pointers.
constexpr std::size_t kReferenceSlots = (format::kMapInlineHeader + format::kDefaultInlineBitmap - 1) / 4;

void setBit(std::span<std::uint8_t> bitmap, std::uint32_t bit) {
    bitmap[bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
}

// Appends the bitmap pages of a reference map with `isSet(page)` for pages in [0, coverEnd).
template <class IsSet> Result<Bytes> referenceRow(CreateImage& image, std::uint32_t coverEnd, IsSet isSet) {
    const std::uint32_t mapPages = (coverEnd + format::kPagesPerMapPage - 1) / format::kPagesPerMapPage;
    if (mapPages > kReferenceSlots) return Status::unsupported("usage map too large for one reference row");
    Bytes row(1 + 4 * kReferenceSlots, 0);
    row[0] = format::kMapReference;
    for (std::uint32_t i = 0; i < mapPages; ++i) {
        JET_ASSIGN_OR_RETURN(auto number, image.append());
        put32(row, 1 + 4 * i, number);
        PageSpan page = image.page(number);
        page[0] = format::kPageUsageMap;
        page[1] = 0x01;
        const std::uint32_t first = i * format::kPagesPerMapPage;
        const auto bitmap = std::span<std::uint8_t>(page).subspan(format::kMapPageBitmapOffset);
        for (std::uint32_t p = first; p < std::min(coverEnd, first + format::kPagesPerMapPage); ++p)
            if (isSet(p)) setBit(bitmap, p - first);
    }
    return row;
}

} // namespace

Result<Bytes> CreateUsageMap::row(CreateImage& image, const std::vector<std::uint32_t>& pages) {
    if (pages.empty()) return UsageMap::makeInline(0, format::kDefaultInlineBitmap, pages);
    const auto [low, high] = std::minmax_element(pages.begin(), pages.end());
    // Jet's own maps start at page 0; later windows start on a byte boundary.
    const std::uint32_t start = *high < kInlineWindow ? 0 : (*low & ~7u);
    if (*high - start < kInlineWindow)
        return UsageMap::makeInline(start, format::kDefaultInlineBitmap, pages);
    std::vector<bool> set(*high + 1, false);
    for (std::uint32_t p : pages)
        set[p] = true;
    return referenceRow(image, *high + 1, [&](std::uint32_t p) { return set[p]; });
}

Result<Bytes> CreateUsageMap::globalRow(CreateImage& image) {
    const std::uint32_t used = image.pageCount();
    if (used < kInlineWindow) {
        Bytes row = UsageMap::makeInline(0, format::kDefaultInlineBitmap, {});
        const auto bitmap = std::span<std::uint8_t>(row).subspan(format::kMapInlineHeader);
        for (std::uint32_t p = used; p < kInlineWindow; ++p)
            setBit(bitmap, p);
        return row;
    }
    // Count the bitmap pages first: they are in use too, so the free run starts after them.
    const std::uint32_t mapPages = (used + 1 + format::kPagesPerMapPage - 1) / format::kPagesPerMapPage;
    const std::uint32_t usedEnd = used + mapPages;
    const std::uint32_t coverEnd = mapPages * format::kPagesPerMapPage;
    return referenceRow(image, coverEnd, [&](std::uint32_t p) { return p >= usedEnd; });
}

} // namespace jet

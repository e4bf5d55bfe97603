#include "jet/PageAllocator.h"

#include "jet/DataPage.h"
#include "jet/UsageMap.h"

namespace jet {

namespace {

const RowId kGlobalMap{format::kGlobalMapPage, format::kGlobalMapRow};

} // namespace

Result<std::uint32_t> PageAllocator::blankPage() {
    auto page = m_store.append();
    if (!page.ok()) return page.status();
    JET_TRY(UsageMap::set(m_store, kGlobalMap, page.value(), false, true, [this] { return mapPage(); }));
    return page;
}

Result<std::uint32_t> PageAllocator::mapPage() {
    auto page = blankPage();
    if (!page.ok()) return page.status();
    auto span = m_store.modify(page.value());
    if (!span.ok()) return span.status();
    span.value()[0] = format::kPageUsageMap;
    span.value()[1] = 0x01;
    return page;
}

Result<std::uint32_t> PageAllocator::dataPage(std::uint32_t owner, RowId ownedMap, RowId freeMap) {
    auto page = blankPage();
    if (!page.ok()) return page.status();
    auto span = m_store.modify(page.value());
    if (!span.ok()) return span.status();
    DataPage::format(span.value(), owner);
    for (RowId map : {ownedMap, freeMap}) {
        if (map.page != 0)
            JET_TRY(UsageMap::set(m_store, map, page.value(), true, false, [this] { return mapPage(); }));
    }
    return page;
}

} // namespace jet

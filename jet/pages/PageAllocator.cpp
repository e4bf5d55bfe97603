#include "jet/pages/PageAllocator.h"

#include "jet/pages/DataPage.h"
#include "jet/pages/UsageMap.h"

namespace jet {

namespace {

const RowId kGlobalMap{format::kGlobalMapPage, format::kGlobalMapRow};

} // namespace

Result<std::uint32_t> PageAllocator::blankPage() {
    JET_ASSIGN_OR_RETURN(auto page, m_store.append());
    JET_TRY(UsageMap::set(m_store, kGlobalMap, page, false, true, [this] { return mapPage(); }));
    return page;
}

Result<std::uint32_t> PageAllocator::mapPage() {
    JET_ASSIGN_OR_RETURN(auto page, blankPage());
    JET_ASSIGN_OR_RETURN(auto span, m_store.modify(page));
    span[0] = format::kPageUsageMap;
    span[1] = 0x01;
    return page;
}

Result<std::uint32_t> PageAllocator::dataPage(std::uint32_t owner, RowId ownedMap, RowId freeMap) {
    JET_ASSIGN_OR_RETURN(auto page, blankPage());
    JET_ASSIGN_OR_RETURN(auto span, m_store.modify(page));
    DataPage::format(span, owner);
    for (RowId map : {ownedMap, freeMap}) {
        if (map.page != 0)
            JET_TRY(UsageMap::set(m_store, map, page, true, false, [this] { return mapPage(); }));
    }
    return page;
}

} // namespace jet

#include "jet/pages/PageRules.h"

#include "jet/pages/DataPage.h"
#include "jet/pages/UsageMap.h"

#include <algorithm>

namespace jet::PageRules {

namespace {

// Every leaf entry after the one before it, read in place: an update asks this of each tree it
// changes, so nothing is copied.
bool inOrder(const IndexTree& tree) {
    const Bytes* previous = nullptr;
    for (const auto& leaf : tree.levels.back())
        for (const Bytes& entry : leaf.content.entries) {
            if (previous && !(*previous < entry)) return false;
            previous = &entry;
        }
    return true;
}

} // namespace

Status freeSpaceField(ConstPageSpan page) {
    JET_ASSIGN_OR_RETURN(auto free, DataPage::freeSpace(page));
    const std::uint16_t field = get16(page, format::kDataFreeSpaceOffset);
    if (field == free) return {};
    return Status::corrupt("free-space field says " + std::to_string(field) + ", rows leave " +
                           std::to_string(free));
}

Status rowCount(const TableDef& def, std::size_t rows) {
    if (rows == def.rowCount) return {};
    return Status::corrupt("definition counts " + std::to_string(def.rowCount) + " rows, pages hold " +
                           std::to_string(rows));
}

std::vector<std::string> freeMapProblems(const std::set<std::uint32_t>& owned,
                                         const std::set<std::uint32_t>& free) {
    std::vector<std::string> problems;
    for (std::uint32_t page : free)
        if (!owned.contains(page))
            problems.push_back("free-space map lists page " + std::to_string(page) + " it does not own");
    return problems;
}

std::vector<std::string> indexProblems(PageStore& store, const RealIndex& index, const IndexTree& tree) {
    std::vector<std::string> problems = tree.structureProblems();
    if (!inOrder(tree)) problems.push_back("entries are out of order");
    auto listed = UsageMap::pages(store, index.map);
    auto pages = tree.pages();
    std::sort(pages.begin(), pages.end());
    if (!listed.ok())
        problems.push_back("map: " + listed.status().message());
    else if (listed.value() != pages)
        problems.push_back("its map does not list exactly the index's pages");
    return problems;
}

} // namespace jet::PageRules

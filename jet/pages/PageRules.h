#pragma once

// What a page of each kind must hold to be sound, as the structure check judges it. An update asks
// the same questions of the pages it is about to write, so it never spreads damage the check would
// report.
#include "jet/catalog/TableDef.h"
#include "jet/file/PageStore.h"
#include "jet/index/IndexTree.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace jet::PageRules {

// A data page's free-space field agrees with the room its rows leave (their layout checked first).
Status freeSpaceField(ConstPageSpan page);
// The definition's row count agrees with the rows its pages hold.
Status rowCount(const TableDef& def, std::size_t rows);
// Every page a table's free-space map lists is one the table owns.
std::vector<std::string> freeMapProblems(const std::set<std::uint32_t>& owned,
                                         const std::set<std::uint32_t>& free);
// An index's tree read whole: links, bounds, entry order and the map listing exactly its pages.
std::vector<std::string> indexProblems(PageStore& store, const RealIndex& index, const IndexTree& tree);

} // namespace jet::PageRules

#include "jet/pages/GuardedPages.h"

#include "jet/index/IndexPage.h"
#include "jet/pages/PageRules.h"
#include "jet/pages/UsageMap.h"

namespace jet {

namespace {

using namespace format;

// The rules of the page's kind. Definitions are read whole before any update and index trees
// before any index change; pages of other kinds have no rules of their own.
Status pageRules(ConstPageSpan page) {
    if (page[0] == kPageData) return PageRules::freeSpaceField(page);
    if (page[0] == kPageIndexNode || page[0] == kPageIndexLeaf) return IndexPage::parse(page).status();
    return {};
}

} // namespace

Result<PageSpan> GuardedPages::modify(std::uint32_t page) {
    if (!m_checked.contains(page)) {
        JET_TRY(check(page));
        m_checked.insert(page);
    }
    return m_store.modify(page);
}

Result<std::uint32_t> GuardedPages::append() {
    JET_ASSIGN_OR_RETURN(auto page, m_store.append());
    m_checked.insert(page);
    return page;
}

Status GuardedPages::check(std::uint32_t page) {
    JET_ASSIGN_OR_RETURN(auto view, m_store.read(page));
    const Status rules = pageRules(view);
    return rules.ok() ? rules : refuse("page", page, rules.message());
}

Status GuardedPages::checkTable(const TableDef& def, std::size_t rows) {
    const Status count = PageRules::rowCount(def, rows);
    if (!count.ok()) return refuse("table definition on page", def.page, count.message());
    auto owned = UsageMap::pages(m_store, def.ownedMap);
    auto free = UsageMap::pages(m_store, def.freeMap);
    if (!free.ok()) return refuse("free-space map on page", def.freeMap.page, free.status().message());
    if (!owned.ok()) return refuse("usage map on page", def.ownedMap.page, owned.status().message());
    const auto problems =
        PageRules::freeMapProblems({owned->begin(), owned->end()}, {free->begin(), free->end()});
    if (!problems.empty()) return refuse("free-space map on page", def.freeMap.page, problems.front());
    return {};
}

Status GuardedPages::refuse(const std::string& what, std::uint32_t page, const std::string& problem) {
    return Status::corrupt(what + " " + std::to_string(page) + " is damaged (" + problem +
                           "); the update was not written, so as not to spread the damage");
}

} // namespace jet

#include "jet/index/IndexUpdate.h"

#include "jet/index/IndexKey.h"
#include "jet/index/IndexTree.h"
#include "jet/pages/PageRules.h"
#include "jet/pages/UsageMap.h"

#include <algorithm>
#include <array>
#include <string>

namespace jet {

namespace {

using namespace format;

const RowId kGlobalMap{kGlobalMapPage, kGlobalMapRow};

struct Built {
    std::uint32_t page = 0; // 0 until a page is chosen
    IndexPage content;
    Bytes last; // the last leaf entry below this page
};

std::string rowName(RowId row) {
    return std::to_string(row.page) + "/" + std::to_string(row.row);
}

// Whether any key column of the row is NULL: such keys never count as duplicates.
bool hasNull(const TableDef& def, const RealIndex& index, const RawRow& values) {
    for (std::uint16_t number : index.columns)
        for (const Column& c : def.columns)
            if (c.number == number && c.type != ColumnType::Boolean && !values.at(def.position(c)))
                return true;
    return false;
}

// The leaf whose key range takes `entry`: the first whose last entry is not below it, else the last.
std::size_t leafFor(const std::vector<Built>& leaves, const Bytes& entry) {
    for (std::size_t i = 0; i < leaves.size(); ++i)
        if (!leaves[i].content.entries.empty() && !(leaves[i].content.entries.back() < entry)) return i;
    for (std::size_t i = leaves.size(); i-- > 0;)
        if (!leaves[i].content.entries.empty()) return i;
    return 0;
}

// Halves a leaf until every part fits a page; the first part keeps the leaf's page.
void splitToFit(std::vector<Built>& leaves) {
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        while (leaves[i].content.storedSize() > IndexPage::kCapacity) {
            auto& entries = leaves[i].content.entries;
            Built second{0, leaves[i].content, {}};
            const auto half = static_cast<std::ptrdiff_t>(entries.size() / 2);
            second.content.entries.assign(entries.begin() + half, entries.end());
            entries.erase(entries.begin() + half, entries.end());
            leaves.insert(leaves.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(second));
        }
    }
}

// Groups a level's pages under node pages: entries bound all but the last child, which is the tail.
std::vector<Built> parentsOf(std::vector<Built>& level, std::uint32_t owner) {
    std::vector<Built> parents;
    std::size_t used = IndexPage::kCapacity + 1;
    std::size_t firstChild = 0;
    auto close = [&](std::size_t end) {
        Built& parent = parents.back();
        for (std::size_t c = firstChild; c < end; ++c) {
            level[c].content.prev = c == firstChild ? 0 : level[c - 1].page;
            level[c].content.next = c + 1 == end ? 0 : level[c + 1].page;
            if (c + 1 < end || end - firstChild == 1)
                parent.content.entries.push_back(IndexPage::nodeEntry(level[c].last, level[c].page));
            else
                parent.content.tail = level[c].page;
        }
        parent.last = level[end - 1].last;
    };
    for (std::size_t c = 0; c < level.size(); ++c) {
        const std::size_t size = level[c].last.size() + 4;
        if (used + size > IndexPage::kCapacity) {
            if (!parents.empty()) close(c);
            parents.push_back(Built{0, IndexPage{false, owner, 0, 0, 0, {}}, {}});
            firstChild = c;
            used = 0;
        }
        used += size;
    }
    close(level.size());
    return parents;
}

// The definition keeps, per index, how many distinct keys it holds (Access lets it go stale in
// its own system tables; we keep it exact for the indexes we change).
Status countDistinctKeys(PageStore& store, std::uint32_t tdef, std::size_t number,
                         const std::vector<Built>& leaves) {
    std::size_t distinct = 0;
    const Bytes* previous = nullptr;
    for (const auto& leaf : leaves)
        for (const Bytes& entry : leaf.content.entries) {
            if (!previous || !std::ranges::equal(IndexPage::leafKey(*previous), IndexPage::leafKey(entry)))
                ++distinct;
            previous = &entry;
        }
    const std::size_t at = kTdefBlockEnd + number * kRealIndexCountBlock + 4;
    JET_ASSIGN_OR_RETURN(auto page, store.read(tdef));
    if (get32(page, at) == distinct) return Status::okStatus();
    JET_ASSIGN_OR_RETURN(auto target, store.modify(tdef));
    put32(target, at, static_cast<std::uint32_t>(distinct));
    return Status::okStatus();
}

} // namespace

IndexUpdate::IndexUpdate(PageStore& store, const TableDef& def, const Column& changed)
    : m_store(store), m_def(def) {
    for (std::size_t i = 0; i < def.indexes.size(); ++i) {
        const auto& columns = def.indexes[i].columns;
        if (std::find(columns.begin(), columns.end(), changed.number) != columns.end())
            m_covering.push_back(i);
    }
    m_moves.resize(m_covering.size());
}

Status IndexUpdate::change(RowId row, const RawRow& before, const RawRow& after) {
    for (std::size_t k = 0; k < m_covering.size(); ++k) {
        const RealIndex& index = m_def.indexes[m_covering[k]];
        auto from = IndexKey::rowKey(m_def, index, before);
        auto to = from.ok() ? IndexKey::rowKey(m_def, index, after) : from;
        if (!to.ok() && to.status().code() == Code::Unsupported)
            return Status::unsupported(
                "row " + rowName(row) + " is in index " + std::to_string(m_covering[k]) +
                ", which this engine keeps only for keys it can encode exactly: " + to.status().message());
        if (!to.ok()) return to.status();
        Move move;
        if (from.value()) move.from = IndexKey::leafEntry(*from.value(), row);
        if (to.value()) move.to = IndexKey::leafEntry(*to.value(), row);
        move.toHasNull = hasNull(m_def, index, after);
        if (move.from != move.to) m_moves[k].push_back(std::move(move));
    }
    return Status::okStatus();
}

Status IndexUpdate::apply(PageAllocator& allocator) {
    for (std::size_t k = 0; k < m_covering.size(); ++k)
        if (!m_moves[k].empty()) JET_TRY(applyTo(m_covering[k], m_moves[k], allocator));
    return Status::okStatus();
}

Status IndexUpdate::applyTo(std::size_t number, const std::vector<Move>& moves, PageAllocator& allocator) {
    const RealIndex& index = m_def.indexes[number];
    const std::string name = "index " + std::to_string(number);
    auto tree = IndexTree::read(m_store, index.root, m_def.page);
    if (!tree.ok()) return Status::corrupt(name + ": " + tree.status().message());
    // Its pages are about to be rewritten from this reading of them: a damaged tree would spread.
    const auto problems = PageRules::indexProblems(m_store, index, tree.value());
    if (!problems.empty())
        return Status::corrupt(name + " at page " + std::to_string(index.root) + " is damaged (" +
                               problems.front() +
                               "); the update was not written, so as not to spread the damage");
    std::vector<Built> leaves;
    for (const auto& page : tree->levels.back())
        leaves.push_back({page.number, page.content, {}});

    for (const Move& move : moves) {
        if (!move.from) continue;
        auto& entries = leaves[leafFor(leaves, *move.from)].content.entries;
        const auto at = std::lower_bound(entries.begin(), entries.end(), *move.from);
        if (at == entries.end() || *at != *move.from)
            return Status::corrupt(name + " has no entry for row " + rowName(IndexPage::leafRow(*move.from)) +
                                   "; the integrity check tells more");
        entries.erase(at);
    }
    for (const Move& move : moves) {
        if (!move.to) continue;
        auto& entries = leaves[leafFor(leaves, *move.to)].content.entries;
        entries.insert(std::upper_bound(entries.begin(), entries.end(), *move.to), *move.to);
    }
    if (index.flags & kIndexUnique) {
        std::vector<Bytes> all;
        for (const Built& leaf : leaves)
            all.insert(all.end(), leaf.content.entries.begin(), leaf.content.entries.end());
        for (const Move& move : moves) {
            if (!move.to || move.toHasNull) continue;
            const auto at = std::lower_bound(all.begin(), all.end(), *move.to);
            const ByteView key = IndexPage::leafKey(*move.to);
            auto same = [&](const Bytes& other) {
                return std::ranges::equal(IndexPage::leafKey(other), key);
            };
            if ((at != all.begin() && same(*(at - 1))) || (at + 1 != all.end() && same(*(at + 1))))
                return Status::invalid("the new value would appear twice in unique " + name +
                                       "; nothing was changed");
        }
    }

    JET_TRY(countDistinctKeys(m_store, m_def.page, number, leaves));

    // Leaves: split what overflows, drop what emptied (one leaf always stays).
    splitToFit(leaves);
    std::vector<std::uint32_t> spare;
    for (const auto& level : tree->levels)
        for (const auto& page : level)
            if (!page.content.leaf && page.number != index.root) spare.push_back(page.number);
    std::erase_if(leaves, [&](const Built& leaf) {
        const bool drop = leaf.content.entries.empty() && leaves.size() > 1;
        if (drop && leaf.page != index.root) spare.push_back(leaf.page);
        return drop;
    });
    auto pageFor = [&](Built& built) -> Status {
        if (built.page != 0) return Status::okStatus();
        if (!spare.empty()) {
            built.page = spare.back();
            spare.pop_back();
            return Status::okStatus();
        }
        JET_ASSIGN_OR_RETURN(built.page, allocator.blankPage());
        return UsageMap::set(m_store, index.map, built.page, true, false,
                             [&] { return allocator.mapPage(); });
    };
    const bool single = leaves.size() == 1;
    for (Built& leaf : leaves) {
        if (!single && leaf.page == index.root) leaf.page = 0; // the root becomes a node
        if (single && leaf.page != index.root) {
            spare.push_back(leaf.page);
            leaf.page = index.root;
        }
        JET_TRY(pageFor(leaf));
        leaf.last = leaf.content.entries.empty() ? Bytes{} : leaf.content.entries.back();
        leaf.content.tail = 0;
    }
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        leaves[i].content.prev = i == 0 ? 0 : leaves[i - 1].page;
        leaves[i].content.next = i + 1 == leaves.size() ? 0 : leaves[i + 1].page;
    }

    std::vector<std::vector<Built>> levels{std::move(leaves)};
    while (levels.back().size() > 1) {
        auto parents = parentsOf(levels.back(), m_def.page);
        for (Built& parent : parents)
            if (parents.size() == 1)
                parent.page = index.root;
            else
                JET_TRY(pageFor(parent));
        levels.push_back(std::move(parents));
    }
    // parentsOf linked each level's pages before the parents had pages; leaves keep the full chain.
    for (std::size_t i = 0; i < levels.front().size(); ++i) {
        auto& leaf = levels.front()[i].content;
        leaf.prev = i == 0 ? 0 : levels.front()[i - 1].page;
        leaf.next = i + 1 == levels.front().size() ? 0 : levels.front()[i + 1].page;
    }

    std::array<std::uint8_t, kPageSize> image{};
    for (const auto& level : levels)
        for (const Built& built : level) {
            JET_TRY(built.content.write(PageSpan(image)));
            JET_ASSIGN_OR_RETURN(auto current, m_store.read(built.page));
            if (std::ranges::equal(current, image)) continue;
            JET_ASSIGN_OR_RETURN(auto target, m_store.modify(built.page));
            std::ranges::copy(image, target.begin());
        }
    for (std::uint32_t page : spare) {
        JET_ASSIGN_OR_RETURN(auto target, m_store.modify(page));
        std::ranges::fill(target, std::uint8_t{0});
        JET_TRY(UsageMap::set(m_store, index.map, page, false, false, {}));
        JET_TRY(UsageMap::set(m_store, kGlobalMap, page, true, true, [&] { return allocator.mapPage(); }));
    }
    return Status::okStatus();
}

} // namespace jet

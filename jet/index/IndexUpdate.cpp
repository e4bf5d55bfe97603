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

// The tree as it stands, refused when damaged: its pages are about to be rewritten from this
// reading of them, and a damaged tree would spread.
Result<IndexTree> readSound(PageStore& store, const RealIndex& index, std::uint32_t owner,
                            const std::string& name) {
    auto tree = IndexTree::read(store, index.root, owner);
    if (!tree.ok()) return Status::corrupt(name + ": " + tree.status().message());
    const auto problems = PageRules::indexProblems(store, index, tree.value());
    if (!problems.empty())
        return Status::corrupt(name + " at page " + std::to_string(index.root) + " is damaged (" +
                               problems.front() +
                               "); the update was not written, so as not to spread the damage");
    return tree;
}

// Takes every old entry out of its leaf, then puts every new one in.
Status moveEntries(std::vector<Built>& leaves, const std::vector<IndexMove>& moves, const std::string& name) {
    for (const auto& move : moves) {
        if (!move.from) continue;
        auto& entries = leaves[leafFor(leaves, *move.from)].content.entries;
        const auto at = std::lower_bound(entries.begin(), entries.end(), *move.from);
        if (at == entries.end() || *at != *move.from)
            return Status::corrupt(name + " has no entry for row " + rowName(IndexPage::leafRow(*move.from)) +
                                   "; the integrity check tells more");
        entries.erase(at);
    }
    for (const auto& move : moves) {
        if (!move.to) continue;
        auto& entries = leaves[leafFor(leaves, *move.to)].content.entries;
        entries.insert(std::upper_bound(entries.begin(), entries.end(), *move.to), *move.to);
    }
    return Status::okStatus();
}

// A unique index refuses a new entry whose key stands beside the same key.
Status refuseTwice(const std::vector<Built>& leaves, const std::vector<IndexMove>& moves,
                   const std::string& name) {
    std::vector<Bytes> all;
    for (const Built& leaf : leaves)
        all.insert(all.end(), leaf.content.entries.begin(), leaf.content.entries.end());
    for (const auto& move : moves) {
        if (!move.to || move.toHasNull) continue;
        const auto at = std::lower_bound(all.begin(), all.end(), *move.to);
        const ByteView key = IndexPage::leafKey(*move.to);
        auto same = [&](const Bytes& other) { return std::ranges::equal(IndexPage::leafKey(other), key); };
        if ((at != all.begin() && same(*(at - 1))) || (at + 1 != all.end() && same(*(at + 1))))
            return Status::invalid("the new value would appear twice in unique " + name +
                                   "; nothing was changed");
    }
    return Status::okStatus();
}

// Links a level's pages in order, the first and last to nothing.
void linkSiblings(std::vector<Built>& level) {
    for (std::size_t i = 0; i < level.size(); ++i) {
        level[i].content.prev = i == 0 ? 0 : level[i - 1].page;
        level[i].content.next = i + 1 == level.size() ? 0 : level[i + 1].page;
    }
}

// One index's tree laid out anew on pages: its old node pages and emptied leaves are reused
// before the file grows, the root keeps its page, and what is left over is given back.
class TreeLayout {
public:
    TreeLayout(PageStore& store, const RealIndex& index, std::uint32_t owner, PageAllocator& allocator,
               const IndexTree& old)
        : m_store(store), m_index(index), m_owner(owner), m_allocator(allocator) {
        for (const auto& level : old.levels)
            for (const auto& page : level)
                if (!page.content.leaf && page.number != index.root) m_spare.push_back(page.number);
    }

    // Splits what overflows, drops what emptied (one leaf always stays) and gives each leaf a page;
    // a single leaf is the root, else the root becomes a node.
    Status placeLeaves(std::vector<Built>& leaves) {
        splitToFit(leaves);
        std::erase_if(leaves, [&](const Built& leaf) {
            const bool drop = leaf.content.entries.empty() && leaves.size() > 1;
            if (drop && leaf.page != m_index.root) m_spare.push_back(leaf.page);
            return drop;
        });
        const bool single = leaves.size() == 1;
        for (Built& leaf : leaves) {
            if (!single && leaf.page == m_index.root) leaf.page = 0;
            if (single && leaf.page != m_index.root) {
                m_spare.push_back(leaf.page);
                leaf.page = m_index.root;
            }
            JET_TRY(pageFor(leaf));
            leaf.last = leaf.content.entries.empty() ? Bytes{} : leaf.content.entries.back();
            leaf.content.tail = 0;
        }
        return Status::okStatus();
    }

    // The node levels above the leaves, up to the root.
    Result<std::vector<std::vector<Built>>> stackNodes(std::vector<Built> leaves) {
        std::vector<std::vector<Built>> levels{std::move(leaves)};
        while (levels.back().size() > 1) {
            auto parents = parentsOf(levels.back(), m_owner);
            for (Built& parent : parents)
                if (parents.size() == 1)
                    parent.page = m_index.root;
                else
                    JET_TRY(pageFor(parent));
            levels.push_back(std::move(parents));
        }
        // parentsOf linked each level's pages before the parents had pages; leaves keep the full chain.
        linkSiblings(levels.front());
        return levels;
    }

    // Writes only the pages whose bytes change.
    Status write(const std::vector<std::vector<Built>>& levels) {
        std::array<std::uint8_t, kPageSize> image{};
        for (const auto& level : levels)
            for (const Built& built : level) {
                JET_TRY(built.content.write(PageSpan(image)));
                JET_ASSIGN_OR_RETURN(auto current, m_store.read(built.page));
                if (std::ranges::equal(current, image)) continue;
                JET_ASSIGN_OR_RETURN(auto target, m_store.modify(built.page));
                std::ranges::copy(image, target.begin());
            }
        return Status::okStatus();
    }

    // Blanks the pages the tree no longer uses and hands them from the index's map to the file's.
    Status releaseSpare() {
        for (std::uint32_t page : m_spare) {
            JET_ASSIGN_OR_RETURN(auto target, m_store.modify(page));
            std::ranges::fill(target, std::uint8_t{0});
            JET_TRY(UsageMap::set(m_store, m_index.map, page, false, false, {}));
            JET_TRY(
                UsageMap::set(m_store, kGlobalMap, page, true, true, [&] { return m_allocator.mapPage(); }));
        }
        return Status::okStatus();
    }

private:
    Status pageFor(Built& built) {
        if (built.page != 0) return Status::okStatus();
        if (!m_spare.empty()) {
            built.page = m_spare.back();
            m_spare.pop_back();
            return Status::okStatus();
        }
        JET_ASSIGN_OR_RETURN(built.page, m_allocator.blankPage());
        return UsageMap::set(m_store, m_index.map, built.page, true, false,
                             [&] { return m_allocator.mapPage(); });
    }

    PageStore& m_store;
    const RealIndex& m_index;
    std::uint32_t m_owner;
    PageAllocator& m_allocator;
    std::vector<std::uint32_t> m_spare;
};

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
        IndexMove move;
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

Status IndexUpdate::applyTo(std::size_t number, const std::vector<IndexMove>& moves,
                            PageAllocator& allocator) {
    const RealIndex& index = m_def.indexes[number];
    const std::string name = "index " + std::to_string(number);
    JET_ASSIGN_OR_RETURN(auto tree, readSound(m_store, index, m_def.page, name));
    std::vector<Built> leaves;
    for (const auto& page : tree.levels.back())
        leaves.push_back({page.number, page.content, {}});
    JET_TRY(moveEntries(leaves, moves, name));
    if (index.flags & kIndexUnique) JET_TRY(refuseTwice(leaves, moves, name));
    JET_TRY(countDistinctKeys(m_store, m_def.page, number, leaves));

    TreeLayout layout(m_store, index, m_def.page, allocator, tree);
    JET_TRY(layout.placeLeaves(leaves));
    JET_ASSIGN_OR_RETURN(auto levels, layout.stackNodes(std::move(leaves)));
    JET_TRY(layout.write(levels));
    return layout.releaseSpare();
}

} // namespace jet

#include "jet/index/IndexTree.h"

#include <set>
#include <string>

namespace jet {

namespace {

constexpr std::size_t kMaxDepth = 16;

std::string pageName(std::uint32_t page) {
    return "index page " + std::to_string(page);
}

Result<IndexPage> readPage(PageStore& store, std::uint32_t page, std::uint32_t owner) {
    if (page == 0 || page >= store.pageCount())
        return Status::corrupt(pageName(page) + " is outside the file");
    JET_ASSIGN_OR_RETURN(auto view, store.read(page));
    auto parsed = IndexPage::parse(view);
    if (!parsed.ok()) return Status::corrupt(pageName(page) + ": " + parsed.status().message());
    if (parsed->owner != owner) return Status::corrupt(pageName(page) + " belongs to another table");
    return parsed;
}

} // namespace

Result<IndexTree> IndexTree::read(PageStore& store, std::uint32_t root, std::uint32_t owner) {
    IndexTree tree;
    std::set<std::uint32_t> seen{root};
    JET_ASSIGN_OR_RETURN(auto rootPage, readPage(store, root, owner));
    tree.levels.push_back({{root, std::move(rootPage)}});
    while (!tree.levels.back().front().content.leaf) {
        if (tree.levels.size() > kMaxDepth)
            return Status::corrupt("index at " + pageName(root) + " is too deep");
        std::vector<Page> below;
        for (const Page& node : tree.levels.back()) {
            if (!node.content.leaf && node.content.entries.empty() && node.content.tail == 0)
                return Status::corrupt(pageName(node.number) + " is a node without children");
            std::vector<std::uint32_t> children;
            for (const Bytes& entry : node.content.entries)
                children.push_back(IndexPage::child(entry));
            if (node.content.tail != 0) children.push_back(node.content.tail);
            for (std::uint32_t child : children) {
                if (!seen.insert(child).second) return Status::corrupt(pageName(child) + " is reached twice");
                JET_ASSIGN_OR_RETURN(auto page, readPage(store, child, owner));
                below.push_back({child, std::move(page)});
            }
        }
        const bool leaves = below.front().content.leaf;
        for (const Page& page : below)
            if (page.content.leaf != leaves)
                return Status::corrupt("index at " + pageName(root) + " has leaves at different depths");
        for (const Page& node : tree.levels.back())
            if (node.content.leaf)
                return Status::corrupt("index at " + pageName(root) + " has leaves at different depths");
        tree.levels.push_back(std::move(below));
    }
    return tree;
}

std::vector<Bytes> IndexTree::entries() const {
    std::vector<Bytes> out;
    for (const Page& leaf : levels.back())
        out.insert(out.end(), leaf.content.entries.begin(), leaf.content.entries.end());
    return out;
}

std::vector<std::string> IndexTree::structureProblems() const {
    std::vector<std::string> problems;
    const auto& leaves = levels.back();
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        const IndexPage& leaf = leaves[i].content;
        const std::uint32_t prev = i == 0 ? 0 : leaves[i - 1].number;
        const std::uint32_t next = i + 1 == leaves.size() ? 0 : leaves[i + 1].number;
        if (leaf.prev != prev || leaf.next != next)
            problems.push_back(pageName(leaves[i].number) + " links to " + std::to_string(leaf.prev) +
                               " and " + std::to_string(leaf.next) + " instead of " + std::to_string(prev) +
                               " and " + std::to_string(next));
        if (leaf.entries.empty() && leaves.size() > 1)
            problems.push_back(pageName(leaves[i].number) + " is empty");
        if (leaf.tail != 0) problems.push_back(pageName(leaves[i].number) + " is a leaf with a tail page");
    }
    // The first and last leaf entry below each page, from the leaves up.
    std::vector<std::pair<Bytes, Bytes>> below;
    for (const Page& leaf : leaves)
        below.emplace_back(leaf.content.entries.empty() ? Bytes{} : leaf.content.entries.front(),
                           leaf.content.entries.empty() ? Bytes{} : leaf.content.entries.back());
    for (std::size_t level = levels.size() - 1; level-- > 0;) {
        std::vector<std::pair<Bytes, Bytes>> here;
        std::size_t child = 0;
        for (const Page& node : levels[level]) {
            const std::size_t first = child;
            for (const Bytes& entry : node.content.entries) {
                const Bytes bound = IndexPage::leafEntryOf(entry);
                const bool last = child + 1 == below.size();
                if (below[child].second > bound || (!last && below[child + 1].first <= bound))
                    problems.push_back(pageName(node.number) +
                                       " has an entry that does not bound its child " +
                                       std::to_string(IndexPage::child(entry)));
                ++child;
            }
            if (node.content.tail != 0) ++child;
            here.emplace_back(below[first].first, below[child - 1].second);
        }
        below = std::move(here);
    }
    return problems;
}

std::vector<std::uint32_t> IndexTree::pages() const {
    std::vector<std::uint32_t> out;
    for (const auto& level : levels)
        for (const Page& page : level)
            out.push_back(page.number);
    return out;
}

} // namespace jet

#pragma once

// A whole index read from its root: every page, level by level, each level in key order. All
// leaves sit at the same depth; a node's children are its entries' pages and then its tail page.
#include "jet/index/IndexPage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet {

struct IndexTree {
    struct Page {
        std::uint32_t number = 0;
        IndexPage content;
    };
    std::vector<std::vector<Page>> levels; // levels.front() is the root alone, levels.back() the leaves

    // Pages outside the file, pages of another table, pages reached twice and leaves at
    // different depths are reported as Corrupt.
    static Result<IndexTree> read(PageStore& store, std::uint32_t root, std::uint32_t owner);

    // Every leaf entry in order.
    std::vector<Bytes> entries() const;
    std::vector<std::uint32_t> pages() const;
    // Leaf links that skip or loop, empty leaves, node entries that do not bound their children.
    std::vector<std::string> structureProblems() const;
};

} // namespace jet

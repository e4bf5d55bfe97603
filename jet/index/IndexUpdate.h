#pragma once

// Keeps a table's indexes right when an update changes a column they cover: each changed row's
// entry leaves its old place and takes its new one in every such index. Leaves that overflow are
// split, emptied leaves are given back, and the node pages above are laid out anew (a node's last
// child in its tail field, as Access does), writing only the pages whose bytes change. Everything
// goes through the page store, so it is part of the statement's journal.
#include "jet/catalog/TableDef.h"
#include "jet/pages/PageAllocator.h"
#include "jet/pages/RowCodec.h"

#include <optional>
#include <vector>

namespace jet {

// One row's entry in one index: where it leaves and where it goes.
struct IndexMove {
    std::optional<Bytes> from; // leaf entries; nullopt when the index leaves the row out
    std::optional<Bytes> to;
    bool toHasNull = false;
};

class IndexUpdate {
public:
    IndexUpdate(PageStore& store, const TableDef& def, const Column& changed);

    // Notes a row's change. Unsupported, saying why, when an index covering the column cannot key
    // the old or the new values exactly (so its entry could not be found or placed as Access would).
    Status change(RowId row, const RawRow& before, const RawRow& after);
    // Moves every noted entry. A unique index that would hold a key twice refuses the update
    // (Invalid) before any page is written.
    Status apply(PageAllocator& allocator);

private:
    // Rewrites one index's tree with its moves: the tree read and refused if damaged, the entries
    // moved, a unique key held once, the distinct count kept, the pages laid out and written.
    Status applyTo(std::size_t index, const std::vector<IndexMove>& moves, PageAllocator& allocator);

    PageStore& m_store;
    const TableDef& m_def;
    std::vector<std::size_t> m_covering; // positions in m_def.indexes
    std::vector<std::vector<IndexMove>> m_moves;
};

} // namespace jet

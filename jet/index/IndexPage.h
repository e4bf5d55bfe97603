#pragma once

// One index page (0x03 node or 0x04 leaf): its links and its entries, prefix compression undone.
// A leaf entry is the key followed by the row's page (3 bytes) and row number, big-endian; a node
// entry is the last leaf entry below a child followed by the child's page (4 bytes, big-endian).
// A node with more than one child names its last child in the tail field instead of an entry.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/file/PageStore.h"

#include <cstdint>
#include <vector>

namespace jet {

struct IndexPage {
    // Bytes an index page holds for entries: from 0x1E0 to the end of the page.
    static constexpr std::size_t kCapacity = format::kPageSize - format::kIndexEntriesOffset;

    bool leaf = true;
    std::uint32_t owner = 0; // the table definition page
    std::uint32_t prev = 0;
    std::uint32_t next = 0;
    std::uint32_t tail = 0;
    std::vector<Bytes> entries; // whole entries, in page order

    // Every length and boundary is checked against the page: the file is never trusted.
    static Result<IndexPage> parse(ConstPageSpan page);
    // The entry bytes stored with the longest prefix the first and last entries share.
    std::size_t storedSize() const;
    // The page as Jet lays it out; Unsupported when the entries do not fit.
    Status write(PageSpan page) const;

    // Parts of an entry (callers pass entries of the right kind and at least 4 or 8 bytes).
    static ByteView leafKey(const Bytes& entry) { return ByteView(entry).first(entry.size() - 4); }
    static RowId leafRow(const Bytes& entry);
    static std::uint32_t child(const Bytes& entry);
    static Bytes nodeEntry(const Bytes& leafEntry, std::uint32_t child);
    static Bytes leafEntryOf(const Bytes& nodeEntry) { return Bytes(nodeEntry.begin(), nodeEntry.end() - 4); }

private:
    std::size_t prefixLength() const;
};

} // namespace jet

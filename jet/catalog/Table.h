#pragma once

// Reading and rewriting the rows of one table.
#include "jet/catalog/TableDef.h"
#include "jet/file/PageStore.h"
#include "jet/pages/PageAllocator.h"
#include "jet/pages/RowCodec.h"

#include <optional>
#include <string>
#include <vector>

namespace jet {

struct StoredRow {
    RowId slot; // where the row was first stored: its place in every scan
    RowId data; // where its bytes are now (another page once relocated)
    RawRow values;
};

// What a row-by-row read hands on. Views last until the call returns.
class RowVisitor {
public:
    virtual ~RowVisitor() = default;
    // Once, before the rows: the table, and where its long values are read (LongValue::read).
    virtual Status start(const TableDef& def, PageStore& longValues) = 0;
    virtual Status row(const RowViews& values) = 0;
};

class Table {
public:
    Table(PageStore& store, const TableDef& def) : m_store(store), m_def(def) {}

    // Live rows in the order of their slots, relocated rows read through their pointers.
    Result<std::vector<StoredRow>> scan();
    // The live row whose slot is `home`, read through its pointer when it was moved.
    Result<StoredRow> row(RowId home);
    // The same rows one at a time, from pages read in passing: memory stays the same whatever
    // the table's size, and the page cache is left as it was.
    Status eachRow(RowVisitor& visitor);
    // A value as text; nullopt for NULL. Memo is decoded, OLE and binary become hex.
    Result<std::optional<std::string>> text(const Column& column, const std::optional<Bytes>& raw);
    // Stores a long value for `column`, on pages of that column.
    Result<Bytes> writeLongValue(const Column& column, ByteView value, PageAllocator& allocator);
    // Writes new values over a row: in place when its page has room, else moved and pointed to.
    Status rewrite(const StoredRow& row, const RawRow& values, PageAllocator& allocator);

private:
    // A page the table's map lists, read whole or through the caller's buffer (passing reads), once it
    // is known to lie in the file and to be one of the table's data pages.
    Result<ConstPageSpan> dataPage(std::uint32_t page, std::optional<PageSpan> buffer);
    Status scanPage(std::uint32_t page, std::vector<StoredRow>& out);
    template <typename Use>
    Status eachLiveRow(std::uint32_t page, ConstPageSpan view, PageSpan* movedBuffer, Use&& use);
    Result<ByteView> movedRow(ByteView pointer, RowId& target, PageSpan* buffer);
    Result<std::uint32_t> pageWithRoom(std::size_t bytes, std::uint32_t except, PageAllocator& allocator);

    PageStore& m_store;
    const TableDef& m_def;
};

} // namespace jet

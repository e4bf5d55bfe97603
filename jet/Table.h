#pragma once

// Reading and rewriting the rows of one table.
#include "PageAllocator.h"
#include "PageStore.h"
#include "RowCodec.h"
#include "TableDef.h"

#include <optional>
#include <string>
#include <vector>

namespace jet {

struct StoredRow {
    RowId slot; // where the row was first stored: its place in every scan
    RowId data; // where its bytes are now (another page once relocated)
    RawRow values;
};

class Table {
public:
    Table(PageStore& store, const TableDef& def) : m_store(store), m_def(def) {}

    // Live rows in the order of their slots, relocated rows read through their pointers.
    Result<std::vector<StoredRow>> scan();
    // A value as text; nullopt for NULL. Memo is decoded, OLE and binary become hex.
    Result<std::optional<std::string>> text(const Column& column, const std::optional<Bytes>& raw);
    // Stores a long value for `column`, on pages of that column.
    Result<Bytes> writeLongValue(const Column& column, ByteView value, PageAllocator& allocator);
    // Writes new values over a row: in place when its page has room, else moved and pointed to.
    Status rewrite(const StoredRow& row, const RawRow& values, PageAllocator& allocator);

private:
    Status scanPage(std::uint32_t page, std::vector<StoredRow>& out);
    Result<StoredRow> follow(RowId home, ByteView pointer);
    Result<std::uint32_t> pageWithRoom(std::size_t bytes, std::uint32_t except, PageAllocator& allocator);

    PageStore& m_store;
    const TableDef& m_def;
};

} // namespace jet

#include "jet/catalog/TableDef.h"

#include "jet/NameCase.h"
#include "jet/pages/TextCodec.h"

#include <algorithm>
#include <set>

namespace jet {

namespace {

using namespace format;

constexpr std::size_t kMaxColumns = 256;
constexpr std::size_t kMaxIndexes = 64;
constexpr std::size_t kMaxTdefPages = 64;

// The definition's bytes, its continuation pages appended without their 8-byte headers.
Status readChain(PageStore& store, std::uint32_t first, Bytes& out, std::vector<std::uint32_t>& pages) {
    std::set<std::uint32_t> seen;
    for (std::uint32_t page = first; page != 0;) {
        if (page >= store.pageCount())
            return Status::corrupt("table definition page " + std::to_string(page) + " is outside the file");
        if (!seen.insert(page).second || seen.size() > kMaxTdefPages)
            return Status::corrupt("table definition pages form a loop");
        JET_ASSIGN_OR_RETURN(const auto bytes, store.read(page));
        if (bytes[0] != kPageTableDef)
            return Status::corrupt("page " + std::to_string(page) + " is not a table definition");
        const std::size_t from = pages.empty() ? 0 : kTdefHeaderSize;
        out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
        pages.push_back(page);
        page = get32(bytes, kTdefNextPageOffset);
    }
    return {};
}

// Bounds-checked reading through the definition bytes.
class Cursor {
public:
    explicit Cursor(const Bytes& b, std::size_t at) : m_bytes(b), m_at(at) {}
    bool has(std::size_t n) const { return m_at + n <= m_bytes.size(); }
    std::size_t at() const { return m_at; }
    ByteView take(std::size_t n) {
        ByteView v(m_bytes.data() + m_at, n);
        m_at += n;
        return v;
    }

private:
    const Bytes& m_bytes;
    std::size_t m_at;
};

Column parseColumn(ByteView d) {
    Column c;
    c.type = static_cast<ColumnType>(d[kColType]);
    c.number = get16(d, kColNumber);
    c.varIndex = get16(d, kColVarIndex);
    c.precision = d[kColSortOrPrecision];
    c.scale = d[kColScale];
    c.flags = d[kColFlags];
    c.extFlags = d[kColExtFlags];
    c.fixedOffset = get16(d, kColFixedOffset);
    c.length = get16(d, kColLength);
    return c;
}

RealIndex parseIndex(ByteView d) {
    RealIndex index;
    for (unsigned i = 0; i < kIndexColumnSlots; ++i) {
        const std::uint16_t col = get16(d, kIndexColumnsOffset + 3 * i);
        if (col == kIndexUnusedColumn) continue;
        index.columns.push_back(col);
        index.ascending.push_back((d[kIndexColumnsOffset + 3 * i + 2] & kIndexAscending) != 0);
    }
    index.map = RowId::fromRaw(get32(d, kIndexMapOffset));
    index.root = get32(d, kIndexRootOffset);
    index.flags = d[kIndexFlagsOffset];
    return index;
}

Status parseBody(const Bytes& b, TableDef& t) {
    const std::size_t columnCount = get16(b, kTdefColCountOffset);
    const std::size_t logical = get32(b, kTdefLogicalIndexCountOffset);
    const std::size_t real = get32(b, kTdefRealIndexCountOffset);
    if (columnCount > kMaxColumns || logical > kMaxIndexes || real > kMaxIndexes)
        return Status::corrupt("table definition counts are impossible");
    Cursor cur(b, kTdefBlockEnd);
    if (!cur.has(real * kRealIndexCountBlock + columnCount * kColumnDescriptorSize))
        return Status::corrupt("table definition is truncated");
    cur.take(real * kRealIndexCountBlock);
    for (std::size_t i = 0; i < columnCount; ++i)
        t.columns.push_back(parseColumn(cur.take(kColumnDescriptorSize)));
    for (auto& column : t.columns) {
        if (!cur.has(2) || !cur.has(2 + get16(b, cur.at())))
            return Status::corrupt("column names are truncated");
        column.name = TextCodec::decode(cur.take(get16(b, cur.at()) + 2).subspan(2));
    }
    if (!cur.has(real * kRealIndexBlock + logical * kLogicalIndexBlock))
        return Status::corrupt("index definitions are truncated");
    for (std::size_t i = 0; i < real; ++i)
        t.indexes.push_back(parseIndex(cur.take(kRealIndexBlock)));
    cur.take(logical * kLogicalIndexBlock);
    for (std::size_t i = 0; i < logical; ++i) {
        if (!cur.has(2) || !cur.has(2 + get16(b, cur.at())))
            return Status::corrupt("index names are truncated");
        cur.take(2 + get16(b, cur.at()));
    }
    // Long-value column maps: present in Access 2000+ files, ended by FF FF.
    while (cur.has(2) && get16(b, cur.at()) != kLongValueMapEnd) {
        if (!cur.has(kLongValueMapEntry)) return Status::corrupt("long-value map list is truncated");
        const ByteView e = cur.take(kLongValueMapEntry);
        t.longValueMaps.push_back({get16(e, 0), RowId::fromRaw(get32(e, 2)), RowId::fromRaw(get32(e, 6))});
        if (t.longValueMaps.size() > kMaxColumns) return Status::corrupt("long-value map list does not end");
    }
    return {};
}

Status checkColumns(TableDef& t) {
    std::sort(t.columns.begin(), t.columns.end(),
              [](const Column& a, const Column& b) { return a.number < b.number; });
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
        if (t.columns[i].number >= t.maxCols || (i > 0 && t.columns[i].number == t.columns[i - 1].number))
            return Status::corrupt("column numbers of table definition " + std::to_string(t.page) +
                                   " are inconsistent");
    }
    return {};
}

} // namespace

const Column* TableDef::find(std::string_view name) const {
    for (const auto& column : columns) {
        if (NameCase::same(column.name, name)) return &column;
    }
    return nullptr;
}

Result<TableDef> TableDef::read(PageStore& store, std::uint32_t page) {
    TableDef t;
    t.page = page;
    Bytes b;
    JET_TRY(readChain(store, page, b, t.pages));
    if (b.size() < kTdefBlockEnd) return Status::corrupt("table definition is truncated");
    t.rowCount = get32(b, kTdefRowCountOffset);
    t.tableType = b[kTdefTableTypeOffset];
    t.maxCols = get16(b, kTdefMaxColsOffset);
    t.varCols = get16(b, kTdefVarColsOffset);
    t.ownedMap = RowId::fromRaw(get32(b, kTdefOwnedMapOffset));
    t.freeMap = RowId::fromRaw(get32(b, kTdefFreeMapOffset));
    JET_TRY(parseBody(b, t));
    JET_TRY(checkColumns(t));
    return t;
}

} // namespace jet

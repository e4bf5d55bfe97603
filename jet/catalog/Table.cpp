#include "jet/catalog/Table.h"

#include "jet/longvalue/LongValue.h"
#include "jet/pages/DataPage.h"
#include "jet/pages/TextCodec.h"
#include "jet/pages/UsageMap.h"
#include "jet/pages/ValueText.h"

#include <algorithm>
#include <array>

namespace jet {

namespace {

using namespace format;

std::string hex(ByteView raw) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (auto b : raw) {
        out += kDigits[b >> 4];
        out += kDigits[b & 0xF];
    }
    return out;
}

bool hasRoom(ConstPageSpan page, std::size_t bytes) {
    auto rows = DataPage::rowCount(page);
    auto free = DataPage::freeSpace(page);
    return rows.ok() && free.ok() && rows.value() < kMaxRowsPerPage && free.value() >= bytes;
}

const LongValueMaps* mapsOf(const TableDef& def, const Column& column) {
    for (const auto& maps : def.longValueMaps)
        if (maps.column == column.number) return &maps;
    return nullptr;
}

} // namespace

Result<std::vector<StoredRow>> Table::scan() {
    JET_ASSIGN_OR_RETURN(auto pages, UsageMap::pages(m_store, m_def.ownedMap));
    std::vector<StoredRow> out;
    for (std::uint32_t page : pages)
        JET_TRY(scanPage(page, out));
    return out;
}

Result<ConstPageSpan> Table::dataPage(std::uint32_t page, std::optional<PageSpan> buffer) {
    if (page >= m_store.pageCount())
        return Status::corrupt("table page " + std::to_string(page) + " is outside the file");
    JET_ASSIGN_OR_RETURN(auto view, buffer ? m_store.readPassing(page, *buffer) : m_store.read(page));
    if (view[0] != kPageData || DataPage::owner(view) != m_def.page)
        return Status::corrupt("page " + std::to_string(page) + " is not a data page of its table");
    return view;
}

// Each live row of a data page with the bytes it holds, a relocated row read through its pointer
// (through `movedBuffer` when given, else the cache): `use(home, at, bytes)`.
template <typename Use>
Status Table::eachLiveRow(std::uint32_t page, ConstPageSpan view, PageSpan* movedBuffer, Use&& use) {
    JET_ASSIGN_OR_RETURN(auto rows, DataPage::rowCount(view));
    for (unsigned r = 0; r < rows; ++r) {
        JET_ASSIGN_OR_RETURN(auto slot, DataPage::slot(view, r));
        if (slot.deleted() || slot.lookup()) continue;
        const RowId home{page, r};
        RowId at = home;
        ByteView bytes = DataPage::bytes(view, slot);
        if (slot.overflow()) {
            JET_ASSIGN_OR_RETURN(bytes, movedRow(bytes, at, movedBuffer));
        }
        JET_TRY(use(home, at, bytes));
    }
    return {};
}

Status Table::scanPage(std::uint32_t page, std::vector<StoredRow>& out) {
    JET_ASSIGN_OR_RETURN(auto view, dataPage(page, std::nullopt));
    return eachLiveRow(page, view, nullptr, [&](RowId home, RowId at, ByteView bytes) -> Status {
        JET_ASSIGN_OR_RETURN(auto values, RowCodec::decode(m_def, bytes));
        out.push_back({home, at, std::move(values)});
        return {};
    });
}

Result<StoredRow> Table::row(RowId home) {
    JET_ASSIGN_OR_RETURN(auto view, dataPage(home.page, std::nullopt));
    JET_ASSIGN_OR_RETURN(auto rows, DataPage::rowCount(view));
    if (home.row >= rows)
        return Status::corrupt("row " + std::to_string(home.row) + " of page " + std::to_string(home.page) +
                               " is not there");
    JET_ASSIGN_OR_RETURN(auto slot, DataPage::slot(view, home.row));
    if (slot.deleted() || slot.lookup())
        return Status::corrupt("row " + std::to_string(home.row) + " of page " + std::to_string(home.page) +
                               " is no longer a live row");
    RowId at = home;
    ByteView bytes = DataPage::bytes(view, slot);
    if (slot.overflow()) {
        JET_ASSIGN_OR_RETURN(bytes, movedRow(bytes, at, nullptr));
    }
    JET_ASSIGN_OR_RETURN(auto values, RowCodec::decode(m_def, bytes));
    return StoredRow{home, at, std::move(values)};
}

// The row a relocated slot points to, read through the cache or, given a buffer, in passing.
Result<ByteView> Table::movedRow(ByteView pointer, RowId& target, PageSpan* buffer) {
    if (pointer.size() < 4) return Status::corrupt("relocated row has no pointer");
    target = RowId::fromRaw(get32(pointer, 0));
    if (target.page == 0 || target.page >= m_store.pageCount())
        return Status::corrupt("relocated row points outside the file");
    JET_ASSIGN_OR_RETURN(auto view,
                         buffer ? m_store.readPassing(target.page, *buffer) : m_store.read(target.page));
    if (view[0] != kPageData || DataPage::owner(view) != m_def.page)
        return Status::corrupt("relocated row points to a page of another table");
    JET_ASSIGN_OR_RETURN(auto slot, DataPage::slot(view, target.row));
    if (!slot.lookup()) return Status::corrupt("relocated row points to a row that is not a moved copy");
    return DataPage::bytes(view, slot);
}

namespace {

// Long-value pages read in passing, each view lasting until the next read: enough for a chain,
// whose pages are used one after another.
class PassingPages final : public PageStore {
public:
    explicit PassingPages(PageStore& store) : m_store(store) {}
    std::uint32_t pageCount() const override { return m_store.pageCount(); }
    Result<ConstPageSpan> read(std::uint32_t page) override { return m_store.readPassing(page, m_buffer); }
    Result<PageSpan> modify(std::uint32_t) override {
        return Status::invalid("pages read in passing are not changed");
    }
    Result<std::uint32_t> append() override {
        return Status::invalid("pages read in passing are not changed");
    }

private:
    PageStore& m_store;
    std::array<std::uint8_t, kPageSize> m_bufferBytes{};
    PageSpan m_buffer{m_bufferBytes};
};

} // namespace

Status Table::eachRow(RowVisitor& visitor) {
    JET_ASSIGN_OR_RETURN(auto pages, UsageMap::pages(m_store, m_def.ownedMap));
    PassingPages longValues(m_store);
    JET_TRY(visitor.start(m_def, longValues));
    std::array<std::uint8_t, kPageSize> homeBytes{};
    std::array<std::uint8_t, kPageSize> movedBytes{};
    PageSpan homeBuffer(homeBytes);
    PageSpan movedBuffer(movedBytes);
    RowViews values;
    values.reserve(m_def.columns.size());
    for (std::uint32_t page : pages) {
        JET_ASSIGN_OR_RETURN(auto view, dataPage(page, homeBuffer));
        JET_TRY(eachLiveRow(page, view, &movedBuffer, [&](RowId, RowId, ByteView bytes) -> Status {
            JET_TRY(RowCodec::decodeViews(m_def, bytes, values));
            return visitor.row(values);
        }));
    }
    return {};
}

Result<std::optional<std::string>> Table::text(const Column& column, const std::optional<Bytes>& raw) {
    if (!raw) return std::optional<std::string>{};
    switch (column.type) {
    case ColumnType::Text:
        return std::optional<std::string>{TextCodec::decode(*raw)};
    case ColumnType::Binary:
        return std::optional<std::string>{hex(*raw)};
    case ColumnType::Memo:
    case ColumnType::Ole: {
        JET_ASSIGN_OR_RETURN(auto value, LongValue::read(m_store, *raw));
        return std::optional<std::string>{column.type == ColumnType::Memo ? TextCodec::decode(value)
                                                                          : hex(value)};
    }
    default:
        return std::optional<std::string>{ValueText::format(column, *raw)};
    }
}

Result<Bytes> Table::writeLongValue(const Column& column, ByteView value, PageAllocator& allocator) {
    const LongValueMaps* maps = mapsOf(m_def, column);
    auto pageWithRoom = [&](std::size_t bytes) -> Result<std::uint32_t> {
        if (maps) {
            JET_ASSIGN_OR_RETURN(auto pages, UsageMap::pages(m_store, maps->owned));
            for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
                if (*it >= m_store.pageCount()) continue;
                JET_ASSIGN_OR_RETURN(auto view, m_store.read(*it));
                if (view[0] == kPageData && DataPage::owner(view) == kLongValueOwner && hasRoom(view, bytes))
                    return *it;
            }
        }
        return allocator.dataPage(kLongValueOwner, maps ? maps->owned : RowId{}, maps ? maps->free : RowId{});
    };
    return LongValue::write(m_store, value, pageWithRoom);
}

Result<std::uint32_t> Table::pageWithRoom(std::size_t bytes, std::uint32_t except, PageAllocator& allocator) {
    JET_ASSIGN_OR_RETURN(auto pages, UsageMap::pages(m_store, m_def.freeMap));
    for (std::uint32_t page : pages) {
        if (page == except || page >= m_store.pageCount()) continue;
        JET_ASSIGN_OR_RETURN(auto view, m_store.read(page));
        if (view[0] == kPageData && DataPage::owner(view) == m_def.page && hasRoom(view, bytes)) return page;
    }
    return allocator.dataPage(m_def.page, m_def.ownedMap, m_def.freeMap);
}

Status Table::rewrite(const StoredRow& row, const RawRow& values, PageAllocator& allocator) {
    JET_ASSIGN_OR_RETURN(auto bytes, RowCodec::encode(m_def, values));
    JET_ASSIGN_OR_RETURN(auto page, m_store.modify(row.data.page));
    JET_ASSIGN_OR_RETURN(auto slot, DataPage::slot(page, row.data.row));
    JET_ASSIGN_OR_RETURN(auto free, DataPage::freeSpace(page));
    if (free + slot.length() >= bytes.size())
        return DataPage::replaceRow(page, row.data.row, bytes, slot.flags);

    // Too long for its page: the copy moves, the slot keeps a pointer, so scans keep its place.
    JET_ASSIGN_OR_RETURN(auto target, pageWithRoom(bytes.size() + 2, row.data.page, allocator));
    JET_ASSIGN_OR_RETURN(auto targetPage, m_store.modify(target));
    JET_ASSIGN_OR_RETURN(auto added, DataPage::addRow(targetPage, bytes, kRowLookup));
    if (!(row.data == row.slot)) {
        JET_ASSIGN_OR_RETURN(auto old, m_store.modify(row.data.page));
        JET_TRY(DataPage::replaceRow(old, row.data.row, {}, kRowDeleted));
    }
    Bytes pointer(4);
    put32(pointer, 0, RowId{target, added}.raw());
    JET_ASSIGN_OR_RETURN(auto home, m_store.modify(row.slot.page));
    return DataPage::replaceRow(home, row.slot.row, pointer, kRowOverflow);
}

} // namespace jet

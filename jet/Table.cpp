#include "jet/Table.h"

#include "jet/DataPage.h"
#include "jet/LongValue.h"
#include "jet/TextCodec.h"
#include "jet/UsageMap.h"
#include "jet/ValueText.h"

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
    auto pages = UsageMap::pages(m_store, m_def.ownedMap);
    if (!pages.ok()) return pages.status();
    std::vector<StoredRow> out;
    for (std::uint32_t page : pages.value())
        JET_TRY(scanPage(page, out));
    return out;
}

Result<ConstPageSpan> Table::dataPage(std::uint32_t page, std::optional<PageSpan> buffer) {
    if (page >= m_store.pageCount())
        return Status::corrupt("table page " + std::to_string(page) + " is outside the file");
    auto view = buffer ? m_store.readPassing(page, *buffer) : m_store.read(page);
    if (!view.ok()) return view.status();
    if (view.value()[0] != kPageData || DataPage::owner(view.value()) != m_def.page)
        return Status::corrupt("page " + std::to_string(page) + " is not a data page of its table");
    return view;
}

// Each live row of a data page with the bytes it holds, a relocated row read through its pointer
// (through `movedBuffer` when given, else the cache): `use(home, at, bytes)`.
template <typename Use>
Status Table::eachLiveRow(std::uint32_t page, ConstPageSpan view, PageSpan* movedBuffer, Use&& use) {
    auto rows = DataPage::rowCount(view);
    if (!rows.ok()) return rows.status();
    for (unsigned r = 0; r < rows.value(); ++r) {
        auto slot = DataPage::slot(view, r);
        if (!slot.ok()) return slot.status();
        if (slot->deleted() || slot->lookup()) continue;
        const RowId home{page, r};
        RowId at = home;
        ByteView bytes = DataPage::bytes(view, slot.value());
        if (slot->overflow()) {
            auto moved = movedRow(bytes, at, movedBuffer);
            if (!moved.ok()) return moved.status();
            bytes = moved.value();
        }
        JET_TRY(use(home, at, bytes));
    }
    return {};
}

Status Table::scanPage(std::uint32_t page, std::vector<StoredRow>& out) {
    auto view = dataPage(page, std::nullopt);
    if (!view.ok()) return view.status();
    return eachLiveRow(page, view.value(), nullptr, [&](RowId home, RowId at, ByteView bytes) -> Status {
        auto values = RowCodec::decode(m_def, bytes);
        if (!values.ok()) return values.status();
        out.push_back({home, at, std::move(values.value())});
        return {};
    });
}

// The row a relocated slot points to, read through the cache or, given a buffer, in passing.
Result<ByteView> Table::movedRow(ByteView pointer, RowId& target, PageSpan* buffer) {
    if (pointer.size() < 4) return Status::corrupt("relocated row has no pointer");
    target = RowId::fromRaw(get32(pointer, 0));
    if (target.page == 0 || target.page >= m_store.pageCount())
        return Status::corrupt("relocated row points outside the file");
    auto view = buffer ? m_store.readPassing(target.page, *buffer) : m_store.read(target.page);
    if (!view.ok()) return view.status();
    if (view.value()[0] != kPageData || DataPage::owner(view.value()) != m_def.page)
        return Status::corrupt("relocated row points to a page of another table");
    auto slot = DataPage::slot(view.value(), target.row);
    if (!slot.ok()) return slot.status();
    if (!slot->lookup()) return Status::corrupt("relocated row points to a row that is not a moved copy");
    return DataPage::bytes(view.value(), slot.value());
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
    auto pages = UsageMap::pages(m_store, m_def.ownedMap);
    if (!pages.ok()) return pages.status();
    PassingPages longValues(m_store);
    JET_TRY(visitor.start(m_def, longValues));
    std::array<std::uint8_t, kPageSize> homeBytes{};
    std::array<std::uint8_t, kPageSize> movedBytes{};
    PageSpan homeBuffer(homeBytes);
    PageSpan movedBuffer(movedBytes);
    RowViews values;
    values.reserve(m_def.columns.size());
    for (std::uint32_t page : pages.value()) {
        auto view = dataPage(page, homeBuffer);
        if (!view.ok()) return view.status();
        JET_TRY(eachLiveRow(page, view.value(), &movedBuffer, [&](RowId, RowId, ByteView bytes) -> Status {
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
        auto value = LongValue::read(m_store, *raw);
        if (!value.ok()) return value.status();
        return std::optional<std::string>{column.type == ColumnType::Memo ? TextCodec::decode(value.value())
                                                                          : hex(value.value())};
    }
    default:
        return std::optional<std::string>{ValueText::format(column, *raw)};
    }
}

Result<Bytes> Table::writeLongValue(const Column& column, ByteView value, PageAllocator& allocator) {
    const LongValueMaps* maps = mapsOf(m_def, column);
    auto pageWithRoom = [&](std::size_t bytes) -> Result<std::uint32_t> {
        if (maps) {
            auto pages = UsageMap::pages(m_store, maps->owned);
            if (!pages.ok()) return pages.status();
            for (auto it = pages->rbegin(); it != pages->rend(); ++it) {
                if (*it >= m_store.pageCount()) continue;
                auto view = m_store.read(*it);
                if (!view.ok()) return view.status();
                if (view.value()[0] == kPageData && DataPage::owner(view.value()) == kLongValueOwner &&
                    hasRoom(view.value(), bytes))
                    return *it;
            }
        }
        return allocator.dataPage(kLongValueOwner, maps ? maps->owned : RowId{}, maps ? maps->free : RowId{});
    };
    return LongValue::write(m_store, value, pageWithRoom);
}

Result<std::uint32_t> Table::pageWithRoom(std::size_t bytes, std::uint32_t except, PageAllocator& allocator) {
    auto pages = UsageMap::pages(m_store, m_def.freeMap);
    if (!pages.ok()) return pages.status();
    for (std::uint32_t page : pages.value()) {
        if (page == except || page >= m_store.pageCount()) continue;
        auto view = m_store.read(page);
        if (!view.ok()) return view.status();
        if (view.value()[0] == kPageData && DataPage::owner(view.value()) == m_def.page &&
            hasRoom(view.value(), bytes))
            return page;
    }
    return allocator.dataPage(m_def.page, m_def.ownedMap, m_def.freeMap);
}

Status Table::rewrite(const StoredRow& row, const RawRow& values, PageAllocator& allocator) {
    auto bytes = RowCodec::encode(m_def, values);
    if (!bytes.ok()) return bytes.status();
    auto page = m_store.modify(row.data.page);
    if (!page.ok()) return page.status();
    auto slot = DataPage::slot(page.value(), row.data.row);
    if (!slot.ok()) return slot.status();
    auto free = DataPage::freeSpace(page.value());
    if (!free.ok()) return free.status();
    if (free.value() + slot->length() >= bytes->size())
        return DataPage::replaceRow(page.value(), row.data.row, bytes.value(), slot->flags);

    // Too long for its page: the copy moves, the slot keeps a pointer, so scans keep its place.
    auto target = pageWithRoom(bytes->size() + 2, row.data.page, allocator);
    if (!target.ok()) return target.status();
    auto targetPage = m_store.modify(target.value());
    if (!targetPage.ok()) return targetPage.status();
    auto added = DataPage::addRow(targetPage.value(), bytes.value(), kRowLookup);
    if (!added.ok()) return added.status();
    if (!(row.data == row.slot)) {
        auto old = m_store.modify(row.data.page);
        if (!old.ok()) return old.status();
        JET_TRY(DataPage::replaceRow(old.value(), row.data.row, {}, kRowDeleted));
    }
    Bytes pointer(4);
    put32(pointer, 0, RowId{target.value(), added.value()}.raw());
    auto home = m_store.modify(row.slot.page);
    if (!home.ok()) return home.status();
    return DataPage::replaceRow(home.value(), row.slot.row, pointer, kRowOverflow);
}

} // namespace jet

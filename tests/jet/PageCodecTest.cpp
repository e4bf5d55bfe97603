// Data pages and usage maps on pages held in memory.
#include "jet/file/Journal.h"
#include "jet/pages/DataPage.h"
#include "jet/pages/UsageMap.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace jet;

class MemoryStore final : public PageStore {
public:
    explicit MemoryStore(std::uint32_t pages) : m_pages(pages, PageImage(format::kPageSize, 0)) {}
    std::uint32_t pageCount() const override { return static_cast<std::uint32_t>(m_pages.size()); }
    Result<ConstPageSpan> read(std::uint32_t page) override {
        if (page >= m_pages.size()) return Status::corrupt("beyond the end");
        return ConstPageSpan(m_pages[page].data(), format::kPageSize);
    }
    Result<PageSpan> modify(std::uint32_t page) override {
        if (page >= m_pages.size()) return Status::corrupt("beyond the end");
        return PageSpan(m_pages[page].data(), format::kPageSize);
    }
    Result<std::uint32_t> append() override {
        m_pages.emplace_back(format::kPageSize, 0);
        return pageCount() - 1;
    }

private:
    std::vector<PageImage> m_pages;
};

Bytes row(std::size_t length, std::uint8_t fill) {
    return Bytes(length, fill);
}

std::vector<std::uint8_t> rowBytes(MemoryStore& store, std::uint32_t page, unsigned r) {
    auto view = store.read(page).value();
    auto slot = DataPage::slot(view, r).value();
    auto bytes = DataPage::bytes(view, slot);
    return {bytes.begin(), bytes.end()};
}

TEST(DataPage, RowsGrowAndShrinkInPlaceWithoutDisturbingTheOthers) {
    MemoryStore store(1);
    auto page = store.modify(0).value();
    DataPage::format(page, 7);
    EXPECT_EQ(DataPage::addRow(page, row(100, 0xA1), 0).value(), 0u);
    EXPECT_EQ(DataPage::addRow(page, row(200, 0xB2), 0).value(), 1u);
    EXPECT_EQ(DataPage::addRow(page, row(300, 0xC3), 0).value(), 2u);
    EXPECT_EQ(DataPage::freeSpace(page).value(), 4096u - 14 - 6 - 600);

    ASSERT_TRUE(DataPage::replaceRow(page, 1, row(1000, 0xBB), format::kRowLookup).ok());
    EXPECT_EQ(rowBytes(store, 0, 0), row(100, 0xA1));
    EXPECT_EQ(rowBytes(store, 0, 1), row(1000, 0xBB));
    EXPECT_EQ(rowBytes(store, 0, 2), row(300, 0xC3));
    EXPECT_TRUE(DataPage::slot(page, 1).value().lookup());
    EXPECT_EQ(DataPage::freeSpace(page).value(), 4096u - 14 - 6 - 1400);
    EXPECT_EQ(get16(page, format::kDataFreeSpaceOffset), DataPage::freeSpace(page).value());

    ASSERT_TRUE(DataPage::replaceRow(page, 0, {}, format::kRowDeleted).ok());
    EXPECT_TRUE(DataPage::slot(page, 0).value().deleted());
    EXPECT_EQ(rowBytes(store, 0, 2), row(300, 0xC3));
    EXPECT_EQ(DataPage::freeSpace(page).value(), 4096u - 14 - 6 - 1300);
}

TEST(DataPage, RefusesRowsThatDoNotFit) {
    MemoryStore store(1);
    auto page = store.modify(0).value();
    DataPage::format(page, 7);
    ASSERT_TRUE(DataPage::addRow(page, row(4000, 1), 0).ok());
    EXPECT_EQ(DataPage::addRow(page, row(79, 2), 0).status().code(), Code::Invalid);
    EXPECT_EQ(DataPage::replaceRow(page, 0, row(4081, 3), 0).code(), Code::Invalid);
    EXPECT_EQ(rowBytes(store, 0, 0), row(4000, 1));
    ASSERT_TRUE(DataPage::addRow(page, row(78, 2), 0).ok()); // exactly the rest, with its slot
    EXPECT_EQ(DataPage::freeSpace(page).value(), 0u);
}

// A map row on page 1 (row 0), the way table definitions point at them.
RowId mapRow(MemoryStore& store, const Bytes& bytes) {
    auto holder = store.modify(1).value();
    DataPage::format(holder, 0);
    return {1, DataPage::addRow(holder, bytes, 0).value()};
}

UsageMap::Allocate allocator(MemoryStore& store, std::vector<std::uint32_t>& given) {
    return [&store, &given]() -> Result<std::uint32_t> {
        auto page = store.append();
        store.modify(page.value()).value()[0] = format::kPageUsageMap;
        given.push_back(page.value());
        return page;
    };
}

TEST(UsageMap, InlineWindowSlidesAndThenBecomesAReferenceMap) {
    MemoryStore store(2);
    const RowId map = mapRow(store, UsageMap::makeInline(100, 8, {100, 105})); // pages 100..163
    std::vector<std::uint32_t> given;
    ASSERT_TRUE(UsageMap::set(store, map, 150, true, false, allocator(store, given)).ok());
    EXPECT_EQ(UsageMap::pages(store, map).value(), (std::vector<std::uint32_t>{100, 105, 150}));
    // 90 is below the window, but all set pages still fit once it slides down.
    ASSERT_TRUE(UsageMap::set(store, map, 90, true, false, allocator(store, given)).ok());
    EXPECT_EQ(UsageMap::pages(store, map).value(), (std::vector<std::uint32_t>{90, 100, 105, 150}));
    EXPECT_TRUE(given.empty());
    // 40000 cannot share a 64-page window with 90: the map moves to bitmap pages.
    ASSERT_TRUE(UsageMap::set(store, map, 40000, true, false, allocator(store, given)).ok());
    EXPECT_EQ(UsageMap::pages(store, map).value(), (std::vector<std::uint32_t>{90, 100, 105, 150, 40000}));
    EXPECT_EQ(given.size(), 2u);                        // one bitmap page per 32736 pages covered
    EXPECT_EQ(rowBytes(store, 1, map.row).size(), 13u); // the row keeps its length
    ASSERT_TRUE(UsageMap::set(store, map, 105, false, false, allocator(store, given)).ok());
    EXPECT_EQ(UsageMap::pages(store, map).value(), (std::vector<std::uint32_t>{90, 100, 150, 40000}));
    EXPECT_TRUE(UsageMap::test(store, map, 40000, false).value());
    EXPECT_FALSE(UsageMap::test(store, map, 40001, false).value());
}

TEST(UsageMap, GlobalMapCountsPagesAboveItsWindowAsFree) {
    MemoryStore store(2);
    // Pages 0..15 of a 16-bit window: 0..9 in use, 10..15 free.
    const RowId global = mapRow(store, UsageMap::makeInline(0, 2, {10, 11, 12, 13, 14, 15}));
    std::vector<std::uint32_t> given;
    EXPECT_TRUE(UsageMap::test(store, global, 20, true).value());
    ASSERT_TRUE(UsageMap::set(store, global, 20, false, true, allocator(store, given)).ok());
    EXPECT_FALSE(UsageMap::test(store, global, 20, true).value());
    EXPECT_TRUE(UsageMap::test(store, global, 12, true).value());  // still free after the slide
    EXPECT_TRUE(UsageMap::test(store, global, 19, true).value());  // newly covered pages are free
    EXPECT_FALSE(UsageMap::test(store, global, 3, true).value());  // below the window: in use
    EXPECT_TRUE(UsageMap::test(store, global, 500, true).value()); // above it: free
}

TEST(UsageMap, DamagedMapsAreErrors) {
    MemoryStore store(2);
    Bytes unknown = UsageMap::makeInline(0, 4, {});
    unknown[0] = 9;
    const RowId map = mapRow(store, unknown);
    EXPECT_EQ(UsageMap::pages(store, map).status().code(), Code::Corrupt);
    Bytes reference(9, 0);
    reference[0] = format::kMapReference;
    put32(reference, 1, 1); // page 1 is a data page, not a bitmap page
    const RowId ref = mapRow(store, reference);
    EXPECT_EQ(UsageMap::pages(store, ref).status().code(), Code::Corrupt);
    EXPECT_EQ(UsageMap::pages(store, RowId{7, 0}).status().code(), Code::Corrupt);
}

} // namespace

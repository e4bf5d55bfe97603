// The integrity check on indexes that span several pages (a node with a tail page over leaves),
// and exact keys for every type the engine keys.
#include "EngineTestSupport.h"

#include "jet/catalog/TableDef.h"
#include "jet/file/Pager.h"
#include "jet/index/IndexKey.h"
#include "jet/index/IndexTree.h"
#include "jet/pages/PageAllocator.h"
#include "jet/pages/UsageMap.h"

#include <cstring>
#include <functional>

using namespace enginetest;

namespace {

using jet::Bytes;
using jet::IndexPage;

struct SplitIndex {
    std::uint32_t root = 0, left = 0, right = 0;
    jet::RowId map;
};

// Rewrites the ID index of testUnicodeCompV2003's "Table" as Access lays out a bigger one: a root
// node whose one entry bounds the left leaf and whose tail names the right leaf.
SplitIndex splitIdIndex(const std::string& file,
                        const std::function<void(IndexPage&, IndexPage&, IndexPage&)>& damage = {}) {
    SplitIndex out;
    auto pager = jet::Pager::open(file);
    EXPECT_TRUE(pager.ok());
    jet::Pager& store = *pager.value();
    EXPECT_TRUE(store.beginWrite().ok());
    for (std::uint32_t page = 3; page < store.pageCount() && out.root == 0; ++page) {
        auto def = jet::TableDef::read(store, page);
        if (!def.ok() || def->find("Unicode") == nullptr) continue;
        const jet::RealIndex& index = def->indexes.at(0);
        auto tree = jet::IndexTree::read(store, index.root, def->page);
        EXPECT_TRUE(tree.ok());
        const auto entries = tree->entries();
        EXPECT_EQ(entries.size(), 8u);
        jet::PageAllocator allocator(store);
        out = {index.root, allocator.blankPage().value(), allocator.blankPage().value(), index.map};
        for (std::uint32_t p : {out.left, out.right})
            EXPECT_TRUE(jet::UsageMap::set(store, index.map, p, true, false, [&] {
                            return allocator.mapPage();
                        }).ok());
        IndexPage left{true, def->page, 0, out.right, 0, {entries.begin(), entries.begin() + 4}};
        IndexPage right{true, def->page, out.left, 0, 0, {entries.begin() + 4, entries.end()}};
        IndexPage root{false, def->page, 0, 0, out.right, {IndexPage::nodeEntry(entries[3], out.left)}};
        if (damage) damage(root, left, right);
        EXPECT_TRUE(root.write(store.modify(out.root).value()).ok());
        EXPECT_TRUE(left.write(store.modify(out.left).value()).ok());
        EXPECT_TRUE(right.write(store.modify(out.right).value()).ok());
    }
    EXPECT_TRUE(store.commit().ok());
    EXPECT_NE(out.root, 0u);
    return out;
}

bool mentions(const std::vector<std::string>& found, const std::string& text) {
    return std::any_of(found.begin(), found.end(),
                       [&](const std::string& f) { return f.find(text) != std::string::npos; });
}

TEST(IndexCheck, FollowsTheTailPageOfAnIndexOverSeveralPages) {
    ScratchDir dir;
    const auto file = dir.copy("testUnicodeCompV2003.mdb");
    splitIdIndex(file);
    const auto found = problems(file);
    EXPECT_TRUE(found.empty()) << found.front();
}

TEST(IndexCheck, FindsDamageInAnIndexOverSeveralPages) {
    const std::vector<std::pair<std::string, std::function<void(IndexPage&, IndexPage&, IndexPage&)>>>
        damages = {
            {"links to", [](IndexPage&, IndexPage&, IndexPage& right) { right.prev = 0; }},
            {"does not bound its child",
             [](IndexPage& root, IndexPage& left, IndexPage&) {
                 root.entries[0] =
                     IndexPage::nodeEntry(left.entries[1], jet::IndexPage::child(root.entries[0]));
             }},
            {"does not match its values",
             [](IndexPage&, IndexPage& left, IndexPage&) { left.entries[2][4] ^= 0x40; }},
            {"has no entry", [](IndexPage&, IndexPage&, IndexPage& right) { right.entries.pop_back(); }},
        };
    for (const auto& [expected, damage] : damages) {
        ScratchDir dir;
        const auto file = dir.copy("testUnicodeCompV2003.mdb");
        splitIdIndex(file, damage);
        EXPECT_TRUE(mentions(problems(file), expected)) << expected;
    }
    ScratchDir dir;
    const auto file = dir.copy("testUnicodeCompV2003.mdb");
    const SplitIndex split = splitIdIndex(file);
    auto pager = jet::Pager::open(file);
    ASSERT_TRUE(pager.value()->beginWrite().ok());
    ASSERT_TRUE(jet::UsageMap::set(*pager.value(), split.map, split.right, false, false, {}).ok());
    ASSERT_TRUE(pager.value()->commit().ok());
    EXPECT_TRUE(mentions(problems(file), "its map does not list exactly the index's pages"));
}

jet::Column column(jet::format::ColumnType type) {
    jet::Column c;
    c.name = "c";
    c.type = type;
    return c;
}

template <typename T> Bytes stored(T value) {
    Bytes out(sizeof(T));
    std::memcpy(out.data(), &value, sizeof(T));
    return out;
}

// Keys sort bytewise as their values do, ascending and (reversed) descending.
template <typename T> void expectOrdered(jet::format::ColumnType type, std::vector<T> values) {
    for (std::size_t i = 1; i < values.size(); ++i) {
        const auto a = jet::IndexKey::columnKey(column(type), stored(values[i - 1]), true).value();
        const auto b = jet::IndexKey::columnKey(column(type), stored(values[i]), true).value();
        EXPECT_LT(a, b) << values[i - 1] << " < " << values[i];
        const auto da = jet::IndexKey::columnKey(column(type), stored(values[i - 1]), false).value();
        const auto db = jet::IndexKey::columnKey(column(type), stored(values[i]), false).value();
        EXPECT_GT(da, db) << values[i - 1] << " < " << values[i];
    }
}

TEST(IndexKeys, NumbersDatesAndMoneySortAsTheirValues) {
    using jet::format::ColumnType;
    expectOrdered<std::uint8_t>(ColumnType::Byte, {0, 1, 127, 128, 255});
    expectOrdered<std::int16_t>(ColumnType::Integer, {-32768, -1, 0, 1, 32767});
    expectOrdered<std::int32_t>(ColumnType::Long, {-2000000000, -256, -1, 0, 255, 256, 2000000000});
    expectOrdered<std::int64_t>(ColumnType::Currency, {-50000, -1, 0, 10000, 1LL << 40});
    expectOrdered<float>(ColumnType::Single, {-1e30f, -2.5f, -0.5f, 0.0f, 0.25f, 3.0f, 1e30f});
    expectOrdered<double>(ColumnType::Double, {-1e300, -2.5, -0.5, 0.0, 1e-300, 0.25, 3.0, 1e300});
    expectOrdered<double>(ColumnType::DateTime, {-700.25, -1.0, 0.0, 0.5, 36526.0, 2958465.99});
    // Null sorts first ascending, last descending; Yes before No.
    const auto c = column(ColumnType::Long);
    EXPECT_EQ(jet::IndexKey::columnKey(c, std::nullopt, true).value(), Bytes{0x00});
    EXPECT_EQ(jet::IndexKey::columnKey(c, std::nullopt, false).value(), Bytes{0xFF});
    EXPECT_EQ(jet::IndexKey::columnKey(c, stored<std::int32_t>(1), true).value(),
              (Bytes{0x7F, 0x80, 0, 0, 1}));
    const auto yesNo = column(ColumnType::Boolean);
    EXPECT_EQ(jet::IndexKey::columnKey(yesNo, Bytes{1}, true).value(), (Bytes{0x7F, 0x00}));
    EXPECT_EQ(jet::IndexKey::columnKey(yesNo, Bytes{0}, true).value(), (Bytes{0x7F, 0xFF}));
}

TEST(IndexKeys, GuidKeysReadAsTheirTextAndTextKeysStayExactOrSaySo) {
    const Bytes guid = {0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66,
                        0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
    EXPECT_EQ(jet::IndexKey::columnKey(column(jet::format::ColumnType::Guid), guid, true).value(),
              (Bytes{0x7F, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x09, 0x88, 0x99, 0xAA, 0xBB, 0xCC,
                     0xDD, 0xEE, 0xFF, 0x08}));
    const auto text = column(jet::format::ColumnType::Text);
    // As Access keyed "only ascii chars" in testUnicodeCompV2003.mdb: blanks are 07.
    Bytes ascii;
    for (char c : std::string("only ascii chars"))
        ascii.insert(ascii.end(), {static_cast<std::uint8_t>(c), 0});
    EXPECT_EQ(jet::IndexKey::columnKey(text, ascii, true).value(),
              (Bytes{0x7F, 0x64, 0x62, 0x5E, 0x76, 0x07, 0x4A, 0x6B, 0x4D, 0x59, 0x59, 0x07, 0x4D, 0x57, 0x4A,
                     0x69, 0x6B, 0x01, 0x00}));
    const std::string chinese = "\xe6\xbc\xa2\xe5\xad\x97";
    Bytes ucs2 = {0x22, 0x6F, 0x57, 0x5B};
    const auto refused = jet::IndexKey::columnKey(text, ucs2, true);
    EXPECT_EQ(refused.status().code(), jet::Code::Unsupported);
    EXPECT_NE(refused.status().message().find("cannot be encoded exactly"), std::string::npos);
    EXPECT_NE(refused.status().message().find(chinese), std::string::npos);
}

} // namespace

#include "jet/index/CreateIndexLeaf.h"
#include "jet/index/IndexKey.h"
#include "jet/index/IndexPage.h"

#include "CreateTestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace jet {
namespace {

Bytes hex(std::initializer_list<int> bytes) {
    Bytes out;
    for (int b : bytes)
        out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

// Keys Jet and Access wrote into the catalog's name index of the sample files.
TEST(CreateIndexKey, TextKeysMatchTheCatalogIndexesJetWrote) {
    EXPECT_EQ(IndexKey::text("MSysRelationships").value(),
              hex({0x7f, 0x60, 0x6b, 0x76, 0x6b, 0x69, 0x51, 0x5e, 0x4a, 0x6d,
                   0x59, 0x64, 0x62, 0x6b, 0x57, 0x59, 0x66, 0x6b, 0x01, 0x00}));
    EXPECT_EQ(IndexKey::text("Table3").value(), hex({0x7f, 0x6d, 0x4a, 0x4c, 0x5e, 0x51, 0x3c, 0x01, 0x00}));
    EXPECT_EQ(IndexKey::text("MSysAccessXML").value(), hex({0x7f, 0x60, 0x6b, 0x76, 0x6b, 0x4a, 0x4d, 0x4d,
                                                            0x51, 0x6b, 0x6b, 0x75, 0x60, 0x5e, 0x01, 0x00}));
    // The catalog keys carry no case: names that differ only in case collide, as Access wants.
    EXPECT_EQ(IndexKey::text("TM10").value(), IndexKey::text("tm10").value());
}

// Digits and 'z', which no sample catalog holds, as Jackcess's General table gives them.
TEST(CreateIndexKey, DigitsAndZFollowTheGeneralTable) {
    EXPECT_EQ(IndexKey::text("0123456789").value(),
              hex({0x7f, 0x36, 0x38, 0x3a, 0x3c, 0x3e, 0x40, 0x42, 0x44, 0x46, 0x48, 0x01, 0x00}));
    EXPECT_EQ(IndexKey::text("xyz").value(), hex({0x7f, 0x75, 0x76, 0x78, 0x01, 0x00}));
}

TEST(CreateIndexKey, TextKeysSortLikeTheNames) {
    const std::array<const char*, 7> ordered = {"a1", "a2", "a9", "b", "danxuan", "tm1", "tm10"};
    for (std::size_t i = 1; i < ordered.size(); ++i)
        EXPECT_LT(IndexKey::text(ordered[i - 1]).value(), IndexKey::text(ordered[i]).value()) << ordered[i];
}

TEST(CreateIndexKey, RefusesCharactersWithoutAKnownCode) {
    for (const char* name : {"tm_1", "tm-1", "题库", "\xe1\xbc\x90\xce\xb3"})
        EXPECT_EQ(IndexKey::text(name).status().code(), Code::Invalid) << name;
}

TEST(CreateIndexKey, LongKeysSortSignedValuesBytewise) {
    EXPECT_EQ(IndexKey::longValue(2), hex({0x7f, 0x80, 0x00, 0x00, 0x02}));
    EXPECT_EQ(IndexKey::longValue(0x0F000000), hex({0x7f, 0x8f, 0x00, 0x00, 0x00}));
    const std::array<std::int32_t, 6> ordered = {INT32_MIN, -70000, -1, 0, 1, INT32_MAX};
    for (std::size_t i = 1; i < ordered.size(); ++i)
        EXPECT_LT(IndexKey::longValue(ordered[i - 1]), IndexKey::longValue(ordered[i])) << ordered[i];
    EXPECT_EQ(IndexKey::leafEntry(IndexKey::longValue(5), RowId{0x0E, 4}),
              hex({0x7f, 0x80, 0x00, 0x00, 0x05, 0x00, 0x00, 0x0e, 0x04}));
}

TEST(CreateIndexKey, LeafPageMarksEachEntryEndAndRefusesOverflow) {
    std::array<std::uint8_t, format::kPageSize> page{};
    std::vector<Bytes> entries = {IndexKey::leafEntry(IndexKey::longValue(3), {15, 1}),
                                  IndexKey::leafEntry(IndexKey::longValue(2), {15, 0})};
    ASSERT_TRUE(CreateIndexLeaf::write(PageSpan(page), 3, entries).ok());
    EXPECT_EQ(page[0], format::kPageIndexLeaf);
    EXPECT_EQ(get32(page, 4), 3u);
    EXPECT_EQ(get16(page, 2), format::kPageSize - format::kIndexEntriesOffset - 18);
    // Sorted: key 2 first; entry ends at 9 and 18 are marked.
    EXPECT_EQ(page[format::kIndexEntriesOffset + 4], 0x02);
    EXPECT_EQ(page[format::kIndexBitmapOffset + 1], 0x02);
    EXPECT_EQ(page[format::kIndexBitmapOffset + 2], 0x04);

    // Keys from -250 to 249 share only their flag byte: too many for one page even so.
    std::vector<Bytes> tooMany;
    for (int id = -250; id < 250; ++id)
        tooMany.push_back(IndexKey::leafEntry(IndexKey::longValue(id), {20, 0}));
    EXPECT_EQ(CreateIndexLeaf::write(PageSpan(page), 3, tooMany).code(), Code::Unsupported);
}

TEST(CreateIndexKey, FiveHundredNumberedRowsFitOneLeafWithTheirSharedPrefixWrittenOnce) {
    std::array<std::uint8_t, format::kPageSize> page{};
    std::vector<Bytes> numbers;
    for (int id = 1; id <= 500; ++id)
        numbers.push_back(
            IndexKey::leafEntry(IndexKey::longValue(id), {20, static_cast<std::uint8_t>(id % 200)}));
    ASSERT_TRUE(CreateIndexLeaf::write(PageSpan(page), 3, numbers).ok());
    const Result<IndexPage> read = IndexPage::parse(ConstPageSpan(page));
    ASSERT_TRUE(read.ok()) << read.status().message();
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(read.value().entries, numbers);
    EXPECT_GT(get16(page, format::kIndexPrefixOffset), 0);
}

} // namespace
} // namespace jet

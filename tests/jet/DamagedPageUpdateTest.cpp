// An update never writes on a page the structure check would call damaged: through qvtb, as the
// attack on mutated banks went, each kind of page an update writes is damaged in a bank-shaped
// file; the check reports it, the update is refused with the page and the problem named, and the
// file keeps every byte (no journal either). Damage on a page the update does not touch stops
// nothing.
#include "EngineTestSupport.h"

#include "jet/DatabaseCreator.h"
#include "jet/catalog/CatalogTables.h"
#include "jet/catalog/Table.h"
#include "jet/file/Pager.h"
#include "jet/index/IndexTree.h"
#include "jet/longvalue/LongValue.h"
#include "jet/pages/UsageMap.h"

#include <functional>

using namespace enginetest;

namespace {

using namespace jet::format;

const std::string kQvtb = quote(VELMORA_QVTB);

CommandResult qvtb(const std::string& command, const std::string& file, const std::string& statement = {}) {
    return run(kQvtb + " " + command + " " + quote(file) + (statement.empty() ? "" : " " + quote(statement)) +
               " 2>&1");
}

// A question table as the bank has them: a numbered key, a question long enough to live on
// long-value pages, an indexed answer and an explanation.
jet::NewTable questions(const std::string& name) {
    jet::NewTable table{name,
                        {{"ID", jet::FieldType::Long, 255, false, true},
                         {"TM", jet::FieldType::Memo},
                         {"DA", jet::FieldType::Text, 10, true},
                         {"JX", jet::FieldType::Text, 100}},
                        {}};
    for (int i = 1; i <= 12; ++i)
        table.rows.push_back({std::to_string(i),
                              std::string(300, 'a' + i % 26) + "题目" + std::string(600, 'x'),
                              i % 2 ? "A" : "B", "解析" + std::to_string(i)});
    return table;
}

// Where danxuan's (or duoxuan's) pages are, found with the engine's own readers.
struct Layout {
    jet::TableDef def;
    std::uint32_t rowPage = 0;       // the page holding the row of ID 1
    std::uint32_t longValuePage = 0; // the page holding that row's question
    std::uint32_t indexLeaf = 0;     // the index on DA: one leaf, its root
};

Layout layoutOf(const std::string& file, const std::string& table) {
    Layout layout;
    auto pager = jet::Pager::open(file);
    EXPECT_TRUE(pager.ok() && pager.value()->beginRead().ok());
    jet::PageStore& store = *pager.value();
    const auto catalog = jet::TableDef::read(store, kCatalogPage).value();
    for (const auto& entry : jet::catalogTables(store, catalog).value())
        if (entry.name == table) layout.def = jet::TableDef::read(store, entry.page).value();
    const auto rows = jet::Table(store, layout.def).scan().value();
    layout.rowPage = rows.front().data.page;
    const auto& question = rows.front().values[layout.def.position(*layout.def.find("TM"))];
    layout.longValuePage = jet::LongValue::rows(store, *question).value().front().page;
    for (const auto& index : layout.def.indexes)
        if (index.columns == std::vector<std::uint16_t>{layout.def.find("DA")->number})
            layout.indexLeaf =
                jet::IndexTree::read(store, index.root, layout.def.page)->levels.back().front().number;
    pager.value()->endRead();
    EXPECT_NE(layout.longValuePage, 0u);
    EXPECT_NE(layout.indexLeaf, 0u);
    return layout;
}

// Writes `change` over the bytes of one page, as a mutation would.
void damage(const std::string& file, std::uint32_t page,
            const std::function<void(std::string& page)>& change) {
    std::string bytes = readFile(file);
    std::string content = bytes.substr(std::size_t{page} * kPageSize, kPageSize);
    change(content);
    bytes.replace(std::size_t{page} * kPageSize, kPageSize, content);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

void add16(std::string& page, std::size_t at, int by) {
    const int value = static_cast<std::uint8_t>(page[at]) | static_cast<std::uint8_t>(page[at + 1]) << 8;
    page[at] = static_cast<char>((value + by) & 0xFF);
    page[at + 1] = static_cast<char>(((value + by) >> 8) & 0xFF);
}

// The free-space map given a page the table does not own (its own definition), as the engine
// would set it.
void markDefinitionFree(const std::string& file, const Layout& layout) {
    auto pager = jet::Pager::open(file);
    ASSERT_TRUE(pager.ok() && pager.value()->beginWrite().ok());
    ASSERT_TRUE(
        jet::UsageMap::set(*pager.value(), layout.def.freeMap, layout.def.page, true, false, {}).ok());
    ASSERT_TRUE(pager.value()->commit().ok());
}

struct DamageCase {
    std::string name;
    std::string statement;
    std::function<void(const std::string& file, const Layout& layout)> apply;
    std::function<std::uint32_t(const Layout& layout)> page; // the page the refusal names
};

const std::string kFreeSpaceTold = "free-space field says";

const std::vector<DamageCase> kDamages = {
    {"row page free space", "update danxuan set JX='改过' where ID='1'",
     [](const std::string& f, const Layout& l) {
         damage(f, l.rowPage, [](std::string& p) { add16(p, kDataFreeSpaceOffset, 8); });
     },
     [](const Layout& l) { return l.rowPage; }},
    {"long value page free space", "update danxuan set TM='新的题目' where ID='1'",
     [](const std::string& f, const Layout& l) {
         damage(f, l.longValuePage, [](std::string& p) { add16(p, kDataFreeSpaceOffset, -8); });
     },
     [](const Layout& l) { return l.longValuePage; }},
    {"index leaf links", "update danxuan set DA='C' where ID='1'",
     [](const std::string& f, const Layout& l) {
         damage(f, l.indexLeaf, [&](std::string& p) { p[kIndexNextOffset] = static_cast<char>(l.rowPage); });
     },
     [](const Layout& l) { return l.indexLeaf; }},
    {"free-space map lists a page not owned", "update danxuan set JX='改过' where ID='1'", markDefinitionFree,
     [](const Layout& l) { return l.def.freeMap.page; }},
    {"definition row count", "update danxuan set JX='改过' where ID='1'",
     [](const std::string& f, const Layout& l) {
         damage(f, l.def.page, [](std::string& p) { add16(p, kTdefRowCountOffset, 1); });
     },
     [](const Layout& l) { return l.def.page; }},
};

void PrintTo(const DamageCase& damage, std::ostream* out) {
    *out << damage.name;
}

class DamagedPageUpdate : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedPageUpdate, TheCheckReportsItAndAnUpdateWritingOnItIsRefusedUnwritten) {
    ScratchDir dir;
    const std::string file = (dir.path() / "qvtb.mdb").string();
    ASSERT_TRUE(jet::DatabaseCreator::create(file, {questions("danxuan"), questions("duoxuan")}).ok());
    const Layout layout = layoutOf(file, "danxuan");
    GetParam().apply(file, layout);
    const std::string damaged = readFile(file);
    const bool journalled = fs::exists(file + "-journal");
    const std::string journal = readFile(file + "-journal");
    ASSERT_FALSE(problems(file).empty());

    const auto update = qvtb("exec", file, GetParam().statement);
    EXPECT_NE(update.exitCode, 0);
    EXPECT_NE(update.output.find("page " + std::to_string(GetParam().page(layout)) + " is damaged"),
              std::string::npos)
        << update.output;
    EXPECT_TRUE(readFile(file) == damaged) << "the update changed the file";
    EXPECT_EQ(fs::exists(file + "-journal"), journalled);
    EXPECT_TRUE(readFile(file + "-journal") == journal) << "the update wrote a journal";
}

INSTANTIATE_TEST_SUITE_P(Pages, DamagedPageUpdate, ::testing::ValuesIn(kDamages), CaseName());

TEST(DamagedPageUpdate, DamageOnAPageTheUpdateDoesNotTouchStopsNothing) {
    ScratchDir dir;
    const std::string file = (dir.path() / "qvtb.mdb").string();
    ASSERT_TRUE(jet::DatabaseCreator::create(file, {questions("danxuan"), questions("duoxuan")}).ok());
    const Layout other = layoutOf(file, "duoxuan");
    damage(file, other.rowPage, [](std::string& p) { add16(p, kDataFreeSpaceOffset, 8); });
    const auto before = problems(file);
    ASSERT_EQ(before.size(), 1u);
    EXPECT_NE(before.front().find(kFreeSpaceTold), std::string::npos) << before.front();

    const auto update = qvtb("exec", file, "update danxuan set JX='改过' where ID='1'");
    EXPECT_EQ(update.exitCode, 0) << update.output;
    EXPECT_NE(qvtb("export", file, "danxuan").output.find("改过"), std::string::npos);
    EXPECT_EQ(problems(file), before);
}

} // namespace

// Damaged files: bad page numbers, lengths, loops in page chains and truncation end in an error
// (never a crash or a hang), and an update on such a file changes nothing.
#include "EngineTestSupport.h"

#include "jet/Bytes.h"
#include "jet/catalog/TableDef.h"
#include "jet/file/Pager.h"
#include "jet/pages/UsageMap.h"

#include <fstream>
#include <functional>

using namespace enginetest;

namespace {

struct Layout {
    std::uint32_t tdef = 0;
    std::vector<std::uint32_t> dataPages;
    jet::RowId ownedMap;
};

// Where Table1 of overflowTestV2003.mdb lives, found with the engine's own readers.
Layout table1(const std::string& file) {
    Layout layout;
    auto pager = jet::Pager::open(file);
    EXPECT_TRUE(pager.ok());
    EXPECT_TRUE(pager.value()->beginRead().ok());
    for (std::uint32_t page = 3; page < pager.value()->pageCount() && layout.tdef == 0; ++page) {
        auto def = jet::TableDef::read(*pager.value(), page);
        if (def.ok() && def->find("data10") != nullptr) {
            layout.tdef = page;
            layout.ownedMap = def->ownedMap;
            layout.dataPages = jet::UsageMap::pages(*pager.value(), def->ownedMap).value();
        }
    }
    pager.value()->endRead();
    EXPECT_NE(layout.tdef, 0u);
    return layout;
}

void patch(const std::string& file, std::uint64_t offset, std::vector<std::uint8_t> bytes) {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(offset));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> le32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

struct Damage {
    std::string name;
    std::function<void(const std::string& file, const Layout& layout)> apply;
};

std::uint64_t at(std::uint32_t page, std::size_t offset) {
    return std::uint64_t{page} * 4096 + offset;
}

const std::vector<Damage> kDamages = {
    {"truncated to three pages", [](const std::string& f, const Layout&) { fs::resize_file(f, 3 * 4096); }},
    {"truncated inside the table's pages",
     [](const std::string& f, const Layout& l) { fs::resize_file(f, at(l.dataPages.back(), 100)); }},
    {"definition chain loops",
     [](const std::string& f, const Layout& l) { patch(f, at(l.tdef, 4), le32(l.tdef)); }},
    {"definition continues outside the file",
     [](const std::string& f, const Layout& l) { patch(f, at(l.tdef, 4), le32(0x7FFFFF)); }},
    {"impossible column count",
     [](const std::string& f, const Layout& l) {
         patch(f, at(l.tdef, 45), {0xFF, 0x00});
     }},
    {"owned map points outside the file",
     [](const std::string& f, const Layout& l) { patch(f, at(l.tdef, 55), le32(0xFFFFFF00u)); }},
    {"owned map of unknown kind",
     [](const std::string& f, const Layout& l) {
         // The map row's first byte is its kind; find the row through the slot table.
         std::ifstream in(f, std::ios::binary);
         std::vector<char> page(4096);
         in.seekg(static_cast<std::streamoff>(at(l.ownedMap.page, 0)));
         in.read(page.data(), 4096);
         const auto offset =
             static_cast<std::uint16_t>((static_cast<std::uint8_t>(page[14 + 2 * l.ownedMap.row]) |
                                         (static_cast<std::uint8_t>(page[15 + 2 * l.ownedMap.row]) << 8)) &
                                        0x1FFF);
         patch(f, at(l.ownedMap.page, offset), {0x07});
     }},
    {"data page claims 65535 rows",
     [](const std::string& f, const Layout& l) {
         patch(f, at(l.dataPages.front(), 12), {0xFF, 0xFF});
     }},
    {"row offset beyond the page",
     [](const std::string& f, const Layout& l) {
         patch(f, at(l.dataPages.front(), 14), {0xFF, 0x1F});
     }},
    {"rows overlap",
     [](const std::string& f, const Layout& l) {
         patch(f, at(l.dataPages.front(), 16), {0x20, 0x00});
     }},
    {"data page given to another table",
     [](const std::string& f, const Layout& l) { patch(f, at(l.dataPages.front(), 4), le32(2)); }},
    {"row claims more columns than it holds",
     [](const std::string& f, const Layout& l) {
         std::ifstream in(f, std::ios::binary);
         std::vector<char> page(4096);
         in.seekg(static_cast<std::streamoff>(at(l.dataPages.front(), 0)));
         in.read(page.data(), 4096);
         const auto offset = static_cast<std::uint16_t>(
             (static_cast<std::uint8_t>(page[14]) | (static_cast<std::uint8_t>(page[15]) << 8)) & 0x1FFF);
         patch(f, at(l.dataPages.front(), offset), {0xFF, 0x7F});
     }},
};

class DamagedFile : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, GivesAnErrorAndNeverChangesTheFile) {
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb");
    const Layout layout = table1(file);
    GetParam().apply(file, layout);
    const std::string damaged = readFile(file);
    auto connection = jet::Connection::open(file);
    bool failed = !connection.ok();
    if (connection.ok()) {
        auto rows = connection->select("select * from Table1");
        failed = !rows.ok();
        const jet::Status update = connection->execute("update Table1 set data10='x'");
        EXPECT_FALSE(update.ok());
        EXPECT_FALSE(update.message().empty());
    }
    EXPECT_TRUE(failed) << GetParam().name;
    EXPECT_EQ(readFile(file), damaged) << GetParam().name;
    auto checked = jet::IntegrityCheck::run(file);
    EXPECT_TRUE(!checked.ok() || !checked->empty()) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedFile, ::testing::ValuesIn(kDamages), CaseName());

TEST(DamagedFile, NotAnAccessFileAtAll) {
    ScratchDir dir;
    const std::string file = (dir.path() / "text.mdb").string();
    std::ofstream(file) << std::string(5 * 4096, 'x');
    auto connection = jet::Connection::open(file);
    ASSERT_FALSE(connection.ok());
    EXPECT_EQ(connection.status().code(), jet::Code::Corrupt);
    EXPECT_EQ(jet::Connection::open((dir.path() / "missing.mdb").string()).status().code(),
              jet::Code::NotFound);
}

} // namespace

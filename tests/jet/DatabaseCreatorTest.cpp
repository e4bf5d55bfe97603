#include "jet/DatabaseCreator.h"

#include "CreateTestSupport.h"
#include "jet/IntegrityCheck.h"
#include "jet/catalog/TableDef.h"
#include "jet/file/HeaderMask.h"
#include "jet/pages/DataPage.h"
#include "jet/pages/RowCodec.h"
#include "jet/pages/UsageMap.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace jet {
namespace {

using testing::MemoryPages;
using testing::ScratchDir;

const std::string kJetEmpty = VELMORA_JET_TEST_DATA "/adox_jet4.mdb";

double creationDateOf(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> page0(file.begin(), file.begin() + format::kPageSize);
    HeaderMask::apply(page0);
    double date = 0;
    std::memcpy(&date, page0.data() + format::kCreationDateOffset, 8);
    return date;
}

// The bytes of a definition from its fixed block to its end, as one stream.
struct DefinitionBytes {
    Bytes bytes;
    std::size_t namesStart = 0;
};

DefinitionBytes definitionBytes(const MemoryPages& pages, std::uint32_t page, const TableDef& def) {
    ConstPageSpan p = pages.page(page);
    DefinitionBytes out{Bytes(p.begin(), p.begin() + get32(p, format::kTdefLengthOffset)), 0};
    out.namesStart = format::kTdefBlockEnd + def.indexes.size() * format::kRealIndexCountBlock +
                     def.columns.size() * format::kColumnDescriptorSize;
    return out;
}

// Column names, logical indexes with their names, and the long-value map list: everything after
// the real-index blocks, which (like the descriptors) hold bytes Jet leaves uninitialised.
Bytes logicalPart(const DefinitionBytes& d, const TableDef& def) {
    std::size_t at = d.namesStart;
    for (std::size_t i = 0; i < def.columns.size(); ++i)
        at += 2 + get16(d.bytes, at);
    const Bytes names(d.bytes.begin() + static_cast<std::ptrdiff_t>(d.namesStart),
                      d.bytes.begin() + static_cast<std::ptrdiff_t>(at));
    Bytes out = names;
    at += def.indexes.size() * format::kRealIndexBlock;
    out.insert(out.end(), d.bytes.begin() + static_cast<std::ptrdiff_t>(at), d.bytes.end());
    return out;
}

void expectSameColumns(const TableDef& ours, const TableDef& jets) {
    ASSERT_EQ(ours.columns.size(), jets.columns.size());
    for (std::size_t i = 0; i < ours.columns.size(); ++i) {
        const Column& a = ours.columns[i];
        const Column& b = jets.columns[i];
        SCOPED_TRACE(b.name);
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.type, b.type);
        EXPECT_EQ(a.number, b.number);
        EXPECT_EQ(a.length, b.length);
        EXPECT_EQ(a.flags, b.flags);
        EXPECT_EQ(a.extFlags, b.extFlags);
        if (b.fixed())
            EXPECT_EQ(a.fixedOffset, b.fixedOffset);
        else
            EXPECT_EQ(a.varIndex, b.varIndex);
    }
}

void expectSameDefinition(MemoryPages& ours, MemoryPages& jets, std::uint32_t page) {
    SCOPED_TRACE("definition page " + std::to_string(page));
    auto a = TableDef::read(ours, page);
    auto b = TableDef::read(jets, page);
    ASSERT_TRUE(a.ok()) << a.status().message();
    ASSERT_TRUE(b.ok()) << b.status().message();
    EXPECT_EQ(a->rowCount, b->rowCount);
    EXPECT_EQ(a->tableType, b->tableType);
    EXPECT_EQ(a->maxCols, b->maxCols);
    EXPECT_EQ(a->varCols, b->varCols);
    EXPECT_EQ(a->ownedMap, b->ownedMap);
    EXPECT_EQ(a->freeMap, b->freeMap);
    expectSameColumns(a.value(), b.value());
    ASSERT_EQ(a->indexes.size(), b->indexes.size());
    for (std::size_t i = 0; i < a->indexes.size(); ++i) {
        EXPECT_EQ(a->indexes[i].columns, b->indexes[i].columns);
        EXPECT_EQ(a->indexes[i].map, b->indexes[i].map);
        EXPECT_EQ(a->indexes[i].root, b->indexes[i].root);
        EXPECT_EQ(a->indexes[i].flags, b->indexes[i].flags);
    }
    // The fixed block (row count, column counts, map pointers) and the sizes agree byte for byte.
    EXPECT_TRUE(std::equal(ours.page(page).begin() + 8, ours.page(page).begin() + format::kTdefBlockEnd,
                           jets.page(page).begin() + 8));
    EXPECT_EQ(logicalPart(definitionBytes(ours, page, a.value()), a.value()),
              logicalPart(definitionBytes(jets, page, b.value()), b.value()));
}

std::vector<RawRow> catalogRows(MemoryPages& pages) {
    auto def = TableDef::read(pages, format::kCatalogPage);
    auto owned = UsageMap::pages(pages, def->ownedMap);
    std::vector<RawRow> rows;
    for (std::uint32_t p : owned.value()) {
        const unsigned count = DataPage::rowCount(pages.page(p)).value();
        for (unsigned r = 0; r < count; ++r) {
            auto slot = DataPage::slot(pages.page(p), r);
            rows.push_back(
                RowCodec::decode(def.value(), DataPage::bytes(pages.page(p), slot.value())).value());
        }
    }
    return rows;
}

// An empty new file holds the same pages, definitions, rows, index entries and maps as the
// empty database Jet itself writes; only the creation times of the catalog rows differ.
TEST(DatabaseCreator, EmptyFileMatchesJetsOwnEmptyDatabase) {
    ScratchDir dir;
    const auto jetBytes = testing::readFile(kJetEmpty);
    ASSERT_EQ(jetBytes.size(), 16 * format::kPageSize);
    const double created = creationDateOf(jetBytes);
    const std::string path = dir.file("empty.mdb");
    ASSERT_TRUE(DatabaseCreator::create(path, {}, {created}).ok());

    MemoryPages ours(testing::readFile(path));
    MemoryPages jets(jetBytes);
    ASSERT_EQ(ours.pageCount(), jets.pageCount());
    for (std::uint32_t p = 0; p < jets.pageCount(); ++p)
        EXPECT_EQ(ours.page(p)[0], jets.page(p)[0]) << "kind of page " << p;
    // Header, global map, map holder, index leaves and access-control rows are identical.
    for (std::uint32_t p : {0u, 1u, 6u, 7u, 8u, 9u, 10u, 11u, 12u, 13u, 15u})
        EXPECT_TRUE(std::ranges::equal(ours.page(p), jets.page(p))) << "page " << p;
    for (std::uint32_t p = 2; p <= 5; ++p)
        expectSameDefinition(ours, jets, p);

    auto ourRows = catalogRows(ours);
    auto jetRows = catalogRows(jets);
    ASSERT_EQ(ourRows.size(), 8u);
    ASSERT_EQ(ourRows.size(), jetRows.size());
    constexpr std::size_t kDateCreate = 4;
    constexpr std::size_t kDateUpdate = 5;
    for (std::size_t r = 0; r < ourRows.size(); ++r) {
        for (std::size_t c = 0; c < ourRows[r].size(); ++c) {
            if (c != kDateCreate && c != kDateUpdate) {
                EXPECT_EQ(ourRows[r][c], jetRows[r][c]) << "row " << r << " column " << c;
            }
        }
        double when = 0;
        std::memcpy(&when, ourRows[r][kDateCreate]->data(), 8);
        EXPECT_EQ(when, created);
        EXPECT_EQ(ourRows[r][kDateCreate], ourRows[r][kDateUpdate]);
    }
}

NewTable questionTable(const std::string& name, int rows, int longText) {
    NewTable t{name,
               {{"ID", FieldType::Long},
                {"TX", FieldType::Text, 50},
                {"TM", FieldType::Memo},
                {"DA", FieldType::Text, 10},
                {"XXDA", FieldType::Text, 10},
                {"fen", FieldType::Integer},
                {"JX", FieldType::Memo}},
               {}};
    for (int i = 1; i <= rows; ++i) {
        static const char* const kWords[] = {"借", "贷", "记", "账", "法"};
        std::string tm = "第" + std::to_string(i) + "题：";
        for (int k = 0; k < (i * longText) % 3000; ++k)
            tm += kWords[k % 5];
        t.rows.push_back({std::to_string(i), "单选题", tm, "A", "", "0", "解析" + std::to_string(i)});
    }
    return t;
}

// A bank shaped like the program's: 24 tables whose names cover every letter and digit used.
std::vector<NewTable> sampleBank() {
    std::vector<NewTable> bank = {questionTable("danxuan", 40, 37), questionTable("duoxuan", 30, 91),
                                  questionTable("panduan", 20, 5), questionTable("fenxi", 12, 997)};
    for (int n = 1; n <= 20; ++n)
        bank.push_back(questionTable("tm" + std::to_string(n), 6, 251 * n));
    return bank;
}

TEST(DatabaseCreator, BankReadsIdenticallyThroughMdbtoolsAndMdbReader) {
    ScratchDir dir;
    const std::string path = dir.file("qvtb.mdb");
    const auto bank = sampleBank();
    const Status s = DatabaseCreator::create(path, bank, {45000.25});
    ASSERT_TRUE(s.ok()) << s.message();

    auto tables = testing::run("mdb-tables -1 '" + path + "'");
    ASSERT_TRUE(tables);
    std::string expected;
    for (const auto& t : bank)
        expected += t.name + "\n";
    EXPECT_EQ(*tables, expected);

    auto schema = testing::run("mdb-schema -T tm7 '" + path + "'");
    ASSERT_TRUE(schema);
    for (const char* line : {"[ID]\t\t\tLong Integer", "[TX]\t\t\tText (50)",
                             "[TM]\t\t\tMemo/Hyperlink (255)", "[DA]\t\t\tText (10)", "[fen]\t\t\tInteger"})
        EXPECT_NE(schema->find(line), std::string::npos) << line << " in\n" << *schema;

    const auto read = testing::readBoth(path, bank);
    ASSERT_TRUE(read);
    for (const auto& table : bank) {
        SCOPED_TRACE(table.name);
        const auto& exported = read->at(table.name).mdbExport;
        const auto& viaReader = read->at(table.name).mdbReader;
        ASSERT_EQ(exported.size(), table.rows.size());
        ASSERT_EQ(viaReader.size(), table.rows.size());
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            for (std::size_t c = 0; c < table.fields.size(); ++c) {
                EXPECT_EQ(exported[r][c], testing::asMdbtoolsReads(*table.rows[r][c]))
                    << "mdb-export " << r << "," << c;
                EXPECT_EQ(viaReader[r][c], *table.rows[r][c]) << "mdb-reader " << r << "," << c;
            }
        }
    }
}

// Enough tables to spill the catalog past its first data page, and memos enough to pass the
// 512 pages one inline usage map can describe.
TEST(DatabaseCreator, LargeFilesUseReferenceMapsAndStayReadable) {
    ScratchDir dir;
    const std::string path = dir.file("large.mdb");
    std::vector<NewTable> tables;
    for (int n = 0; n < 60; ++n)
        tables.push_back(questionTable("t" + std::to_string(n), n == 0 ? 700 : 2, 2999));
    ASSERT_TRUE(DatabaseCreator::create(path, tables, {45000.0}).ok());

    auto problems = IntegrityCheck::run(path);
    ASSERT_TRUE(problems.ok());
    EXPECT_TRUE(problems->empty()) << problems->front();
    MemoryPages pages(testing::readFile(path));
    EXPECT_GT(pages.pageCount(), 512u);
    const ConstPageSpan global = pages.page(format::kGlobalMapPage);
    const auto slot = DataPage::slot(global, 0);
    EXPECT_EQ(DataPage::bytes(global, slot.value())[0], format::kMapReference);
    auto catalog = TableDef::read(pages, format::kCatalogPage);
    ASSERT_TRUE(catalog.ok());
    EXPECT_EQ(catalog->rowCount, 68u);
    EXPECT_GT(UsageMap::pages(pages, catalog->ownedMap).value().size(), 1u);

    auto count = testing::run("mdb-count '" + path + "' t0");
    EXPECT_EQ(count, std::optional<std::string>("700\n"));
    auto exported = testing::mdbExport(path, "t0");
    auto read = testing::mdbReader(path);
    ASSERT_TRUE(exported && read);
    EXPECT_EQ(read->size(), 60u);
    EXPECT_EQ((*exported)[699][2], *tables[0].rows[699][2]);
    EXPECT_EQ((*read)["t59"][1][2], *tables[59].rows[1][2]);
}

TEST(DatabaseCreator, RefusesWhatItCannotWriteAndWritesNothing) {
    ScratchDir dir;
    const std::string path = dir.file("bad.mdb");
    auto refused = [&](std::vector<NewTable> tables, const std::string& mentions) {
        const Status s = DatabaseCreator::create(path, tables);
        EXPECT_EQ(s.code(), Code::Invalid) << mentions;
        EXPECT_NE(s.message().find(mentions), std::string::npos) << s.message();
        EXPECT_FALSE(std::filesystem::exists(path));
    };
    NewTable ok{"t", {{"ID", FieldType::Long}, {"DA", FieldType::Text, 2}}, {{"1", "AB"}}};
    auto with = [&](auto change) {
        NewTable t = ok;
        change(t);
        return std::vector<NewTable>{t};
    };
    refused(with([](NewTable& t) { t.name = "tm_1"; }), "'_'");
    refused(with([](NewTable& t) { t.name = "题库"; }), "must start with a letter");
    refused(with([](NewTable& t) { t.name = "MSysThings"; }), "reserved");
    refused({ok, with([](NewTable& t) { t.name = "T"; })[0]}, "two tables");
    refused(with([](NewTable& t) { t.fields[1].name = "id"; }), "two fields");
    refused(with([](NewTable& t) { t.fields[1].name = "a.b"; }), "a.b");
    refused(with([](NewTable& t) { t.fields[1].name = " DA"; }), "starts with a blank");
    refused(with([](NewTable& t) { t.fields[1].size = 0; }), "1 to 255");
    refused(with([](NewTable& t) { t.rows[0].pop_back(); }), "row 1 has 1 cells");
    refused(with([](NewTable& t) { t.rows[0][1] = "ABC"; }), "row 1, column DA");
    refused(with([](NewTable& t) { t.rows[0][0] = "1.5"; }), "column ID");
    refused(with([](NewTable& t) { t.rows[0][0] = "2147483648"; }), "out of range");
    refused(with([](NewTable& t) { t.rows[0][1] = "\xff"; }), "UTF-8");
    // Eight full Text(255) cells in two-byte characters pass the 4060 bytes a row may take.
    refused(with([](NewTable& t) {
                t.fields.clear();
                for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"})
                    t.fields.push_back({name, FieldType::Text, 255});
                t.rows = {NewRow(8, "中" + std::string(254, 'x'))};
            }),
            "more than a row can hold");
    EXPECT_EQ(dir.entries(), 0u);
}

// The file appears whole under its name or not at all, and a failed creation leaves an older
// file of that name as it was.
TEST(DatabaseCreator, ReplacesAFileOnlyWhenTheNewOneIsComplete) {
    ScratchDir dir;
    const std::string path = dir.file("qvtb.mdb");
    NewTable first{"first", {{"ID", FieldType::Long}}, {{"1"}}};
    ASSERT_TRUE(DatabaseCreator::create(path, {first}).ok());
    const auto before = testing::readFile(path);

    NewTable broken{"second", {{"ID", FieldType::Long}}, {{"x"}}};
    EXPECT_FALSE(DatabaseCreator::create(path, {broken}).ok());
    EXPECT_EQ(testing::readFile(path), before);

    NewTable second{"second", {{"ID", FieldType::Long}}, {{"2"}}};
    ASSERT_TRUE(DatabaseCreator::create(path, {second}).ok());
    EXPECT_EQ(testing::run("mdb-tables -1 '" + path + "'"), std::optional<std::string>("second\n"));
    EXPECT_EQ(dir.entries(), 1u) << "no temporary file is left behind";

    EXPECT_EQ(DatabaseCreator::create(dir.file("missing/qvtb.mdb"), {second}).code(), Code::Io);
}

// A process killed while it writes (here by the file-size limit, SIGXFSZ) leaves the old file whole.
TEST(DatabaseCreator, ACrashWhileWritingLeavesTheOldFileWhole) {
    ScratchDir dir;
    const std::string path = dir.file("qvtb.mdb");
    ASSERT_TRUE(DatabaseCreator::create(path, {NewTable{"old", {{"ID", FieldType::Long}}, {{"1"}}}}).ok());
    const auto before = testing::readFile(path);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{200000, 200000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        (void)DatabaseCreator::create(path, {questionTable("big", 300, 2999)});
        ::_exit(0); // not reached: the write past the limit kills the process
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(testing::readFile(path), before);
    EXPECT_EQ(testing::run("mdb-tables -1 '" + path + "'"), std::optional<std::string>("old\n"));
}

} // namespace
} // namespace jet

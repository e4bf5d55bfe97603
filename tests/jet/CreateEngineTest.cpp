// New files through our own engine: they pass its integrity check, read back as written, and take
// updates (rows relocated included) like a file Access made.
#include "jet/Connection.h"
#include "jet/DatabaseCreator.h"
#include "jet/IntegrityCheck.h"

#include "CreateTestSupport.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

using testing::ScratchDir;

void expectConsistent(const std::string& path) {
    auto problems = IntegrityCheck::run(path);
    ASSERT_TRUE(problems.ok()) << problems.status().message();
    EXPECT_TRUE(problems->empty()) << problems->front();
}

std::vector<TextRow> selectAll(Connection& c, const std::string& table) {
    auto rows = c.select("select * from " + table);
    EXPECT_TRUE(rows.ok()) << rows.status().message();
    std::vector<TextRow> out;
    if (!rows.ok()) return out;
    for (bool at = rows->moveFirst(); at; at = rows->moveNext())
        out.push_back(*rows->row());
    return out;
}

NewTable questions(const std::string& name, int count) {
    NewTable t{name,
               {{"ID", FieldType::Long},
                {"TM", FieldType::Memo},
                {"DA", FieldType::Text, 10},
                {"XXDA", FieldType::Text, 10},
                {"fen", FieldType::Integer},
                {"ok", FieldType::YesNo},
                {"at", FieldType::DateTime},
                {"amount", FieldType::Currency}},
               {}};
    for (int i = 1; i <= count; ++i) {
        std::string tm = "题" + std::to_string(i);
        for (int k = 0; k < i * 13 % 2500; ++k)
            tm += k % 2 ? "借" : "贷";
        t.rows.push_back({std::to_string(i), tm, "AB", "", "0", i % 2 ? "1" : "0", "2024-05-06 07:08:09",
                          i % 3 ? std::optional<std::string>("-12.5000") : std::nullopt});
    }
    return t;
}

TEST(CreateEngine, NewFilePassesTheIntegrityCheckAndReadsAsWritten) {
    ScratchDir dir;
    const std::string path = dir.file("qvtb.mdb");
    const std::vector<NewTable> tables = {questions("danxuan", 150), questions("tm1", 62)};
    ASSERT_TRUE(DatabaseCreator::create(path, tables, {45100.0}).ok());
    expectConsistent(path);

    auto c = Connection::open(path);
    ASSERT_TRUE(c.ok()) << c.status().message();
    EXPECT_EQ(c->tables().value(), (std::vector<std::string>{"danxuan", "tm1"}));
    for (const NewTable& table : tables) {
        const auto rows = selectAll(c.value(), table.name);
        ASSERT_EQ(rows.size(), table.rows.size());
        for (std::size_t r = 0; r < rows.size(); ++r)
            EXPECT_EQ(rows[r], table.rows[r]) << table.name << " row " << r;
    }
    EXPECT_EQ(c->scalar("select sum(ID) from tm1").value(), "1953");
}

// Growing every row of full pages forces the engine to move rows to other pages.
TEST(CreateEngine, NewFileTakesUpdatesThatRelocateRows) {
    ScratchDir dir;
    const std::string path = dir.file("qvtb.mdb");
    NewTable table = questions("duoxuan", 200);
    ASSERT_TRUE(DatabaseCreator::create(path, {table}, {45100.0}).ok());
    {
        auto c = Connection::open(path);
        ASSERT_TRUE(c.ok());
        ASSERT_TRUE(c->execute("update duoxuan set XXDA='借贷借贷借贷借贷借贷'").ok());
        ASSERT_TRUE(c->execute("update duoxuan set fen='2'where TM='" + *table.rows[0][1] + "'").ok());
    }
    expectConsistent(path);

    auto c = Connection::open(path);
    ASSERT_TRUE(c.ok());
    const auto rows = selectAll(c.value(), "duoxuan");
    ASSERT_EQ(rows.size(), table.rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        NewRow expected = table.rows[r];
        expected[3] = "借贷借贷借贷借贷借贷";
        if (r == 0) expected[4] = "2";
        EXPECT_EQ(rows[r], expected) << "row " << r << " keeps its place and its other values";
    }
    auto exported = testing::mdbExport(path, "duoxuan");
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported->size(), table.rows.size());
    for (const auto& row : *exported)
        EXPECT_EQ(row[3], "借贷借贷借贷借贷借贷");
}

} // namespace
} // namespace jet

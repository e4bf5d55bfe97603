// Every table of every Access-made test file, read by the engine, equals what mdb-reader and
// mdbtools read from the same file.
#include "EngineTestSupport.h"

using namespace enginetest;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(line);
    return out;
}

class ReadFiles : public ::testing::TestWithParam<std::string> {};

// mdbtools cuts long binary values and drops NUL characters, so system tables go to mdb-reader only.
TEST_P(ReadFiles, EveryTableMatchesTheReaders) {
    const std::string file = accessFile(GetParam()).string();
    auto connection = jet::Connection::open(file);
    ASSERT_TRUE(connection.ok()) << connection.status().message();
    auto tables = connection->tables();
    ASSERT_TRUE(tables.ok()) << tables.status().message();
    auto listed = run("mdb-tables -1 " + quote(file));
    ASSERT_EQ(listed.exitCode, 0);
    EXPECT_EQ(tables.value(), lines(listed.output));
    const auto reader = mdbReaderTables(file);
    for (const auto& table : tables.value())
        expectReadersAgree(file, table, reader);
    int systemTables = 0;
    for (const auto& entry : reader) {
        if (entry.first.rfind("MSys", 0) != 0) continue;
        ++systemTables;
        expectReadersAgree(file, entry.first, reader, false);
    }
    EXPECT_GE(systemTables, 4);
}

TEST_P(ReadFiles, IntegrityCheckFindsNothing) {
    const auto found = problems(accessFile(GetParam()).string());
    if (GetParam() == "testV2003.mdb") {
        // Access left this one with a stale row counter; the check must say so and nothing else.
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0], "table MSysACEs: definition counts 78 rows, pages hold 81");
    } else {
        EXPECT_TRUE(found.empty()) << found.front();
    }
}

INSTANTIATE_TEST_SUITE_P(AccessFiles, ReadFiles, ::testing::ValuesIn(kAccessFiles), [](const auto& info) {
    std::string name = info.param.substr(0, info.param.find('.'));
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(ReadValues, EveryFixedTypeAsText) {
    auto connection = jet::Connection::open(accessFile("testV2003.mdb").string());
    ASSERT_TRUE(connection.ok());
    auto rows = connection->select("select * from Table1");
    ASSERT_TRUE(rows.ok());
    ASSERT_TRUE(rows->moveFirst());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"A", "abcdefg"}, {"B", "hijklmnop"},           {"C", "2"},      {"D", "222"}, {"E", "333333333"},
        {"F", "444.555"}, {"G", "1974-09-21 00:00:00"}, {"H", "3.5000"}, {"I", "1"}};
    for (const auto& [column, text] : expected)
        EXPECT_EQ(rows->text(column).value(), text) << column;
}

TEST(ReadValues, RelocatedRowsKeepTheirPlace) {
    // Access moved rows 3 and 5 to other pages; the engine returns them where they were stored first.
    auto connection = jet::Connection::open(accessFile("overflowTestV2003.mdb").string());
    ASSERT_TRUE(connection.ok());
    auto rows = connection->select("select * from Table1");
    ASSERT_TRUE(rows.ok());
    std::vector<std::string> second;
    for (bool more = rows->moveFirst(); more; more = rows->moveNext())
        second.push_back(rows->text("data3").value());
    EXPECT_EQ(second,
              (std::vector<std::string>{"", "row2col3", "row3col3", "row4col2", "row5col2", "row6col2", ""}));
}

TEST(ReadValues, DeletedRowsAndColumnsAreSkipped) {
    auto deleted = jet::Connection::open(accessFile("delTestV2003.mdb").string());
    ASSERT_TRUE(deleted.ok());
    EXPECT_EQ(deleted->select("select * from Table").value().size(), 2u);
    auto columns = jet::Connection::open(accessFile("delColTestV2003.mdb").string());
    ASSERT_TRUE(columns.ok());
    auto rows = columns->select("select * from Table1");
    ASSERT_TRUE(rows.ok());
    EXPECT_EQ(rows->columns(), (std::vector<std::string>{"id", "id2", "data", "data2"}));
    ASSERT_TRUE(rows->moveLast());
    EXPECT_EQ(rows->text("data2").value(), "bar2");
}

} // namespace

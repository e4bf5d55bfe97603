// Updates on copies of Access-made files: values grow until rows move, memos change form, and
// afterwards the engine, mdb-reader and mdbtools read the same, and the integrity check is clean.
#include "EngineTestSupport.h"

#include "jet/catalog/Table.h"
#include "jet/file/Pager.h"

using namespace enginetest;

namespace {

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

std::vector<std::string> column(jet::Connection& connection, const std::string& table,
                                const std::string& name) {
    auto rows = connection.select("select * from " + table);
    EXPECT_TRUE(rows.ok()) << rows.status().message();
    std::vector<std::string> out;
    for (bool more = rows->moveFirst(); more; more = rows->moveNext())
        out.push_back(rows->text(name).value());
    return out;
}

// How many rows of a table are stored away from their slot.
int relocatedRows(const std::string& file, const std::string& table) {
    auto pager = jet::Pager::open(file);
    EXPECT_TRUE(pager.ok());
    EXPECT_TRUE(pager.value()->beginRead().ok());
    auto connection = jet::Connection::open(file);
    int moved = -1;
    for (std::uint32_t page = 3; page < pager.value()->pageCount() && moved < 0; ++page) {
        auto def = jet::TableDef::read(*pager.value(), page);
        if (!def.ok() || def->find("data1") == nullptr || table != "Table1") continue;
        auto rows = jet::Table(*pager.value(), def.value()).scan();
        EXPECT_TRUE(rows.ok());
        moved = 0;
        for (const auto& row : rows.value())
            moved += row.slot == row.data ? 0 : 1;
    }
    pager.value()->endRead();
    return moved;
}

void expectClean(const std::string& file) {
    const auto found = problems(file);
    EXPECT_TRUE(found.empty()) << found.front();
}

TEST(Update, GrowingRowsMoveButKeepTheirPlaceInTheScan) {
    auto [dir, file, bytesBefore, connection] = OpenedCopy("overflowTestV2003.mdb");
    ASSERT_TRUE(connection.ok());
    // Name every row in data1, then widen the other eight columns: 50 Chinese characters take
    // 100 bytes each, so the rows no longer fit the pages they are on.
    ASSERT_TRUE(nameEveryRow(connection.value()).ok());
    const auto before = column(connection.value(), "Table1", "data1");
    EXPECT_EQ(before, (std::vector<std::string>{"row1col1", "row2col1", "row3col3", "row4col1", "row5col2",
                                                "row6col2", "row7col1"}));
    const int movedBefore = relocatedRows(file, "Table1");
    const std::string wide = repeat("答", 50);
    for (int c = 3; c <= 10; ++c) {
        ASSERT_TRUE(
            connection->execute("update Table1 set data" + std::to_string(c) + "='" + wide + "'").ok());
        EXPECT_EQ(column(connection.value(), "Table1", "data1"), before) << "after data" << c;
    }
    EXPECT_GT(relocatedRows(file, "Table1"), movedBefore);
    EXPECT_EQ(column(connection.value(), "Table1", "data10"), std::vector<std::string>(7, wide));
    // Shrinking again moves nothing back but must keep every row readable.
    ASSERT_TRUE(connection->execute("update Table1 set data5='short'where data1='row2col1'").ok());
    EXPECT_EQ(column(connection.value(), "Table1", "data1"), before);
    expectClean(file);
    expectReadersAgree(file, "Table1", mdbReaderTables(file));
}

TEST(Update, MemoValuesTakeEveryFormAndReadBack) {
    auto [dir, file, bytesBefore, connection] = OpenedCopy("test2V2003.mdb");
    ASSERT_TRUE(connection.ok());
    const std::vector<std::pair<std::string, std::string>> values = {
        {"inline", "short memo"},
        {"one long-value row", repeat("question text ", 150)},
        {"a chain of rows", repeat("chain ", 5000)},
        {"Chinese on a chain", repeat("会计分录借贷", 1000)},
        {"quotes", "it''s ''quoted'' twice"},
        {"back to inline", "x"},
    };
    for (const auto& [form, literal] : values) {
        ASSERT_TRUE(connection->execute("update MSP_PROJECTS set PROJ_PROP_AUTHOR='" + literal + "'").ok())
            << form;
        std::string expected = literal;
        for (std::size_t at = expected.find("''"); at != std::string::npos; at = expected.find("''", at + 1))
            expected.erase(at, 1);
        EXPECT_EQ(column(connection.value(), "MSP_PROJECTS", "PROJ_PROP_AUTHOR").front(), expected) << form;
        expectClean(file);
        expectReadersAgree(file, "MSP_PROJECTS", mdbReaderTables(file));
    }
}

TEST(Update, TextBeyondTheBasicPlaneSurvives) {
    auto [dir, file, bytesBefore, connection] = OpenedCopy("overflowTestV2003.mdb");
    ASSERT_TRUE(connection.ok());
    const std::string text = "𝄞 借方 😀 贷方";
    ASSERT_TRUE(connection->execute("update Table1 set data9='" + text + "' where data1='row4col1'").ok());
    EXPECT_EQ(column(connection.value(), "Table1", "data9")[3], text);
    expectClean(file);
    // mdbtools turns surrogate pairs into '?', so only mdb-reader can confirm these.
    expectReadersAgree(file, "Table1", mdbReaderTables(file), false);
}

TEST(Update, WhereMatchesEveryRowWithThatText) {
    auto [dir, file, bytesBefore, connection] = OpenedCopy("overflowTestV2003.mdb");
    ASSERT_TRUE(connection.ok());
    ASSERT_TRUE(connection->execute("update Table1 set data10='same'where data3='row2col3'").ok());
    ASSERT_TRUE(connection->execute("update Table1 set data3='row2col3'where data1='row7col1'").ok());
    ASSERT_TRUE(connection->execute("update Table1 set data10='twice'where data3='row2col3'").ok());
    EXPECT_EQ(column(connection.value(), "Table1", "data10"),
              (std::vector<std::string>{"", "twice", "", "", "", "", "twice"}));
    ASSERT_TRUE(connection->execute("update Table1 set data10='none'where data3='no such text'").ok());
    EXPECT_EQ(column(connection.value(), "Table1", "data10")[1], "twice");
    expectClean(file);
}

TEST(Update, QuotedNumbersGoIntoNumericColumns) {
    auto [dir, file, bytesBefore, connection] = OpenedCopy("testV2003.mdb");
    ASSERT_TRUE(connection.ok());
    ASSERT_TRUE(connection->execute("update Table1 set D='10'where A='abcdefg'").ok());
    ASSERT_TRUE(connection->execute("update Table1 set C='255' where D='10'").ok());
    ASSERT_TRUE(connection->execute("update Table1 set H='-12.25'").ok());
    ASSERT_TRUE(connection->execute("update Table1 set F='0.5' where E='333333333'").ok());
    EXPECT_EQ(column(connection.value(), "Table1", "D"), (std::vector<std::string>{"10", "0"}));
    EXPECT_EQ(column(connection.value(), "Table1", "C"), (std::vector<std::string>{"255", "0"}));
    EXPECT_EQ(column(connection.value(), "Table1", "H"), (std::vector<std::string>{"-12.2500", "-12.2500"}));
    EXPECT_EQ(column(connection.value(), "Table1", "F"), (std::vector<std::string>{"0.5", "0"}));
    EXPECT_EQ(connection->scalar("select sum(D) from Table1").value(), "10");
    EXPECT_EQ(connection->scalar("select sum(H) from Table1").value(), "-24.5000");
    EXPECT_EQ(connection->scalar("select sum(D) from Table3").status().code(), jet::Code::NotFound);
    expectReadersAgree(file, "Table1", mdbReaderTables(file));
}

TEST(Update, SumOfATableWithoutRowsIsZero) {
    auto connection = jet::Connection::open(accessFile("testV2003.mdb").string());
    ASSERT_TRUE(connection.ok());
    auto sum = connection->scalar("select sum(a) from Table3");
    ASSERT_TRUE(sum.ok()) << sum.status().message();
    EXPECT_EQ(sum.value(), "0");
}

TEST(Update, IndexedColumnsAreRefusedWithTheFileUnchanged) {
    auto [dir, file, before, connection] = OpenedCopy("indexTestV2003.mdb");
    ASSERT_TRUE(connection.ok());
    // Every row's primary key set to one value would repeat it in the unique index.
    expectRefused(connection->execute("update Table1 set id='7'"), jet::Code::Invalid, "unique index");
    EXPECT_EQ(readFile(file), before);
    // A column outside every index of the same table can change.
    ASSERT_TRUE(connection->execute("update Table1 set data='changed'").ok());
    expectClean(file);
    expectReadersAgree(file, "Table1", mdbReaderTables(file));
}

} // namespace

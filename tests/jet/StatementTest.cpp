// The statement forms the program sends are accepted; everything else is refused with a reason
// and leaves the file exactly as it was.
#include "EngineTestSupport.h"

#include "jet/Statement.h"

using namespace enginetest;

namespace {

TEST(StatementParse, AcceptsEveryFormTheProgramSends) {
    auto all = jet::Statement::parse("select * from tm7");
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(all->kind, jet::Statement::Kind::SelectAll);
    EXPECT_EQ(all->table, "tm7");

    auto sum = jet::Statement::parse("SELECT SUM( fen ) FROM tm20 ");
    ASSERT_TRUE(sum.ok());
    EXPECT_EQ(sum->kind, jet::Statement::Kind::SelectSum);
    EXPECT_EQ(sum->column, "fen");

    auto plain = jet::Statement::parse("update danxuan set fen='0'");
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain->value, "0");
    EXPECT_FALSE(plain->whereColumn.has_value());

    auto glued = jet::Statement::parse("update duoxuan set XXDA='AB'where TM='它''s 一题'");
    ASSERT_TRUE(glued.ok());
    EXPECT_EQ(glued->column, "XXDA");
    EXPECT_EQ(glued->value, "AB");
    EXPECT_EQ(glued->whereColumn.value(), "TM");
    EXPECT_EQ(glued->whereValue, "它's 一题");

    auto empty = jet::Statement::parse("update fenxi set fenxi1='' where TM='x'");
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty->value, "");
}

TEST(StatementParse, RefusesAnythingElseAndSaysWhy) {
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"delete from danxuan", "unknown statement"},
        {"select ID from danxuan", "only 'select *'"},
        {"select * from danxuan where ID=1", "unexpected text"},
        {"select * from", "expected a table name"},
        {"selectx * from t", "unknown statement"},
        {"update t set a='unterminated", "not terminated"},
        {"update t set a='x' where b='open", "not terminated"},
        {"update t set a=5", "expected a quoted value"},
        {"update t set a='1'; drop table t", "unexpected text"},
        {"update t set a='1' where b='2' and c='3'", "unexpected text"},
        {"update t a='1'", "expected 'set'"},
        {"", "unknown statement"},
    };
    expectRefusedStatements(refused);
}

TEST(StatementExecute, RefusedStatementsLeaveTheFileUnchanged) {
    auto [dir, file, before, connection] = OpenedCopy("overflowTestV2003.mdb");
    ASSERT_TRUE(connection.ok());
    const std::vector<std::pair<std::string, jet::Code>> refused = {
        {"update Table1 set data3='unterminated", jet::Code::Invalid},
        {"update NoSuchTable set data3='x'", jet::Code::NotFound},
        {"update Table1 set nosuchcolumn='x'", jet::Code::NotFound},
        {"update Table1 set data3='x' where nosuchcolumn='y'", jet::Code::NotFound},
        {"update Table1 set data3='" + std::string(51, 'x') + "'", jet::Code::Invalid},
        {"update Table1 set data3='" + std::string(51 * 3, '\xe5') + "'", jet::Code::Invalid},
        {"select * from Table1", jet::Code::Invalid},
    };
    for (const auto& [text, code] : refused) {
        const jet::Status status = connection->execute(text);
        EXPECT_EQ(status.code(), code) << text << " -> " << status.message();
        EXPECT_FALSE(status.message().empty());
    }
    EXPECT_EQ(readFile(file), before);
    // 50 characters is the column's limit, and counts characters, not bytes.
    EXPECT_TRUE(connection->execute("update Table1 set data3='" + std::string(50, 'x') + "'").ok());
    std::string chinese;
    for (int i = 0; i < 50; ++i)
        chinese += "题";
    EXPECT_TRUE(connection->execute("update Table1 set data3='" + chinese + "'").ok());
}

TEST(StatementExecute, TextIntoANumericColumnIsRefused) {
    auto [dir, file, before, connection] = OpenedCopy("testV2003.mdb");
    ASSERT_TRUE(connection.ok());
    for (const std::string value : {"abc", "1.5", "70000", "", "1e3", "--1"}) {
        const jet::Status status = connection->execute("update Table1 set D='" + value + "'");
        EXPECT_EQ(status.code(), jet::Code::Invalid) << value;
    }
    EXPECT_EQ(connection->execute("update Table1 set C='256'").code(), jet::Code::Invalid);
    EXPECT_EQ(connection->execute("update Table1 set H='1.23456'").code(), jet::Code::Invalid);
    EXPECT_EQ(connection->execute("update Table1 set G='2020-02-30'").code(), jet::Code::Invalid);
    EXPECT_EQ(connection->scalar("select sum(A) from Table1").status().code(), jet::Code::Invalid);
    EXPECT_EQ(readFile(file), before);
}

} // namespace

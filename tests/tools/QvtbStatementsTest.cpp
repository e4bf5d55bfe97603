// qvtb exec routes a statement by what it is, not by what its literals contain, and refuses to
// change the system tables.
#include "EngineTestSupport.h"

using namespace enginetest;

namespace {

const std::string kQvtb = quote(VELMORA_QVTB);

CommandResult qvtb(const std::string& args) {
    return run(kQvtb + " " + args + " 2>&1");
}

TEST(QvtbStatements, ALiteralThatLooksLikeASumIsAnUpdate) {
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb");
    for (const std::string value : {"sum(fen) of paper 1", "SUM(x)", "select sum(a) from b"}) {
        const auto result = qvtb("exec " + quote(file) + " \"update Table1 set data3='" + value + "'\"");
        EXPECT_EQ(result.exitCode, 0) << value << ": " << result.output;
        EXPECT_NE(engineCsv(file, "Table1").find(value), std::string::npos) << value;
    }
    const auto sum = qvtb("exec " + quote(file) + " \" SELECT Sum ( data1 ) FROM Table1\"");
    EXPECT_EQ(sum.exitCode, 1); // a sum it is, of a text column
    EXPECT_NE(sum.output.find("numeric"), std::string::npos) << sum.output;
}

TEST(QvtbStatements, SystemTablesAreNotChanged) {
    ScratchDir dir;
    const std::string file = dir.copy("testV2003.mdb");
    const std::string before = readFile(file);
    const std::string tables = qvtb("tables " + quote(file)).output;
    for (const std::string statement :
         {"update MSysObjects set Flags='0'", "update msysobjects set Flags='0' where Name='Table1'",
          "update MSysACEs set ACM='0'"}) {
        const auto result = qvtb("exec " + quote(file) + " \"" + statement + "\"");
        EXPECT_EQ(result.exitCode, 1) << statement;
        EXPECT_NE(result.output.find("system table"), std::string::npos)
            << statement << ": " << result.output;
    }
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(qvtb("tables " + quote(file)).output, tables);
}

} // namespace

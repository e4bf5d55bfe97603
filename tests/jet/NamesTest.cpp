// Names as Access allows them, blanks and Chinese included: in statements, bare or in brackets,
// and as whole arguments of qvtb; names Access forbids are refused with the reason.
#include "EngineTestSupport.h"

#include "jet/DatabaseCreator.h"
#include "jet/Statement.h"

using namespace enginetest;

namespace {

const std::string kQvtb = quote(VELMORA_QVTB);

CommandResult qvtb(const std::string& arguments) {
    return run(kQvtb + " " + arguments + " 2>&1");
}

// The table as `qvtb export` writes it and as mdb-export does, records compared.
void expectExportMatches(const std::string& file, const std::string& table) {
    const auto ours = qvtb("export " + quote(file) + " " + quote(table));
    ASSERT_EQ(ours.exitCode, 0) << table << ": " << ours.output;
    const auto theirs = mdbtoolsCsv(file, table);
    ASSERT_EQ(theirs.exitCode, 0) << theirs.output;
    EXPECT_EQ(records(ours.output), records(theirs.output)) << file << " " << table;
}

std::string ucs2(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

// Replaces the one stored copy of `from` (bytes of a catalog name) by `to`, of the same length.
void patchOnce(const std::string& file, const std::string& from, const std::string& to) {
    ASSERT_EQ(from.size(), to.size());
    std::string bytes = readFile(file);
    const auto at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    ASSERT_EQ(bytes.find(from, at + 1), std::string::npos) << from;
    bytes.replace(at, from.size(), to);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// A file with the table names Access-made files have and our creator does not write: made with
// place-holder names of the same length, which the catalog rows then get instead.
std::string fileWithNamedTables(const ScratchDir& dir) {
    const std::string file = (dir.path() / "names.mdb").string();
    jet::NewTable orders{"OrderQDetails",
                         {{"Order ID", jet::FieldType::Long},
                          {"Product Name", jet::FieldType::Text, 40},
                          {"单价", jet::FieldType::Text, 10}},
                         {{"1", "Chai", "18"}, {"2", "Chang's", "19"}}};
    jet::NewTable chinese{
        "ABCDEFGHIJ", {{"编号", jet::FieldType::Long}, {"名称", jet::FieldType::Text, 20}}, {}};
    chinese.rows = {{"7", "借方"}, {"8", "贷方"}};
    EXPECT_TRUE(jet::DatabaseCreator::create(file, {orders, chinese}, {45000.0}).ok());
    patchOnce(file, ucs2(u"OrderQDetails"), ucs2(u"Order Details"));
    patchOnce(file, ucs2(u"ABCDEFGHIJ"), ucs2(u"订单明细表甲乙丙丁戊"));
    return file;
}

TEST(Names, StatementsTakeNamesBareOrInBrackets) {
    auto bare = jet::Statement::parse("select * from Order Details");
    ASSERT_TRUE(bare.ok()) << bare.status().message();
    EXPECT_EQ(bare->table, "Order Details");
    auto update = jet::Statement::parse("update Order Details set Unit Price='1'where Order ID = '2'");
    ASSERT_TRUE(update.ok()) << update.status().message();
    EXPECT_EQ(update->table, "Order Details");
    EXPECT_EQ(update->column, "Unit Price");
    EXPECT_EQ(update->whereColumn.value(), "Order ID");
    auto brackets = jet::Statement::parse("update [Select Set] set [Where-Col #1]='x' where [a b]='y'");
    ASSERT_TRUE(brackets.ok()) << brackets.status().message();
    EXPECT_EQ(brackets->table, "Select Set");
    EXPECT_EQ(brackets->column, "Where-Col #1");
    EXPECT_EQ(brackets->whereColumn.value(), "a b");
    auto sum = jet::Statement::parse("select sum([Unit Price]) from 订单 明细");
    ASSERT_TRUE(sum.ok()) << sum.status().message();
    EXPECT_EQ(sum->column, "Unit Price");
    EXPECT_EQ(sum->table, "订单 明细");
}

TEST(Names, NamesAccessForbidsAreRefusedWithTheReason) {
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"select * from [Order.Details]", "holds '.'"},
        {"select * from [ Order]", "starts with a blank"},
        {"select * from []", "is empty"},
        {"select * from [Order", "no closing ']'"},
        {"select * from [Hey!]", "holds '!'"},
        {"select * from [a`b]", "holds '`'"},
        {"select * from [a[b]", "holds '['"},
        {"select * from [a\tb]", "control character 9"},
        {"update t set [" + std::string(65, 'x') + "]='1'", "at most 64"},
        {"update t set a='1' where " + std::string(65, 'y') + "='1'", "at most 64"},
    };
    expectRefusedStatements(refused);
    const auto shell = qvtb("export " + quote(accessFile("testV2003.mdb").string()) + " 'Table.1'");
    EXPECT_NE(shell.exitCode, 0);
    EXPECT_NE(shell.output.find("holds '.'"), std::string::npos) << shell.output;
}

// Every table of every Access-made file and of one with blanks and Chinese in its table names,
// exported by its name as one argument. Of the system tables, those mdbtools reads whole:
// MSysNavPaneGroups has a column named "Object Type Group".
TEST(Names, EveryTableOfEveryFileExportsByName) {
    ScratchDir dir;
    std::vector<std::string> files = {fileWithNamedTables(dir)};
    for (const auto& name : kAccessFiles)
        files.push_back(accessFile(name).string());
    int exported = 0;
    for (const auto& file : files) {
        for (const auto& [table, csv] : mdbReaderTables(file)) {
            if (table.rfind("MSys", 0) == 0 && table.rfind("MSysNavPane", 0) != 0) continue;
            expectExportMatches(file, table);
            ++exported;
        }
    }
    EXPECT_GE(exported, 30);
}

TEST(Names, TablesNamedWithBlanksAndChineseUpdateByStatement) {
    ScratchDir dir;
    const std::string file = fileWithNamedTables(dir);
    const auto listed = qvtb("tables " + quote(file));
    EXPECT_EQ(listed.output, "Order Details\n订单明细表甲乙丙丁戊\n");
    auto set = qvtb("exec " + quote(file) +
                    " \"update [Order Details] set [Product Name]='Aniseed' where Order ID='2'\"");
    ASSERT_EQ(set.exitCode, 0) << set.output;
    set = qvtb("exec " + quote(file) + " \"update 订单明细表甲乙丙丁戊 set 名称='资产' where 编号='8'\"");
    ASSERT_EQ(set.exitCode, 0) << set.output;
    expectExportMatches(file, "Order Details");
    expectExportMatches(file, "订单明细表甲乙丙丁戊");
    const auto orders = qvtb("export " + quote(file) + " 'Order Details'");
    EXPECT_NE(orders.output.find("2,\"Aniseed\",\"19\""), std::string::npos) << orders.output;
    const auto chinese = qvtb("export " + quote(file) + " 订单明细表甲乙丙丁戊");
    EXPECT_NE(chinese.output.find("8,\"资产\""), std::string::npos) << chinese.output;
}

} // namespace

// The rows the engine keeps between statements (where each row lives, its texts): whatever changed
// them since, another process's commit, a rolled-back or refused write, a changed key or a row moved
// to another page, the next statement finds each row where it now is and reads what it now holds.
#include "EngineTestSupport.h"

#include "jet/DatabaseCreator.h"

#include <cstdlib>

using namespace enginetest;

namespace {

constexpr int kRows = 200;
const std::string kQvtb = quote(VELMORA_QVTB);

std::string questionText(int id) {
    return "第" + std::to_string(id) + "题：企业收到投资者投入的资本，应贷记哪个科目？";
}

// A practice table as the bank compiler writes one: keyed on ID, the text a memo, answers short.
std::string bankShapedFile(const ScratchDir& dir) {
    jet::NewTable table{"danxuan",
                        {{"ID", jet::FieldType::Long, 255, false, true},
                         {"TM", jet::FieldType::Memo},
                         {"DA", jet::FieldType::Text, 10},
                         {"XXDA", jet::FieldType::Text, 10},
                         {"fen", jet::FieldType::Text, 10},
                         {"JX", jet::FieldType::Text, 255}},
                        {}};
    for (int id = 1; id <= kRows; ++id)
        table.rows.push_back({std::to_string(id), questionText(id), "A", "", "0", "解析"});
    const std::string file = (dir.path() / "qvtb.mdb").string();
    EXPECT_TRUE(jet::DatabaseCreator::create(file, {table}).ok());
    return file;
}

std::string setWhere(const std::string& column, const std::string& value, int id) {
    return "update danxuan set " + column + "='" + value + "'where TM='" + questionText(id) + "'";
}

// A column of the row numbered `id`, found as the program finds it.
std::string field(jet::Connection& connection, int id, const std::string& column) {
    auto rows = connection.select("select * from danxuan");
    if (!rows.ok()) return "select failed: " + rows.status().message();
    if (const jet::Status found = rows->find("ID=" + std::to_string(id)); !found.ok()) return found.message();
    return rows->text(column).value();
}

// The statement run by another process, as another copy of the program would.
void executeElsewhere(const std::string& file, const std::string& statement) {
    ASSERT_EQ(std::system((kQvtb + " exec " + quote(file) + " " + quote(statement) + " >/dev/null").c_str()),
              0)
        << statement;
}

std::string wide(int characters) {
    std::string out;
    for (int i = 0; i < characters; ++i)
        out += "账";
    return out;
}

void expectSound(const std::string& file) {
    const auto found = problems(file);
    EXPECT_TRUE(found.empty()) << found.front();
    expectReadersAgree(file, "danxuan", mdbReaderTables(file));
}

TEST(KeptRows, AnotherProcessesCommitIsReadWhereItsRowsNowAre) {
    ScratchDir dir;
    const std::string file = bankShapedFile(dir);
    auto connection = jet::Connection::open(file);
    ASSERT_TRUE(connection.ok());
    ASSERT_TRUE(connection->execute(setWhere("XXDA", "A", 40)).ok());
    ASSERT_EQ(field(connection.value(), 40, "XXDA"), "A");

    // Elsewhere rows grow until they leave their pages, and one question gets a new text.
    for (int id = 30; id <= 50; ++id)
        executeElsewhere(file, setWhere("JX", wide(250), id));
    executeElsewhere(file, "update danxuan set TM='改过的题目'where TM='" + questionText(41) + "'");

    ASSERT_TRUE(connection->execute(setWhere("XXDA", "C", 40)).ok());
    EXPECT_EQ(field(connection.value(), 40, "XXDA"), "C");
    EXPECT_EQ(field(connection.value(), 40, "JX"), wide(250));
    // The old text names no row any more; the new one does.
    ASSERT_TRUE(connection->execute(setWhere("XXDA", "B", 41)).ok());
    EXPECT_EQ(field(connection.value(), 41, "XXDA"), "");
    ASSERT_TRUE(connection->execute("update danxuan set XXDA='D'where TM='改过的题目'").ok());
    EXPECT_EQ(field(connection.value(), 41, "XXDA"), "D");
    expectSound(file);
}

TEST(KeptRows, RolledBackAndRefusedWritesLeaveNothingBehind) {
    ScratchDir dir;
    const std::string file = bankShapedFile(dir);
    auto connection = jet::Connection::open(file);
    ASSERT_TRUE(connection.ok());
    ASSERT_EQ(field(connection.value(), 7, "XXDA"), "");

    ASSERT_TRUE(connection->begin().ok());
    ASSERT_TRUE(connection->execute(setWhere("XXDA", "B", 7)).ok());
    ASSERT_TRUE(connection->execute("update danxuan set TM='新题目'where TM='" + questionText(8) + "'").ok());
    EXPECT_EQ(field(connection.value(), 7, "XXDA"), "B");
    connection->rollback();
    EXPECT_EQ(field(connection.value(), 7, "XXDA"), "");
    ASSERT_TRUE(connection->execute("update danxuan set XXDA='C'where TM='新题目'").ok());
    EXPECT_EQ(field(connection.value(), 8, "XXDA"), "");
    ASSERT_TRUE(connection->execute(setWhere("XXDA", "C", 8)).ok());
    EXPECT_EQ(field(connection.value(), 8, "XXDA"), "C");

    // A number the key holds already is refused after the row was rewritten: all of it goes back.
    const jet::Status twice =
        connection->execute("update danxuan set ID='9'where TM='" + questionText(10) + "'");
    EXPECT_EQ(twice.code(), jet::Code::Invalid) << twice.message();
    EXPECT_EQ(field(connection.value(), 10, "TM"), questionText(10));
    EXPECT_EQ(field(connection.value(), 9, "TM"), questionText(9));
    expectSound(file);
}

TEST(KeptRows, AChangedKeyFindsItsRowByTheNewValueOnly) {
    ScratchDir dir;
    const std::string file = bankShapedFile(dir);
    auto connection = jet::Connection::open(file);
    ASSERT_TRUE(connection.ok());
    auto before = connection->select("select * from danxuan");
    ASSERT_TRUE(before.ok());

    ASSERT_TRUE(connection->execute("update danxuan set ID='1000'where TM='" + questionText(3) + "'").ok());
    EXPECT_EQ(field(connection.value(), 1000, "TM"), questionText(3));
    EXPECT_EQ(field(connection.value(), 3, "TM"), "no row meets ID=3");
    // A row set selected before keeps what it selected.
    ASSERT_TRUE(before->find("ID=3").ok());
    EXPECT_EQ(before->text("TM").value(), questionText(3));
    EXPECT_FALSE(before->find("ID=1000").ok());
    expectSound(file);
}

TEST(KeptRows, RowsTheirOwnUpdatesMovedToAnotherPageAreFoundThere) {
    ScratchDir dir;
    const std::string file = bankShapedFile(dir);
    auto connection = jet::Connection::open(file);
    ASSERT_TRUE(connection.ok());
    ASSERT_EQ(field(connection.value(), 60, "XXDA"), "");
    for (int id = 55; id <= 75; ++id)
        ASSERT_TRUE(connection->execute(setWhere("JX", wide(250), id)).ok());
    for (int id = 55; id <= 75; ++id) {
        ASSERT_TRUE(connection->execute(setWhere("XXDA", "AB", id)).ok());
        ASSERT_TRUE(connection->execute(setWhere("JX", "短", id)).ok());
        EXPECT_EQ(field(connection.value(), id, "XXDA"), "AB");
        EXPECT_EQ(field(connection.value(), id, "JX"), "短");
    }
    expectSound(file);
}

} // namespace

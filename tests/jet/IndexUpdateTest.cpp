// Updates of indexed columns: entries move, leaves split and empty, unique indexes refuse
// duplicates, keys the engine cannot encode stay refused, and a killed writer leaves the old or
// the new state. Every step is checked with the integrity check, and the end with both readers.
#include "EngineTestSupport.h"

#include "jet/DatabaseCreator.h"
#include "jet/catalog/TableDef.h"
#include "jet/file/Pager.h"
#include "jet/index/IndexTree.h"

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace enginetest;

namespace {

constexpr int kRows = 150;

// A table made by our own creator with an indexed Long and an indexed Text column.
std::string indexedTable(const ScratchDir& dir, int rows = kRows) {
    jet::NewTable table{"t",
                        {{"ID", jet::FieldType::Long, 255, true},
                         {"T", jet::FieldType::Text, 200, true},
                         {"N", jet::FieldType::Long}},
                        {}};
    for (int i = 0; i < rows; ++i)
        table.rows.push_back({std::to_string(i), "k" + std::to_string(i), std::to_string(i)});
    const std::string file = (dir.path() / "indexed.mdb").string();
    EXPECT_TRUE(jet::DatabaseCreator::create(file, {table}).ok());
    return file;
}

// A text of letters, digits and blanks that sorts differently for every step.
std::string value(int step) {
    std::string out = std::string(1, static_cast<char>('a' + step * 7 % 26)) + std::to_string(step);
    out += std::string(static_cast<std::size_t>(40 + step * 13 % 150), static_cast<char>('a' + step % 26));
    return out + " " + std::to_string(step % 17);
}

// Pages per level of the table's indexes.
std::vector<std::vector<std::size_t>> shape(const std::string& file, const std::string& tableName) {
    auto pager = jet::Pager::open(file);
    EXPECT_TRUE(pager.ok() && pager.value()->beginRead().ok());
    std::vector<std::vector<std::size_t>> out;
    for (std::uint32_t page = 3; page < pager.value()->pageCount(); ++page) {
        auto def = jet::TableDef::read(*pager.value(), page);
        if (!def.ok() || def->find(tableName == "t" ? "N" : "E") == nullptr) continue;
        for (const auto& index : def->indexes) {
            auto tree = jet::IndexTree::read(*pager.value(), index.root, def->page);
            EXPECT_TRUE(tree.ok());
            std::vector<std::size_t> levels;
            for (const auto& level : tree->levels)
                levels.push_back(level.size());
            out.push_back(levels);
        }
        break;
    }
    pager.value()->endRead();
    return out;
}

// What the definition of the table with column `column` counts as distinct keys of an index.
std::uint32_t distinctKeysCounted(const std::string& file, const std::string& column, std::size_t index) {
    auto pager = jet::Pager::open(file);
    EXPECT_TRUE(pager.ok() && pager.value()->beginRead().ok());
    for (std::uint32_t page = 3; page < pager.value()->pageCount(); ++page) {
        auto def = jet::TableDef::read(*pager.value(), page);
        if (def.ok() && def->find(column) && def->find("I"))
            return jet::get32(pager.value()->read(page).value(), 63 + 12 * index + 4);
    }
    return ~0u;
}

TEST(IndexUpdate, HundredsOfUpdatesSplitAndEmptyLeavesAndStayConsistent) {
    ScratchDir dir;
    const std::string file = indexedTable(dir);
    ASSERT_TRUE(problems(file).empty()) << problems(file).front();
    auto connection = jet::Connection::open(file);
    ASSERT_TRUE(connection.ok());
    for (int step = 0; step < 300; ++step) {
        const int row = step * 37 % kRows;
        std::string statement = "update t set T='" + value(step) + "' where N='" + std::to_string(row) + "'";
        if (step % 3 == 0)
            statement = "update t set ID='" + std::to_string(5000 - step * 11) + "' where N='" +
                        std::to_string(row) + "'";
        if (step == 250) statement = "update t set T='short' where N='7'"; // and back to shorter keys
        const auto done = connection->execute(statement);
        ASSERT_TRUE(done.ok()) << statement << ": " << done.message();
        const auto found = problems(file);
        ASSERT_TRUE(found.empty()) << statement << ": " << found.front();
    }
    const auto levels = shape(file, "t");
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_GE(levels[1].size(), 2u); // the text index has a node over its leaves
    EXPECT_GE(levels[1].back(), 5u); // and has split many times
    expectReadersAgree(file, "t", mdbReaderTables(file));
    // Shortening every text empties leaves and shrinks the tree back.
    ASSERT_TRUE(connection->execute("update t set T='z'").ok());
    const auto found = problems(file);
    EXPECT_TRUE(found.empty()) << found.front();
    EXPECT_EQ(shape(file, "t")[1], std::vector<std::size_t>{1});
}

// Long keys over many rows need two node pages under the root: three levels.
TEST(IndexUpdate, DeepTreesKeepTheirNodesAndLinksRight) {
    ScratchDir dir;
    const std::string file = indexedTable(dir, 300);
    auto connection = jet::Connection::open(file);
    ASSERT_TRUE(connection.ok());
    for (int row = 0; row < 300; ++row) {
        const std::string text = std::to_string(row * 7919 % 300) + std::string(190, 'q');
        const std::string statement = "update t set T='" + text + "' where N='" + std::to_string(row) + "'";
        ASSERT_TRUE(connection->execute(statement).ok()) << statement;
        if (row % 60 != 59) continue;
        const auto found = problems(file);
        ASSERT_TRUE(found.empty()) << statement << ": " << found.front();
    }
    EXPECT_EQ(shape(file, "t")[1].size(), 3u);
    expectReadersAgree(file, "t", mdbReaderTables(file));
}

TEST(IndexUpdate, AccessMadeIndexesFollowTextAndLongUpdates) {
    ScratchDir dir;
    const std::string text = dir.copy("testV2003.mdb");
    const std::string longs = dir.copy("indexTestV2003.mdb");
    auto a = jet::Connection::open(text);
    auto b = jet::Connection::open(longs);
    ASSERT_TRUE(a.ok() && b.ok());
    for (int step = 0; step < 200; ++step) {
        const std::string s1 = "update Table1 set B='" + value(step).substr(0, 90) + "' where C='" +
                               std::to_string(step % 2 ? 2 : 0) + "'";
        const std::string s2 = "update Table1 set otherfk1='" + std::to_string(step * 7919 % 1000 - 500) +
                               "' where id='" + std::to_string(step % 4 + 1) + "'";
        const auto done = a->execute(s1);
        ASSERT_TRUE(done.ok()) << s1 << ": " << done.message();
        ASSERT_TRUE(b->execute(s2).ok()) << s2;
        auto found = problems(text);
        ASSERT_TRUE(found.size() == 1) << s1 << ": " << found.back(); // Access's stale MSysACEs counter only
        found = problems(longs);
        ASSERT_TRUE(found.empty()) << s2 << ": " << found.front();
    }
    // Both rows alike: the definition's count of distinct keys of B's index drops to one.
    ASSERT_TRUE(a->execute("update Table1 set B='same'").ok());
    EXPECT_EQ(distinctKeysCounted(text, "A", 1), 1u);
    EXPECT_EQ(distinctKeysCounted(text, "A", 0), 2u);
    const auto readers = mdbReaderTables(longs);
    expectReadersAgree(longs, "Table1", readers);
    expectReadersAgree(text, "Table1", mdbReaderTables(text));
}

TEST(IndexUpdate, UniqueDuplicatesAndInexactKeysAreRefusedWithTheFileUnchanged) {
    auto [dir, file, before, connection] = OpenedCopy("testV2003.mdb");
    ASSERT_TRUE(connection.ok());
    expectRefused(connection->execute("update Table1 set A='A' where A='abcdefg'"), jet::Code::Invalid,
                  "twice in unique index");
    expectRefused(connection->execute("update Table1 set B='\xe6\xbc\xa2\xe5\xad\x97' where A='a'"),
                  jet::Code::Unsupported, "cannot be encoded exactly");
    EXPECT_EQ(readFile(file), before);
    // A swap through a value nobody holds is fine.
    EXPECT_TRUE(connection->execute("update Table1 set A='q' where A='a'").ok());
    EXPECT_TRUE(connection->execute("update Table1 set A='a' where A='abcdefg'").ok());
    EXPECT_EQ(problems(file).size(), 1u);
}

[[noreturn]] void writer(const std::string& file, int log) {
    auto connection = jet::Connection::open(file);
    if (!connection.ok()) _exit(3);
    for (int step = 0;; ++step) {
        const std::string s =
            "update t set T='" + value(step) + "' where N='" + std::to_string(step * 37 % kRows) + "'";
        if (!connection->execute(s).ok()) _exit(4);
        const std::string line = std::to_string(step) + "\n";
        if (write(log, line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(5);
    }
}

std::map<std::string, std::string> texts(const std::string& file) {
    std::map<std::string, std::string> out;
    auto connection = jet::Connection::open(file);
    auto rows = connection->select("select * from t");
    for (bool more = rows->moveFirst(); more; more = rows->moveNext())
        out[rows->text("N").value()] = rows->text("T").value();
    return out;
}

TEST(IndexUpdate, KilledWritersLeaveTheOldOrTheNewIndex) {
    ScratchDir dir;
    const std::string file = indexedTable(dir);
    for (int round = 0; round < 12; ++round) {
        auto model = texts(file);
        const std::string log = (dir.path() / ("log" + std::to_string(round))).string();
        const int fd = ::open(log.c_str(), O_CREAT | O_WRONLY | O_APPEND, 0644);
        ASSERT_GE(fd, 0);
        const pid_t pid = fork();
        if (pid == 0) writer(file, fd);
        ::close(fd);
        usleep(static_cast<useconds_t>(20000 + round * 9000));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << WEXITSTATUS(status);
        int last = -1;
        std::istringstream in(readFile(log));
        for (std::string line; std::getline(in, line);)
            last = std::stoi(line);
        for (int step = 0; step <= last; ++step)
            model[std::to_string(step * 37 % kRows)] = value(step);
        auto inFlight = model;
        inFlight[std::to_string((last + 1) * 37 % kRows)] = value(last + 1);
        const auto actual = texts(file);
        ASSERT_TRUE(actual == model || actual == inFlight) << "round " << round << " after " << last;
        const auto found = problems(file);
        ASSERT_TRUE(found.empty()) << "round " << round << ": " << found.front();
    }
    EXPECT_GE(shape(file, "t")[1].size(), 2u);
}

} // namespace

// Several updates as one transaction: read back inside it, written with one journal and one sync
// of each file, rolled back whole when anything fails or it is abandoned, and other processes
// kept out of the file until it ends.
#include "EngineTestSupport.h"
#include "FaultyFile.h"

#include "jet/file/Pager.h"
#include "jet/statements/Database.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace enginetest;

namespace {

constexpr jet::Database::Owner kOwner = 7;

// A file's Database over files that count their syncs and fail on demand.
struct FaultyDatabase {
    std::shared_ptr<Faults> database = std::make_shared<Faults>();
    std::shared_ptr<Faults> journal = std::make_shared<Faults>();
    std::unique_ptr<jet::Database> db;
    int databaseSyncs = 0;
    int journalSyncs = 0;

    explicit FaultyDatabase(const std::string& path) {
        auto file = jet::PosixFile::open(path, false);
        EXPECT_TRUE(file.ok());
        auto opener = [path, faults = journal](bool create) -> jet::Result<std::unique_ptr<jet::File>> {
            JET_ASSIGN_OR_RETURN(auto inner, jet::PosixFile::open(path + "-journal", create));
            return std::unique_ptr<jet::File>(std::make_unique<FaultyFile>(std::move(inner), faults));
        };
        db = std::make_unique<jet::Database>(std::make_unique<jet::Pager>(
            std::make_unique<FaultyFile>(std::move(file.value()), database), opener));
    }
    jet::Status update(const std::string& text, jet::Database::Owner owner = kOwner) {
        auto parsed = jet::Statement::parse(text);
        return parsed.ok() ? db->update(parsed.value(), owner) : parsed.status();
    }
    std::string data(const std::string& column, jet::Database::Owner owner = kOwner) {
        auto rows = db->selectAll("Table1", owner);
        if (!rows.ok()) return "select failed: " + rows.status().message();
        std::string values;
        for (bool more = rows->moveFirst(); more; more = rows->moveNext())
            values += rows->text(column).value() + ";";
        return values;
    }
};

const std::string kAnswer = "update Table1 set data5='the answer'where data1='row2col1'";
const std::string kScore = "update Table1 set data6='its score'where data1='row2col1'";

TEST(Transaction, ReadsInsideSeeItsUpdatesAndTheFileGetsThemWithOneSyncEach) {
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb");
    FaultyDatabase d(file);
    ASSERT_TRUE(d.db->begin(kOwner).ok());
    ASSERT_TRUE(d.update(kAnswer).ok());
    EXPECT_NE(d.data("data5").find("the answer"), std::string::npos);
    ASSERT_TRUE(d.update(kScore).ok());
    EXPECT_EQ(d.journal->writes, 0) << "nothing is written before commit";
    EXPECT_EQ(d.database->writes, 0);
    // Fail the second sync of either file: one sync of each per transaction never reaches it.
    d.journal->syncsUntilFailure = 1;
    d.database->syncsUntilFailure = 1;
    const jet::Status committed = d.db->commit(kOwner);
    ASSERT_TRUE(committed.ok()) << committed.message();
    EXPECT_EQ(d.journal->syncsUntilFailure, 0) << "the journal was synced once";
    EXPECT_EQ(d.database->syncsUntilFailure, 0) << "the file was synced once";
    const std::string csv = engineCsv(file, "Table1");
    EXPECT_NE(csv.find("the answer"), std::string::npos);
    EXPECT_NE(csv.find("its score"), std::string::npos);
    EXPECT_TRUE(problems(file).empty());
}

TEST(Transaction, AFailingWriteOrSyncAtCommitLeavesTheFileAsItWas) {
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb");
    const std::string before = readFile(file);
    for (int step = 0; step < 3; ++step) {
        FaultyDatabase d(file);
        const std::string data5 = d.data("data5", 0);
        ASSERT_TRUE(d.db->begin(kOwner).ok());
        ASSERT_TRUE(d.update(kAnswer).ok());
        ASSERT_TRUE(d.update(kScore).ok());
        if (step == 0) d.journal->syncsUntilFailure = 0;
        if (step == 1) d.database->writesUntilFailure = 0;
        if (step == 2) d.database->syncsUntilFailure = 0;
        EXPECT_EQ(d.db->commit(kOwner).code(), jet::Code::Io) << "step " << step;
        EXPECT_TRUE(readFile(file) == before) << "step " << step;
        EXPECT_EQ(d.data("data5", 0), data5) << "step " << step;
    }
}

TEST(Transaction, AFailedUpdateRollsBackTheWholeTransaction) {
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb");
    const std::string before = readFile(file);
    FaultyDatabase d(file);
    const std::string data5 = d.data("data5", 0);
    ASSERT_TRUE(d.db->begin(kOwner).ok());
    ASSERT_TRUE(d.update(kAnswer).ok());
    EXPECT_EQ(d.update("update Table1 set nosuchcolumn='x'").code(), jet::Code::NotFound);
    // Later statements of it are refused rather than applied alone, and so is its commit.
    EXPECT_EQ(d.update(kScore).code(), jet::Code::Invalid);
    EXPECT_EQ(d.db->selectAll("Table1", kOwner).status().code(), jet::Code::Invalid);
    EXPECT_FALSE(d.db->commit(kOwner).ok());
    EXPECT_TRUE(readFile(file) == before);
    EXPECT_EQ(d.data("data5"), data5);
    // The connection works on afterwards.
    ASSERT_TRUE(d.update(kScore).ok());
    EXPECT_NE(engineCsv(file, "Table1").find("its score"), std::string::npos);
}

TEST(Transaction, AnAbandonedTransactionLeavesNothingAndOthersOfTheThreadAreRefused) {
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb");
    const std::string before = readFile(file);
    {
        auto connection = jet::Connection::open(file);
        auto other = jet::Connection::open(file);
        ASSERT_TRUE(connection.ok() && other.ok());
        ASSERT_TRUE(connection->begin().ok());
        ASSERT_TRUE(connection->execute(kAnswer).ok());
        // Waiting for the transaction on its own thread would never end.
        EXPECT_EQ(other->select("select * from Table1").status().code(), jet::Code::Invalid);
        EXPECT_EQ(other->execute(kScore).code(), jet::Code::Invalid);
        EXPECT_EQ(connection->begin().code(), jet::Code::Invalid);
    } // the connection ends without commit
    EXPECT_TRUE(readFile(file) == before);
    auto connection = jet::Connection::open(file);
    ASSERT_TRUE(connection.ok());
    EXPECT_EQ(engineCsv(file, "Table1").find("the answer"), std::string::npos);
    // rollback() forgets the same way, and the connection works on.
    ASSERT_TRUE(connection->begin().ok());
    ASSERT_TRUE(connection->execute(kAnswer).ok());
    connection->rollback();
    EXPECT_TRUE(readFile(file) == before);
    ASSERT_TRUE(connection->execute(kScore).ok());
    EXPECT_NE(engineCsv(file, "Table1").find("its score"), std::string::npos);
}

// Another process's update waits for the whole transaction: it lands after the commit, not
// between its updates (then the commit would overwrite it).
TEST(Transaction, OtherProcessesWaitForTheWholeTransaction) {
    auto [dir, file, bytesBefore, connection] = OpenedCopy("overflowTestV2003.mdb");
    ASSERT_TRUE(connection.ok());
    ASSERT_TRUE(connection->begin().ok());
    ASSERT_TRUE(connection->execute("update Table1 set data7='ours'").ok());
    FILE* other = popen(
        (quote(VELMORA_QVTB) + " exec " + quote(file) + " \"update Table1 set data7='theirs'\" 2>&1").c_str(),
        "r");
    ASSERT_NE(other, nullptr);
    usleep(300000); // time enough for the other process to write, were it let in
    ASSERT_TRUE(connection->execute("update Table1 set data8='ours'").ok());
    ASSERT_TRUE(connection->commit().ok());
    const int status = pclose(other);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    auto rows = connection->select("select * from Table1");
    ASSERT_TRUE(rows.ok() && rows->moveFirst());
    EXPECT_EQ(rows->text("data7").value(), "theirs");
    EXPECT_EQ(rows->text("data8").value(), "ours");
}

// Another thread's connection waits for the transaction, then sees all of it.
TEST(Transaction, OtherThreadsWaitForTheWholeTransaction) {
    auto [dir, file, bytesBefore, connection] = OpenedCopy("overflowTestV2003.mdb");
    ASSERT_TRUE(connection.ok());
    ASSERT_TRUE(connection->begin().ok());
    ASSERT_TRUE(connection->execute(kAnswer).ok());
    std::atomic<bool> done = false;
    std::string seen;
    std::thread reader([&] {
        auto other = jet::Connection::open(file);
        auto rows =
            other.ok() ? other->select("select * from Table1") : jet::Result<jet::RowSet>(other.status());
        for (bool more = rows.ok() && rows->moveFirst(); more; more = rows->moveNext())
            seen += rows->text("data5").value() + rows->text("data6").value() + ";";
        done = true;
    });
    usleep(100000);
    EXPECT_FALSE(done) << "the reader did not wait";
    ASSERT_TRUE(connection->execute(kScore).ok());
    ASSERT_TRUE(connection->commit().ok());
    reader.join();
    EXPECT_NE(seen.find("the answerits score"), std::string::npos) << seen;
}

// A writer of two-update transactions killed at random moments: after every kill both updates
// of a transaction are in the file or neither is.
TEST(Transaction, KilledWritersLeaveWholeTransactions) {
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb");
    std::mt19937 timing(4242);
    int committed = 0; // rounds whose last reported transaction is in the file
    for (int round = 0; round < 25; ++round) {
        // The child says when its first transaction is in, so that a busy machine cannot let the kill
        // land before it wrote anything; the kill then falls at a random point of a later one.
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        const pid_t pid = fork(); // the parent holds no connection here, so the child shares nothing
        if (pid == 0) {
            close(started[0]);
            auto c = jet::Connection::open(file);
            for (long i = 0; c.ok(); ++i) {
                const std::string value = std::to_string(round) + "-" + std::to_string(i);
                const std::string wide(static_cast<std::size_t>(i % 40), 'w'); // moves rows now and then
                if (!c->begin().ok() || !c->execute("update Table1 set data5='" + value + wide + "'").ok() ||
                    !c->execute("update Table1 set data9='" + value + "'where data1='row4col1'").ok() ||
                    !c->commit().ok())
                    _exit(4);
                if (i == 0 && write(started[1], "1", 1) != 1) _exit(5);
            }
            _exit(3);
        }
        close(started[1]);
        char firstCommitted = 0;
        const bool wrote = read(started[0], &firstCommitted, 1) == 1;
        close(started[0]);
        if (wrote) usleep(timing() % 40000);
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped on its own with " << WEXITSTATUS(status);
        auto c = jet::Connection::open(file);
        ASSERT_TRUE(c.ok()) << c.status().message();
        auto rows = c->select("select * from Table1");
        ASSERT_TRUE(rows.ok()) << rows.status().message();
        std::string data5, data9;
        for (bool more = rows->moveFirst(); more; more = rows->moveNext())
            if (rows->text("data1").value() == "row4col1") {
                data5 = rows->text("data5").value();
                data9 = rows->text("data9").value();
            }
        EXPECT_EQ(data5.substr(0, data5.find('w')), data9) << "round " << round;
        EXPECT_FALSE(fs::exists(file + "-journal.set-aside")) << "its own journal was refused";
        const auto found = problems(file);
        ASSERT_TRUE(found.empty()) << "round " << round << ": " << found.front();
        committed += data9.rfind(std::to_string(round) + "-", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(committed, 25) << "a transaction the writer saw committed was lost";
}

} // namespace

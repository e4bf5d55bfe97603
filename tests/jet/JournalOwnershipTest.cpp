// A hot journal is played back only into the file it belongs to. One left from another file, or
// from this file at another state, is set aside beside it and reported, and the file is left as
// it is, even by a plain read. A journal that cannot be written fails an update with the reason,
// and works again once it can be written.
#include "EngineTestSupport.h"
#include "FaultyFile.h"

#include "jet/file/Pager.h"
#include "jet/statements/Database.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace enginetest;

namespace {

const std::string kQvtb = quote(VELMORA_QVTB);

// Runs `statement` on `file` and leaves its journal hot: the journal is written and the file
// updated, then clearing the journal's header fails (as when the process is killed right there).
void leaveHotJournal(const std::string& file, const std::string& statement) {
    auto journalFaults = std::make_shared<Faults>();
    journalFaults->writesUntilFailure = 1;
    auto opener = [file, journalFaults](bool create) -> jet::Result<std::unique_ptr<jet::File>> {
        JET_ASSIGN_OR_RETURN(auto inner, jet::PosixFile::open(file + "-journal", create));
        return std::unique_ptr<jet::File>(std::make_unique<FaultyFile>(std::move(inner), journalFaults));
    };
    auto database = jet::PosixFile::open(file, false);
    ASSERT_TRUE(database.ok());
    jet::Database db(std::make_unique<jet::Pager>(std::move(database.value()), opener));
    auto parsed = jet::Statement::parse(statement);
    ASSERT_TRUE(parsed.ok()) << parsed.status().message();
    const jet::Status status = db.update(parsed.value());
    ASSERT_TRUE(status.ok()) << status.message();
    ASSERT_EQ(journalFaults->writes, 2) << "the journal was written, its clearing failed";
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string column(const std::string& csv, const std::string& value) {
    return csv.find(value) == std::string::npos ? "" : value;
}

TEST(JournalOwnership, AJournalOfAnotherFileIsSetAsideNotApplied) {
    ScratchDir dir;
    const std::string other = dir.copy("overflowTestV2003.mdb", "other.mdb");
    leaveHotJournal(other, "update Table1 set data5='" + std::string(50, 'x') + "'");
    const std::string journal = readFile(other + "-journal");

    const std::string file = dir.copy("delTestV2003.mdb", "qvtb.mdb");
    writeFile(file + "-journal", journal);
    const std::string before = readFile(file);
    const auto tables = run(kQvtb + " tables " + quote(file) + " 2>&1");
    EXPECT_EQ(tables.exitCode, 0) << tables.output;
    EXPECT_TRUE(readFile(file) == before) << "the other file's pages were written into this one";
    // Reported once, kept whole beside the file, and no longer hot.
    EXPECT_NE(tables.output.find("did not belong"), std::string::npos) << tables.output;
    EXPECT_TRUE(readFile(file + "-journal.set-aside") == journal);
    const auto again = run(kQvtb + " tables " + quote(file) + " 2>&1");
    EXPECT_EQ(again.output.find("did not belong"), std::string::npos) << again.output;
    EXPECT_TRUE(readFile(file) == before);
    EXPECT_TRUE(problems(file).empty());
    // The file works on: its next update is journalled afresh.
    ASSERT_EQ(run(kQvtb + " exec " + quote(file) + " \"update Table set b='after'\"").exitCode, 0);
    EXPECT_EQ(column(engineCsv(file, "Table"), "after"), "after");
}

TEST(JournalOwnership, AJournalOfThisFileAtAnEarlierStateIsSetAsideNotApplied) {
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb", "qvtb.mdb");
    leaveHotJournal(file, "update Table1 set data5='first answer'");
    const std::string stale = readFile(file + "-journal");
    {
        // Found complete and kept; then the file moves on over the same pages.
        auto connection = jet::Connection::open(file);
        ASSERT_TRUE(connection.ok());
        ASSERT_TRUE(connection->execute("update Table1 set data5='" + std::string(50, 'y') + "'").ok());
        ASSERT_TRUE(connection->execute("update Table1 set data6='second answer'").ok());
    }
    const std::string later = readFile(file);
    writeFile(file + "-journal", stale);
    const auto exported = run(kQvtb + " export " + quote(file) + " Table1 2>&1");
    EXPECT_EQ(exported.exitCode, 0) << exported.output;
    EXPECT_TRUE(readFile(file) == later) << "an old journal undid later updates";
    EXPECT_EQ(column(exported.output, "second answer"), "second answer");
    EXPECT_NE(exported.output.find("did not belong"), std::string::npos) << exported.output;
    EXPECT_TRUE(readFile(file + "-journal.set-aside") == stale);
    EXPECT_TRUE(problems(file).empty());
}

// The ownership check must not refuse the file's own journal: a page caught half written (some
// sectors new, the rest still old) is rolled back like any other.
TEST(JournalOwnership, ItsOwnJournalIsPlayedBackOverAHalfWrittenPage) {
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb", "qvtb.mdb");
    const std::string before = readFile(file);
    leaveHotJournal(file, "update Table1 set data5='" + std::string(40, 'z') + "'");
    std::string torn = readFile(file);
    std::size_t page = 0;
    for (std::size_t p = 0; p * 4096 < before.size() && !page; ++p)
        if (before.compare(p * 4096, 4096, torn, p * 4096, 4096) != 0) page = p;
    ASSERT_NE(page, 0u) << "the update changed no page";
    torn.replace(page * 4096 + 2048, 2048, before, page * 4096 + 2048, 2048);
    writeFile(file, torn);
    const auto tables = run(kQvtb + " tables " + quote(file) + " 2>&1");
    EXPECT_EQ(tables.exitCode, 0) << tables.output;
    EXPECT_EQ(tables.output.find("did not belong"), std::string::npos) << tables.output;
    EXPECT_TRUE(readFile(file) == before);
}

// The journal belongs to another user and cannot be written by this one (root is made nobody).
TEST(JournalAccess, AnUnwritableJournalFailsWithItsReasonAndWorksOnceWritable) {
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb", "qvtb.mdb");
    const std::string journal = file + "-journal";
    {
        auto connection = jet::Connection::open(file);
        ASSERT_TRUE(connection.ok());
        ASSERT_TRUE(connection->execute("update Table1 set data5='made the journal'").ok());
    }
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(journal.c_str(), 0444), 0);
    const uid_t nobody = 65534;
    if (geteuid() == 0) {
        ASSERT_EQ(::chown(file.c_str(), nobody, nobody), 0);
        ASSERT_EQ(::chown(journal.c_str(), nobody, nobody), 0);
    }
    const std::string report = (dir.path() / "report").string();
    writeFile(report, "");
    ASSERT_EQ(::chmod(report.c_str(), 0666), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && setuid(nobody) != 0) _exit(10);
        std::ofstream out(report);
        auto connection = jet::Connection::open(file);
        if (!connection.ok()) _exit(11);
        if (!connection->select("select * from Table1").ok()) _exit(12);
        const jet::Status refused = connection->execute("update Table1 set data5='refused'");
        out << refused.message() << '\n';
        if (::chmod(journal.c_str(), 0644) != 0) _exit(13);
        const jet::Status written = connection->execute("update Table1 set data5='written'");
        out << (written.ok() ? "ok" : written.message()) << '\n';
        out.close();
        _exit(refused.ok() ? 14 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    std::istringstream lines(readFile(report));
    std::string refused, written;
    std::getline(lines, refused);
    std::getline(lines, written);
    EXPECT_NE(refused.find("Permission denied"), std::string::npos) << refused;
    EXPECT_NE(refused.find("-journal"), std::string::npos) << refused;
    EXPECT_EQ(written, "ok");
    EXPECT_EQ(column(engineCsv(file, "Table1"), "written"), "written");
}

} // namespace

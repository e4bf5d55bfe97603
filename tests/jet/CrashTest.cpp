// A child process updates a copy of an Access-made file as fast as it can and is killed with
// SIGKILL at random moments. After every kill the file opens (its journal played back), the
// integrity check is clean, and every update the child saw succeed is in the file.
// JET_CRASH_ROUNDS=N runs a longer soak by hand.
#include "EngineTestSupport.h"

#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace enginetest;

namespace {

const std::vector<std::string> kRows = {"row1col1", "row2col1", "row3col3", "row4col1",
                                        "row5col2", "row6col2", "row7col1"};

struct Update {
    int column = 0; // data3 .. data10
    int row = 0;    // index into kRows, or -1 for every row
    std::string value;

    std::string statement() const {
        std::string s = "update Table1 set data" + std::to_string(column) + "='" + value + "'";
        return row < 0 ? s : s + "where data1='" + kRows[static_cast<std::size_t>(row)] + "'";
    }
};

// The i-th update of a round, the same in the child that runs it and the parent that checks it.
Update nth(unsigned round, long i) {
    std::mt19937_64 random(round * 1000003ull + static_cast<unsigned long long>(i));
    Update u;
    u.column = 3 + static_cast<int>(random() % 8);
    u.row = random() % 10 == 0 ? -1 : static_cast<int>(random() % kRows.size());
    const int length = static_cast<int>(random() % 51);
    const bool wide = random() % 2 == 0; // wide values push rows off their pages
    for (int k = 0; k < length; ++k)
        u.value += wide ? "答" : std::string(1, static_cast<char>('a' + (i + k) % 26));
    return u;
}

using Model = std::vector<std::vector<std::string>>; // [row][column - 3]

void applyTo(Model& model, const Update& u) {
    for (std::size_t r = 0; r < kRows.size(); ++r)
        if (u.row < 0 || static_cast<std::size_t>(u.row) == r)
            model[r][static_cast<std::size_t>(u.column - 3)] = u.value;
}

Model read(const std::string& file) {
    auto connection = jet::Connection::open(file);
    EXPECT_TRUE(connection.ok()) << connection.status().message();
    auto rows = connection->select("select * from Table1");
    EXPECT_TRUE(rows.ok()) << rows.status().message();
    Model model;
    for (bool more = rows->moveFirst(); more; more = rows->moveNext()) {
        std::vector<std::string> row;
        for (int c = 3; c <= 10; ++c)
            row.push_back(rows->text("data" + std::to_string(c)).value());
        model.push_back(row);
    }
    return model;
}

[[noreturn]] void child(const std::string& file, unsigned round, int log) {
    auto connection = jet::Connection::open(file);
    if (!connection.ok()) _exit(3);
    for (long i = 0;; ++i) {
        if (!connection->execute(nth(round, i).statement()).ok()) _exit(4);
        const std::string line = std::to_string(i) + "\n";
        if (write(log, line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(5);
    }
}

long lastAcknowledged(const std::string& log) {
    long last = -1;
    std::istringstream in(readFile(log));
    for (std::string line; std::getline(in, line);)
        last = std::stol(line);
    return last;
}

TEST(Crash, KilledWritersLoseNothingTheyReported) {
    const char* soak = std::getenv("JET_CRASH_ROUNDS");
    const int rounds = soak ? std::atoi(soak) : 40;
    ScratchDir dir;
    const std::string file = dir.copy("overflowTestV2003.mdb");
    {
        auto connection = jet::Connection::open(file);
        ASSERT_TRUE(connection.ok());
        ASSERT_TRUE(nameEveryRow(connection.value()).ok());
    }
    Model model = read(file);
    ASSERT_EQ(model.size(), kRows.size());
    std::mt19937 timing(12345);
    long updates = 0;
    int killedMidway = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string log = (dir.path() / ("log" + std::to_string(round))).string();
        const int fd = ::open(log.c_str(), O_CREAT | O_WRONLY | O_APPEND, 0644);
        ASSERT_GE(fd, 0);
        const pid_t pid = fork(); // the parent holds no connection here, so the child shares nothing
        if (pid == 0) child(file, static_cast<unsigned>(round), fd);
        ::close(fd);
        usleep(5000 + timing() % 120000);
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped on its own with " << WEXITSTATUS(status);

        const long last = lastAcknowledged(log);
        updates += last + 1;
        Model expected = model;
        for (long i = 0; i <= last; ++i)
            applyTo(expected, nth(static_cast<unsigned>(round), i));
        Model inFlight = expected;
        applyTo(inFlight, nth(static_cast<unsigned>(round), last + 1));
        const Model actual = read(file); // plays back the journal if the kill left one
        ASSERT_TRUE(actual == expected || actual == inFlight)
            << "round " << round << " after update " << last;
        killedMidway += actual == expected && !(expected == inFlight) ? 1 : 0;
        const auto found = problems(file);
        ASSERT_TRUE(found.empty()) << "round " << round << ": " << found.front();
        model = actual;
    }
    std::cout << "[ crash    ] " << rounds << " kills, " << updates << " acknowledged updates, "
              << killedMidway << " kills before an update became durable\n";
    RecordProperty("kills", rounds);
    RecordProperty("updates", static_cast<int>(updates));
    expectReadersAgree(file, "Table1", mdbReaderTables(file), false);
}

} // namespace

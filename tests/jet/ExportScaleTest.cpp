// `qvtb export` of a table far larger than its buffers: the output equals mdb-export's byte for
// byte, and the process's peak memory stays small (holding the whole table took 51 MiB here).
#include "EngineTestSupport.h"
#include "ExportScaleTable.h"

#include "jet/DatabaseCreator.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace enginetest;

namespace {

constexpr long kRows = 50000;

// Long, Chinese Text, Memo with quotes, Currency, Date/Time and Double values mdb-export writes
// as we do (binary fractions, whole seconds).
jet::Status makeTable(const std::string& file) {
    jet::NewTable t = exportScaleTable("large");
    for (long i = 1; i <= kRows; ++i) {
        const std::string n = std::to_string(i);
        t.rows.push_back({n, "科目" + n,
                          i % 5 ? std::optional<std::string>("摘要 \"" + n + "\" 借贷") : std::nullopt,
                          std::to_string(i % 977) + "." + std::to_string(i % 10),
                          "2024-0" + std::to_string(i % 9 + 1) + "-1" + std::to_string(i % 10) + " 12:34:56",
                          std::to_string(i % 100) + ".25"});
    }
    return jet::DatabaseCreator::create(file, {t}, {45000.0});
}

// Peak memory of `qvtb export` in MiB, its output going to `out`. Spawned from a small process:
// a child starts with its parent's peak as its own.
double exportPeakMiB(const std::string& file, const std::string& table, const std::string& out) {
    const std::string qvtb = VELMORA_QVTB;
    std::vector<char*> args = {const_cast<char*>(qvtb.c_str()), const_cast<char*>("export"),
                               const_cast<char*>(file.c_str()), const_cast<char*>(table.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    int status = 1;
    rusage usage{};
    const bool ran = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) == 0 &&
                     wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return ran ? usage.ru_maxrss / 1024.0 : -1;
}

TEST(ExportScale, ALargeTableStreamsInLittleMemoryAndMatchesMdbExport) {
    ScratchDir dir;
    const std::string file = (dir.path() / "large.mdb").string();
    // Made in a child, so that this process stays small for the measurement.
    const pid_t maker = fork();
    if (maker == 0) std::_Exit(makeTable(file).ok() ? 0 : 1);
    int status = 1;
    ASSERT_EQ(waitpid(maker, &status, 0), maker);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_GT(fs::file_size(file), 4u << 20);

    const std::string out = (dir.path() / "large.csv").string();
    const double peak = exportPeakMiB(file, "large", out);
    ASSERT_GT(peak, 0);
    EXPECT_LT(peak, 24.0);
    const std::string ours = readFile(out);
    const auto theirs = mdbtoolsCsv(file, "large");
    ASSERT_EQ(theirs.exitCode, 0);
    EXPECT_EQ(ours.size(), theirs.output.size());
    EXPECT_TRUE(ours == theirs.output);
    EXPECT_EQ(std::count(ours.begin(), ours.end(), '\n'), kRows + 1);
}

} // namespace

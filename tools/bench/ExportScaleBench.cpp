// Export at scale: makes (once) a file with our own engine holding one table of N rows of Long,
// Chinese Text, Memo, Currency, Date/Time and Double, then runs `qvtb export`, `mdb-export` and
// mdb-reader on it side by side as whole processes, RUNS times each, and prints min, median and
// max of wall time and peak memory (the child's own, from wait4) and the ratios of the medians.
//   jet_export_scale_bench ROWS [RUNS] [FILE]      FILE defaults to /tmp/export-scale-ROWS.mdb
#include "ExportScaleTable.h"
#include "WholeProcess.h"
#include "jet/DatabaseCreator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::string chinese(long i, int characters) {
    static const char* const kWords[] = {"借", "贷", "资", "产", "负", "债", "会", "计", "科", "目"};
    std::string out;
    for (int k = 0; k < characters; ++k)
        out += kWords[(i * 7 + k * 3) % 10];
    return out;
}

jet::Status makeFile(const std::string& path, long rows) {
    jet::NewTable t = exportScaleTable("bench");
    t.rows.reserve(static_cast<std::size_t>(rows));
    for (long i = 1; i <= rows; ++i) {
        char amount[32];
        char date[32];
        char ratio[32];
        std::snprintf(amount, sizeof amount, "%ld.%02ld", i * 37 % 1000000, i % 100);
        std::snprintf(date, sizeof date, "20%02ld-%02ld-%02ld %02ld:%02ld:%02ld", i % 30, i % 12 + 1,
                      i % 28 + 1, i % 24, i % 60, i * 7 % 60);
        std::snprintf(ratio, sizeof ratio, "%ld.%03ld", i % 1000, i % 8 * 125); // exact in binary
        t.rows.push_back({std::to_string(i), chinese(i, 8 + i % 8),
                          "摘要 " + chinese(i, 10 + i % 20) + " \"注\"", amount, date, ratio});
    }
    return jet::DatabaseCreator::create(path, {t}, {45000.0});
}

struct Figures {
    std::vector<double> ms;
    std::vector<double> mib;
    double medianMs() const { return ms[ms.size() / 2]; }
};

void print(const char* name, const Figures& f) {
    std::printf(
        "%-12s wall ms min %8.0f  median %8.0f  max %8.0f   peak MiB min %7.1f  median %7.1f  max %7.1f\n",
        name, f.ms.front(), f.medianMs(), f.ms.back(), f.mib.front(), f.mib[f.mib.size() / 2], f.mib.back());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: jet_export_scale_bench ROWS [RUNS] [FILE]\n");
        return 2;
    }
    const long rows = std::atol(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string file = argc > 3 ? argv[3] : "/tmp/export-scale-" + std::to_string(rows) + ".mdb";
    // Made in a child: a spawned reader starts with its parent's peak memory as its own.
    if (!std::filesystem::exists(file)) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t maker = fork();
        if (maker == 0) {
            const jet::Status made = makeFile(file, rows);
            if (!made.ok()) std::fprintf(stderr, "jet_export_scale_bench: %s\n", made.message().c_str());
            std::_Exit(made.ok() ? 0 : 1);
        }
        int status = 1;
        if (maker < 0 || waitpid(maker, &status, 0) != maker || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            return 1;
        std::printf("made %s in %.1f s\n", file.c_str(),
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    std::printf("peak memory of this process, which every reader's figure includes as a floor: %.1f MiB\n",
                self.ru_maxrss / 1024.0);
    std::printf("%ld rows, %.1f MiB file, %d runs each, taken in turn\n", rows,
                static_cast<double>(std::filesystem::file_size(file)) / 1048576.0, runs);
    const std::vector<std::vector<std::string>> readers = {
        {VELMORA_QVTB, "export", file, "bench"},
        {"mdb-export", "-D", "%Y-%m-%d %H:%M:%S", "-T", "%Y-%m-%d %H:%M:%S", "-b", "hex", file, "bench"},
        {"node", VELMORA_ORACLE_DIR "/export.mjs", file, "bench"}};
    std::vector<Figures> figures(readers.size());
    for (int run = 0; run < runs; ++run)
        for (std::size_t r = 0; r < readers.size(); ++r) {
            const ProcessRun s = runWholeProcess(readers[r], "jet_export_scale_bench");
            figures[r].ms.push_back(s.ms);
            figures[r].mib.push_back(s.peakMiB);
        }
    for (auto& f : figures) {
        std::sort(f.ms.begin(), f.ms.end());
        std::sort(f.mib.begin(), f.mib.end());
    }
    print("qvtb export", figures[0]);
    print("mdb-export", figures[1]);
    print("mdb-reader", figures[2]);
    std::printf("qvtb export at the median: %.2fx as fast as mdb-export, %.2fx as fast as mdb-reader; "
                "%.2f us per row\n",
                figures[1].medianMs() / figures[0].medianMs(), figures[2].medianMs() / figures[0].medianMs(),
                figures[0].medianMs() * 1000.0 / static_cast<double>(rows));
    return 0;
}

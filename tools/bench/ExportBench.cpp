// Whole processes on the same file: `qvtb export` against `mdb-export` of one table, each run
// many times; prints the medians and their ratio. Without TABLE it takes the user table with
// the most rows.
//   jet_export_bench FILE [TABLE] [RUNS]
#include "WholeProcess.h"
#include "jet/Connection.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double medianMs(const std::vector<std::string>& argv, int runs) {
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i)
        samples.push_back(runWholeProcess(argv, "jet_export_bench").ms);
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

std::string largestTable(const std::string& file) {
    auto connection = jet::Connection::open(file);
    if (!connection.ok()) return {};
    std::string best;
    std::size_t most = 0;
    for (const auto& name : connection->tables().value()) {
        auto rows = connection->select("select * from " + name);
        if (rows.ok() && (best.empty() || rows->size() > most)) {
            best = name;
            most = rows->size();
        }
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: jet_export_bench FILE [TABLE] [RUNS]\n");
        return 2;
    }
    const std::string file = argv[1];
    const std::string table = argc > 2 && argv[2][0] != '\0' ? argv[2] : largestTable(file);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 30;
    if (table.empty()) {
        std::fprintf(stderr, "jet_export_bench: no table to export in %s\n", file.c_str());
        return 1;
    }
    const std::vector<std::string> ours = {VELMORA_QVTB, "export", file, table};
    const std::vector<std::string> theirs = {"mdb-export", "-b", "hex", file, table};
    const double a = medianMs(ours, runs);
    const double b = medianMs(theirs, runs);
    std::printf("table %s: qvtb export median %.2f ms, mdb-export median %.2f ms, qvtb %.1fx as fast\n",
                table.c_str(), a, b, b / a);
    return 0;
}

// Times the program's hot path on a copy of an Access file: one durable update of a short text,
// then the re-select and find by number that follow it. Prints median and 90th percentile.
//   jet_update_bench FILE TABLE COLUMN [ROUNDS]   (the table needs a numeric ID column)
#include "jet/Connection.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    std::printf("%-28s median %.3f ms   p90 %.3f ms   (%zu runs)\n", what, samples[samples.size() / 2],
                samples[samples.size() * 9 / 10], samples.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: jet_update_bench FILE TABLE COLUMN [ROUNDS]\n");
        return 2;
    }
    const std::string table = argv[2];
    const std::string column = argv[3];
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 200;
    const auto copy = std::filesystem::temp_directory_path() / "jet_update_bench.mdb";
    std::filesystem::copy_file(argv[1], copy, std::filesystem::copy_options::overwrite_existing);
    auto connection = jet::Connection::open(copy.string());
    if (!connection.ok()) {
        std::fprintf(stderr, "jet_update_bench: %s\n", connection.status().message().c_str());
        return 1;
    }
    std::vector<double> updates;
    std::vector<double> reselects;
    for (int i = 0; i < rounds; ++i) {
        const std::string value = i % 2 ? "AB" : "CD";
        const auto start = Clock::now();
        const jet::Status s =
            connection->execute("update " + table + " set " + column + "='" + value + "'where " + "ID='1'");
        const auto updated = Clock::now();
        auto rows = connection->select("select * from " + table);
        const bool found = rows.ok() && rows->find("ID=1").ok() && rows->text(column).value() == value;
        const auto done = Clock::now();
        if (!s.ok() || !found) {
            std::fprintf(stderr, "jet_update_bench: %s\n",
                         s.ok() ? "value not read back" : s.message().c_str());
            return 1;
        }
        updates.push_back(ms(updated - start));
        reselects.push_back(ms(done - updated));
    }
    report("update + fsync", updates);
    report("select * + find ID + read", reselects);
    std::filesystem::remove(copy);
    std::filesystem::remove(copy.string() + "-journal");
    return 0;
}
